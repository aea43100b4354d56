#include "board/figure/ilinefigureelements.h"

#include <cmath>

#include <QGraphicsPathItem>
#include <QPainter>
#include <QTransform>

using namespace TX_IBOARD_ENUM;

// ---- ILineFigureElement ----

ILineFigureElement::ILineFigureElement(QGraphicsItem* parent) : IFigureElement(parent)
{
    setFigureType(FIGURE_LINE);
}

ILineFigureElement::~ILineFigureElement()
{
    delete m_startItem;
    delete m_endItem;
}

void ILineFigureElement::setPath(const QPainterPath& path)
{
    prepareGeometryChange();
    m_path = path;
    drawArrow();
}

void ILineFigureElement::setLine(const QPointF& start, const QPointF& end)
{
    QPainterPath p;
    p.moveTo(start);
    p.lineTo(end);
    setPath(p);
}

QPointF ILineFigureElement::startPoint() const
{
    return m_path.elementCount() > 0 ? QPointF(m_path.elementAt(0)) : QPointF();
}

QPointF ILineFigureElement::endPoint() const
{
    if (m_path.elementCount() == 2)
        return m_path.elementAt(1);
    return startPoint();
}

void ILineFigureElement::setStartPoint(const QPointF& p)
{
    forcePointPosition(p, StartPoint, 1);
}

void ILineFigureElement::setEndPoint(const QPointF& p)
{
    forcePointPosition(p, EndPoint, 1);
}

void ILineFigureElement::forcePointPosition(const QPointF& point, PointDirect direct, int tol)
{
    if (m_path.elementCount() == 0) {
        setLine(point, point);
        return;
    }
    QLineF line = direct == StartPoint ? QLineF(point, endPoint()) : QLineF(startPoint(), point);
    const int a = int(line.angle());
    static const int snaps[] = {0, 45, 90, 135, 180, 225, 270, 315};
    for (int s : snaps) {
        const bool near = ((s + tol) % 360 + 360 - a) % 360 <= tol
                          || (a + 360 - (360 - tol + s) % 360) % 360 <= tol;
        if (!near)
            continue;
        if (direct == StartPoint) {
            const float rad = float(s) * 6.2831855f / 360.0f;
            const double len = line.length();
            const QPointF end = line.p2();
            line.setP1(end + QPointF(-std::cos(rad) * len, std::sin(rad) * len));
        } else {
            line.setAngle(s);
        }
        break;
    }
    setLine(line.p1(), line.p2());
}

void ILineFigureElement::setStartArrow(ArrowType type)
{
    if (type == m_startArrow)
        return;
    m_startArrow = type;
    delete m_startItem;
    m_startItem = nullptr;
    drawArrow();
}

void ILineFigureElement::setEndArrow(ArrowType type)
{
    if (type == m_endArrow)
        return;
    m_endArrow = type;
    delete m_endItem;
    m_endItem = nullptr;
    drawArrow();
}

double ILineFigureElement::arrowAngle(ArrowDirect direct) const
{
    if (direct == StartArrow)
        return -m_path.angleAtPercent(0.0);
    if (direct == EndArrow)
        return -m_path.angleAtPercent(1.0);
    return 0.0;
}

void ILineFigureElement::updateArrowItem(QGraphicsPathItem*& item, ArrowType type,
                                         ArrowDirect direct)
{
    const int w = pen().width();
    QPainterPath arrow;
    if (type == DotArrow) {
        arrow.addEllipse(QRectF(-2, -2, 4, 4));
    } else if (type == TriangleArrow) {
        const double tip = direct == StartArrow ? -6 - 2 * w : 6 + 2 * w;
        arrow.moveTo(0, -3 - w);
        arrow.lineTo(tip, 0);
        arrow.lineTo(0, w + 3);
        arrow.closeSubpath();
    }
    if (!item)
        item = new QGraphicsPathItem(arrow, this);
    else
        item->setPath(arrow);
    const int last = m_path.elementCount() - 1;
    item->setPos(direct == StartArrow ? QPointF(m_path.elementAt(0)) : QPointF(m_path.elementAt(last)));
    const double angle = m_path.angleAtPercent(direct == StartArrow ? 0.0 : 1.0);
    item->setTransform(QTransform().rotate(-angle, Qt::ZAxis));
    item->setPen(QPen(pen().color()));
    item->setBrush(QBrush(pen().color(), Qt::SolidPattern));
}

void ILineFigureElement::drawArrow()
{
    if (m_path.elementCount() < 2)
        return;
    prepareGeometryChange();
    if (m_startArrow != NoArrow)
        updateArrowItem(m_startItem, m_startArrow, StartArrow);
    if (m_endArrow != NoArrow)
        updateArrowItem(m_endItem, m_endArrow, EndArrow);
}

void ILineFigureElement::paint(QPainter* painter, const QStyleOptionGraphicsItem*, QWidget*)
{
    setStyle(painter);
    painter->drawPath(m_path);
}

