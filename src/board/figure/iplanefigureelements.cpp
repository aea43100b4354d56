#include "board/figure/iplanefigureelements.h"

#include <cmath>

#include <QPainter>

using namespace TX_IBOARD_ENUM;

// ---- rectangle-placed figures ----

IRectPlacedFigureElement::IRectPlacedFigureElement(int figureType, QGraphicsItem* parent)
    : IFigureElement(parent)
{
    setFigureType(figureType);
}

void IRectPlacedFigureElement::setRect(const QRectF& r)
{
    prepareGeometryChange();
    m_rect = r;
    setPos(r.topLeft());
}

QRectF IRectPlacedFigureElement::boundingRect() const
{
    const int iw = int(m_rect.width()), ih = int(m_rect.height());
    return adjustBoundingRect(QRectF(qMin(iw, 0), qMin(ih, 0), std::abs(iw), std::abs(ih)));
}

void IRectPlacedFigureElement::copyItemParameters(IElement* target) const
{
    auto* other = dynamic_cast<IRectPlacedFigureElement*>(target);
    // Only onto the same kind: every class of this family has a figure type of its own.
    if (!other || other->figureType() != figureType())
        return;
    other->setRect(m_rect);
    IFigureElement::copyItemParameters(target);
}

IIsoscelesTriangleFigureElement::IIsoscelesTriangleFigureElement(QGraphicsItem* parent)
    : IRectPlacedFigureElement(FIGURE_ISOSCELES_TRIANGLE, parent)
{
}

void IIsoscelesTriangleFigureElement::paint(QPainter* painter, const QStyleOptionGraphicsItem*,
                                            QWidget*)
{
    setStyle(painter);
    if (m_rect.width() == 0 && m_rect.height() == 0)
        return;
    const int iw = int(m_rect.width()), ih = int(m_rect.height());
    QPainterPath p;
    p.moveTo(iw / 2, 0);
    p.lineTo(iw, ih);
    p.lineTo(0, ih);
    p.closeSubpath();
    painter->drawPath(p);
}

IElement* IIsoscelesTriangleFigureElement::deepCopy() const
{
    return copyOf(this, new IIsoscelesTriangleFigureElement(nullptr));
}

IParallelQuadrilateralFigureElement::IParallelQuadrilateralFigureElement(QGraphicsItem* parent)
    : IRectPlacedFigureElement(FIGURE_PARALLELOGRAM, parent)
{
}

void IParallelQuadrilateralFigureElement::paint(QPainter* painter,
                                                const QStyleOptionGraphicsItem*, QWidget*)
{
    setStyle(painter);
    if (m_rect.width() == 0 && m_rect.height() == 0)
        return;
    const int iw = int(m_rect.width()), ih = int(m_rect.height());
    QPainterPath p;
    p.moveTo(0, 0);
    p.lineTo((2 * iw) / 3, 0);
    p.lineTo(iw, ih);
    p.lineTo(iw / 3, ih);
    p.closeSubpath();
    painter->drawPath(p);
}

IElement* IParallelQuadrilateralFigureElement::deepCopy() const
{
    return copyOf(this, new IParallelQuadrilateralFigureElement(nullptr));
}

// ---- star ----

IStarFigureElement::IStarFigureElement(QGraphicsItem* parent)
    : IRectPlacedFigureElement(FIGURE_STAR, parent)
{
}

