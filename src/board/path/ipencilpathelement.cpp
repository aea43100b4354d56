#include "board/path/ipencilpathelement.h"

#include <algorithm>

#include <QDebug>
#include <QPainter>
#include <QStyleOptionGraphicsItem>

namespace {

// Press and release at one place (and any jitter in between that stayed on that pixel).
bool isDot(const QVector<QPointF>& points)
{
    if (points.size() < 2)
        return false;
    const QPointF first = points.first();
    return std::all_of(points.cbegin(), points.cend(),
                       [&first](const QPointF& p) { return p == first; });
}

} // namespace

IPencilPathElement::IPencilPathElement(QGraphicsItem* parent) : IPathElement(parent)
{
    init();
}

IPencilPathElement::IPencilPathElement(QVector<QPointF> points, QGraphicsItem* parent)
    : IPathElement(parent)
{
    init();
    addDrawPoints(points);
}

void IPencilPathElement::init()
{
    // exposedRect tells paint() which part of a long stroke needs stroking.
    setFlag(QGraphicsItem::ItemUsesExtendedStyleOption, true);
    setFlag(QGraphicsItem::ItemSendsGeometryChanges, true);
    setFlag(QGraphicsItem::ItemIsSelectable, true);
    setFlag(QGraphicsItem::ItemIsMovable, false);
    setId(createUuidString());
    setPathStyle(0);
}

void IPencilPathElement::addDrawPoint(const QPointF& point)
{
    m_points.append(point);
    rebuildPath();
}

void IPencilPathElement::addDrawPoints(const QVector<QPointF>& points)
{
    m_points = points;
    rebuildPath();
}

void IPencilPathElement::rebuildPath()
{
    QPainterPath path;
    // Only coinciding points make a dot: two different points are the line the overlay showed.
    m_singlePoint = isDot(m_points);
    if (m_singlePoint) {
        const QPointF p = m_points.first();
        const int t = thickness();
        path.addEllipse(QRectF(p.x() - (t / 2), p.y() - (t / 2), t, t));
        qDebug() << "one point";
    } else {
        path.addPolygon(QPolygonF(m_points));
    }
    setPath(path);
}

void IPencilPathElement::paint(QPainter* painter, const QStyleOptionGraphicsItem* option,
                               QWidget* widget)
{
    QColor c = color();
    c.setAlpha(alpha());
    if (m_singlePoint) {
        const QBrush fill(c, Qt::SolidPattern);
        painter->setPen(Qt::NoPen);
        painter->setBrush(fill);
        setPen(QPen(Qt::NoPen));
        setBrush(fill);
    } else {
        const QPen stroke(QBrush(c, Qt::SolidPattern), thickness(), Qt::SolidLine, Qt::RoundCap,
                          Qt::RoundJoin);
        painter->setPen(stroke);
        painter->setBrush(Qt::NoBrush);
        setPen(stroke);
        // Stroking a long polyline costs the same however little of it is repainted (an
        // eraser step repaints a small band): stroke only the segments that reach it.
        QRectF visible = option && !option->exposedRect.isEmpty() ? option->exposedRect
                                                                  : boundingRect();
        if (painter->hasClipping())
            visible &= painter->clipBoundingRect();
        if (!visible.contains(boundingRect())) {
            paintPath(painter, visibleSegments(visible));
            return;
        }
    }
    IPathElement::paint(painter, option, widget);
}

QPainterPath IPencilPathElement::visibleSegments(const QRectF& visible) const
{
    // A margin of the whole thickness covers the round caps and joins plus antialiasing.
    const double m = thickness() + 2.0;
    const QRectF area = visible.adjusted(-m, -m, m, m);
    QPainterPath runs;
    bool inRun = false;
    for (int i = 0; i + 1 < m_points.size(); ++i) {
        const QPointF& a = m_points.at(i);
        const QPointF& b = m_points.at(i + 1);
        // Not QRectF::intersects: a horizontal or vertical segment has an empty rectangle.
        const bool reaches = qMin(a.x(), b.x()) <= area.right() && qMax(a.x(), b.x()) >= area.left() &&
                             qMin(a.y(), b.y()) <= area.bottom() && qMax(a.y(), b.y()) >= area.top();
        if (!reaches) {
            inRun = false;
            continue;
        }
        if (!inRun) {
            runs.moveTo(a);
            inRun = true;
        }
        runs.lineTo(b);
    }
    return runs;
}

void IPencilPathElement::copyItemParameters(IElement* target) const
{
    if (!dynamic_cast<IPencilPathElement*>(target))
        return;
    IPathElement::copyItemParameters(target);
}

IElement* IPencilPathElement::deepCopy() const
{
    // Attributes first: the dot's size comes from the thickness when the path is built.
    auto* copy = new IPencilPathElement(nullptr);
    copyItemParameters(copy);
    copy->addDrawPoints(m_points);
    return copy;
}