QRectF ILineFigureElement::boundingRect() const
{
    QPainterPath all = m_path;
    if (m_startItem && m_startArrow != NoArrow)
        all.addPath(mapFromItem(m_startItem, m_startItem->path()));
    if (m_endItem && m_endArrow != NoArrow)
        all.addPath(mapFromItem(m_endItem, m_endItem->path()));
    return adjustBoundingRect(all.boundingRect());
}

void ILineFigureElement::copyItemParameters(IElement* target) const
{
    auto* other = dynamic_cast<ILineFigureElement*>(target);
    if (!other)
        return;
    IFigureElement::copyItemParameters(target);
    other->setLine(startPoint(), endPoint());
    // No arrow here never takes the target's arrow away.
    if (m_startArrow != NoArrow)
        other->setStartArrow(m_startArrow);
    if (m_endArrow != NoArrow)
        other->setEndArrow(m_endArrow);
}

IElement* ILineFigureElement::deepCopy() const
{
    return copyOf(this, new ILineFigureElement(nullptr));
}

// ---- IWaveLineFigureElement ----

int getNear(int value, int step)
{
    return (value + step - 1) - (value + step - 1) % step;
}

IWaveLineFigureElement::IWaveLineFigureElement(QGraphicsItem* parent) : IFigureElement(parent)
{
    setFigureType(FIGURE_WAVE_LINE);
}

void IWaveLineFigureElement::setLine(const QPointF& start, const QPointF& end)
{
    prepareGeometryChange();
    m_start = start;
    m_end = end;
    createWavePath();
}

void IWaveLineFigureElement::setEndPoint(const QPointF& p)
{
    prepareGeometryChange();
    m_end = p;
    createWavePath();
}

void IWaveLineFigureElement::setThicness(double t)
{
    IFigureElement::setThicness(t);
    m_waveWidth = t;
    createWavePath();
    update();
}

void IWaveLineFigureElement::setWaveWidth(double w)
{
    prepareGeometryChange();
    m_waveWidth = w;
    createWavePath();
}

void IWaveLineFigureElement::createWavePath()
{
    m_path = QPainterPath();
    if (m_start.isNull() || m_end.isNull())
        return;
    const double w = m_waveWidth;
    const double h = 2 * w;
    const double step = 4 * w;
    // A step under one whole pixel (a wave narrower than 0.25, negative or not a number)
    // has no wave to draw and would never reach the end.
    if (!(step >= 1.0))
        return;
    const QLineF line(m_start, m_end);
    const double len = line.length();
    const int istep = int(step);
    const int t = int(len) + istep - 1;
    const int total = t - t % istep;
    if (total < 1)
        return;
    const double amplitude = 2 * 1.14 * h;
    const double b = (line.angle() - 270.0) * M_PI / 180.0;
    const QPointF n(std::cos(b) * amplitude, -std::sin(b) * amplitude);

    double o = 0.0;
    double r = 0.0;
    QPainterPath segment;
    // total / step segments at most; the cap only guards against rounding surprises.
    for (int guard = 0; guard <= total / istep + 1; ++guard) {
        segment = QPainterPath();
        segment.moveTo(line.pointAt(o / len));
        segment.cubicTo(line.pointAt((o + h - h / 10) / len) + n,
                        line.pointAt((o + h + h / 10) / len) - n, line.pointAt((o + step) / len));
        r += step;
        if (r >= total)
            break;
        m_path.addPath(segment);
        o = int(o + step);
    }

    // The last segment ends at the end point's x.
    const QPolygonF flat = segment.toFillPolygon(QTransform());
    if (flat.size() < 2)
        return;
    QPainterPath trimmed;
    QPointF previous;
    for (const QPointF& p : flat) {
        if (!(p.x() < m_end.x()))
            break;
        if (trimmed.elementCount() == 0)
            trimmed.moveTo(p);
        else if (p != previous)
            trimmed.cubicTo(previous, p, p);
        previous = p;
    }
    m_path.addPath(trimmed);
}

void IWaveLineFigureElement::drawWave(QPainter* painter)
{
    if (m_path.isEmpty())
        createWavePath();
    painter->drawPath(m_path);
}

void IWaveLineFigureElement::paint(QPainter* painter, const QStyleOptionGraphicsItem*, QWidget*)
{
    painter->setPen(pen());
    drawWave(painter);
}

QRectF IWaveLineFigureElement::boundingRect() const
{
    if (m_start.isNull() || m_end.isNull())
        return QRectF();
    const int grow = pen().width();
    return m_path.toFillPolygon(QTransform()).boundingRect().adjusted(-grow, -grow, grow, grow);
}

void IWaveLineFigureElement::copyItemParameters(IElement* target) const
{
    if (auto* other = dynamic_cast<IWaveLineFigureElement*>(target)) {
        other->prepareGeometryChange();
        other->m_start = m_start;
        other->m_end = m_end;
        other->createWavePath();
        other->m_waveWidth = m_waveWidth;
        other->createWavePath();
    }
    IFigureElement::copyItemParameters(target);
}

IElement* IWaveLineFigureElement::deepCopy() const
{
    return copyOf(this, new IWaveLineFigureElement(nullptr));
}