QList<QPointF> IStarFigureElement::getVertexPoints(double width, double height, int n)
{
    QList<QPointF> points;
    if (n <= 0)
        return points;
    const double step = 2 * M_PI / n;
    const double start = n % 2 ? -M_PI / 2 : (n == 6 ? step : M_PI / n);
    double minX = 0, maxX = 0, minY = 0, maxY = 0;
    for (int i = 0; i < n; ++i) {
        const double a = start + i * step;
        const QPointF p(std::cos(a) * width / 2 + width / 2, std::sin(a) * height / 2 + height / 2);
        if (i == 0) {
            minX = maxX = p.x();
            minY = maxY = p.y();
        } else {
            minX = qMin(minX, p.x());
            maxX = qMax(maxX, p.x());
            minY = qMin(minY, p.y());
            maxY = qMax(maxY, p.y());
        }
        points.append(p);
    }
    // A zero extent has nothing to stretch; the caller draws nothing then.
    const double spanX = maxX - minX, spanY = maxY - minY;
    for (QPointF& p : points) {
        p.setX(spanX != 0 ? (p.x() - minX) * width / spanX : 0.0);
        p.setY(spanY != 0 ? (p.y() - minY) * height / spanY : 0.0);
    }
    return points;
}

QPointF IStarFigureElement::getIntersection(const QPointF& a1, const QPointF& a2,
                                            const QPointF& b1, const QPointF& b2)
{
    const double x1 = a1.x(), y1 = a1.y(), x2 = a2.x(), y2 = a2.y();
    const double x3 = b1.x(), y3 = b1.y(), x4 = b2.x(), y4 = b2.y();
    const double d1 = x1 * y2 - y1 * x2;
    const double d2 = x3 * y4 - y3 * x4;
    const double q = (x1 - x2) * (y3 - y4) - (y1 - y2) * (x3 - x4);
    if (q == 0)
        return a1;
    return QPointF((d1 * (x3 - x4) - (x1 - x2) * d2) / q, (d1 * (y3 - y4) - (y1 - y2) * d2) / q);
}

QPainterPath IStarFigureElement::starPath(int w, int h)
{
    QPainterPath p;
    if (w == 0 || h == 0)
        return p;
    const QList<QPointF> v = getVertexPoints(w, h, 5);
    const QPointF inner[5] = {
        getIntersection(v[0], v[2], v[1], v[4]), getIntersection(v[0], v[2], v[1], v[3]),
        getIntersection(v[1], v[3], v[2], v[4]), getIntersection(v[0], v[3], v[2], v[4]),
        getIntersection(v[0], v[3], v[1], v[4])};
    p.moveTo(v[0]);
    for (int i = 0; i < 5; ++i) {
        if (i > 0)
            p.lineTo(v[i]);
        p.lineTo(inner[i]);
    }
    p.closeSubpath();
    return p;
}

void IStarFigureElement::paint(QPainter* painter, const QStyleOptionGraphicsItem*, QWidget*)
{
    setStyle(painter);
    // One zero side alone would stretch a flat row of points by a zero extent.
    const QPainterPath p = starPath(int(m_rect.width()), int(m_rect.height()));
    if (!p.isEmpty())
        painter->drawPath(p);
}

IElement* IStarFigureElement::deepCopy() const
{
    return copyOf(this, new IStarFigureElement(nullptr));
}

// ---- rectangle ----

IRectangleFigureElement::IRectangleFigureElement(QGraphicsItem* parent) : IFigureElement(parent)
{
    setFigureType(FIGURE_RECTANGLE);
}

void IRectangleFigureElement::setRect(const QRectF& r)
{
    prepareGeometryChange();
    m_size = r.size();
    setPos(r.topLeft());
}

QRectF IRectangleFigureElement::boundingRect() const
{
    const double w = m_size.width(), h = m_size.height();
    return adjustBoundingRect(QRectF(w < 0 ? int(w) : 0, h < 0 ? int(h) : 0, int(std::abs(w)),
                                     int(std::abs(h))));
}

void IRectangleFigureElement::paint(QPainter* painter, const QStyleOptionGraphicsItem*, QWidget*)
{
    setStyle(painter);
    const double w = m_size.width(), h = m_size.height();
    painter->drawRect(QRectF(0, 0, int(w), int(h)));
    if (m_hasInCircle) {
        const double q = qMin(std::abs(w), std::abs(h)) * 0.5;
        painter->drawEllipse(QRectF(w * 0.5 - q, h * 0.5 - q, 2 * q, 2 * q));
    }
}

void IRectangleFigureElement::copyItemParameters(IElement* target) const
{
    auto* other = dynamic_cast<IRectangleFigureElement*>(target);
    if (!other)
        return;
    other->setRect(rect());
    IFigureElement::copyItemParameters(target);
}

IElement* IRectangleFigureElement::deepCopy() const
{
    return copyOf(this, new IRectangleFigureElement(nullptr));
}

// ---- circle ----

ICircleFigureElement::ICircleFigureElement(QGraphicsItem* parent) : IFigureElement(parent)
{
    setFigureType(FIGURE_CIRCLE);
}

void ICircleFigureElement::setRect(const QRectF& r)
{
    prepareGeometryChange();
    const int iw = int(r.width()), ih = int(r.height());
    m_flipX = iw < 0;
    m_flipY = ih < 0;
    m_radius = qMax(std::abs(iw), std::abs(ih)) * 0.5;
    setPos(r.topLeft());
}

QRectF ICircleFigureElement::rect() const
{
    return QRectF(pos(), QSizeF(int(m_flipX ? -m_radius : m_radius) * 2,
                                int(m_flipY ? -m_radius : m_radius) * 2));
}

void ICircleFigureElement::setRaidus(double radius)
{
    prepareGeometryChange();
    m_radius = radius;
}

QRectF ICircleFigureElement::circleRect() const
{
    const int d = int(2 * m_radius);
    return QRectF(m_flipX ? int(-m_radius) * 2 : 0, m_flipY ? int(-m_radius) * 2 : 0, d, d);
}

QRectF ICircleFigureElement::boundingRect() const
{
    return adjustBoundingRect(circleRect());
}

void ICircleFigureElement::paint(QPainter* painter, const QStyleOptionGraphicsItem*, QWidget*)
{
    setStyle(painter);
    painter->setRenderHints(QPainter::Antialiasing, true);
    QPainterPath p;
    p.addEllipse(circleRect());
    painter->drawPath(p);
}

void ICircleFigureElement::copyItemParameters(IElement* target) const
{
    auto* other = dynamic_cast<ICircleFigureElement*>(target);
    if (!other)
        return;
    other->setRect(rect());
    IFigureElement::copyItemParameters(target);
}

IElement* ICircleFigureElement::deepCopy() const
{
    return copyOf(this, new ICircleFigureElement(nullptr));
}

// ---- ellipse ----

IEllipseFigureElement::IEllipseFigureElement(QGraphicsItem* parent) : IFigureElement(parent)
{
    setFigureType(FIGURE_ELLIPSE);
}

void IEllipseFigureElement::setRect(const QRectF& r)
{
    prepareGeometryChange();
    m_radiusX = r.width() * 0.5;
    m_radiusY = r.height() * 0.5;
    setPos(r.topLeft());
}

void IEllipseFigureElement::setRadiusX(double r)
{
    prepareGeometryChange();
    m_radiusX = r;
}

void IEllipseFigureElement::setRadiusY(double r)
{
    prepareGeometryChange();
    m_radiusY = r;
}

QRectF IEllipseFigureElement::ellipseRect() const
{
    const double rx = m_radiusX, ry = m_radiusY;
    return QRectF(rx < 0 ? int(rx) * 2 : 0, ry < 0 ? int(ry) * 2 : 0, int(std::abs(rx)) * 2,
                  int(std::abs(ry)) * 2);
}

QRectF IEllipseFigureElement::boundingRect() const
{
    return adjustBoundingRect(ellipseRect());
}

void IEllipseFigureElement::paint(QPainter* painter, const QStyleOptionGraphicsItem*, QWidget*)
{
    setStyle(painter);
    QPainterPath p;
    p.addEllipse(ellipseRect());
    painter->drawPath(p);
}

void IEllipseFigureElement::copyItemParameters(IElement* target) const
{
    auto* other = dynamic_cast<IEllipseFigureElement*>(target);
    if (!other)
        return;
    IFigureElement::copyItemParameters(target);
    other->setRadiusX(m_radiusX);
    other->setRadiusY(m_radiusY);
}

IElement* IEllipseFigureElement::deepCopy() const
{
    return copyOf(this, new IEllipseFigureElement(nullptr));
}

// ---- regular polygon ----

IVerticsPolygonFigureElement::IVerticsPolygonFigureElement(int count, const QPointF&,
                                                           QGraphicsItem* parent)
    : IFigureElement(parent), m_count(count)
{
    setFigureType(count);
    createVerticsPolygonFigure();
}

void IVerticsPolygonFigureElement::setFigureType(int count)
{
    switch (count) {
    case 3: IFigureElement::setFigureType(FIGURE_REGULAR_TRIANGLE); break;
    case 5: IFigureElement::setFigureType(FIGURE_REGULAR_PENTAGON); break;
    case 6: IFigureElement::setFigureType(FIGURE_REGULAR_HEXAGON); break;
    case 8: IFigureElement::setFigureType(FIGURE_REGULAR_OCTAGON); break;
    default: break;
    }
}

void IVerticsPolygonFigureElement::createVerticsPolygonFigure()
{
    m_unitVertices.clear();
    if (m_count <= 0)
        return;
    const double offset = m_count % 2 ? M_PI / 2 : (m_count % 6 == 0 ? M_PI / 3 : M_PI / 4);
    for (int i = 0; i < m_count; ++i) {
        const double t = 2 * M_PI * i / m_count + offset;
        m_unitVertices.append(QPointF(std::cos(t), std::sin(t)));
    }
}

void IVerticsPolygonFigureElement::setStartPoint(const QPointF& p)
{
    m_start = p;
    m_startPassed = p;
}

void IVerticsPolygonFigureElement::updatePath(const QPointF& p)
{
    m_lastPoint = p;
    prepareGeometryChange();
    const QPointF d = p - m_start;
    const double s = qMin(std::abs(d.x()), std::abs(d.y()));
    const double sx = d.x() < 0 ? -1 : 1, sy = d.y() < 0 ? -1 : 1;
    m_center = m_start + QPointF(sx * s * 0.5, sy * s * 0.5);
    m_radius = s * 0.5;
    m_outline = QPainterPath();
    if (m_unitVertices.isEmpty())
        return;
    m_outline.moveTo(m_center - m_radius * m_unitVertices.first());
    for (int i = 1; i < m_unitVertices.size(); ++i)
        m_outline.lineTo(m_center - m_radius * m_unitVertices.at(i));
    m_outline.lineTo(m_center - m_radius * m_unitVertices.first());
}

void IVerticsPolygonFigureElement::addPoint(const QPointF& p)
{
    prepareGeometryChange();
    if (m_outline.elementCount() == 0)
        m_outline.moveTo(p);
    else
        m_outline.lineTo(p);
}

QRectF IVerticsPolygonFigureElement::boundingRect() const
{
    return adjustBoundingRect(m_outline.boundingRect()).adjusted(-1, -1, 1, 1);
}

void IVerticsPolygonFigureElement::paint(QPainter* painter, const QStyleOptionGraphicsItem*,
                                         QWidget*)
{
    setStyle(painter);
    painter->fillPath(m_outline, painter->brush());
    painter->drawPath(m_outline);
}

void IVerticsPolygonFigureElement::copyItemParameters(IElement* target) const
{
    auto* other = dynamic_cast<IVerticsPolygonFigureElement*>(target);
    if (!other)
        return;
    IFigureElement::copyItemParameters(target);
    other->setStartPoint(m_startPassed);
    other->updatePath(m_lastPoint);
}

IElement* IVerticsPolygonFigureElement::deepCopy() const
{
    return copyOf(this, new IVerticsPolygonFigureElement(m_count, QPointF(), nullptr));
}
