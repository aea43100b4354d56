#include "board/figure/iclosedpathelements.h"

#include <algorithm>
#include <cmath>

#include <QPainter>

namespace {

enum PathStyle { CircleStyle = 3, EllipseStyle = 4, RectangleStyle = 5, TriangleStyle = 6 };

void initShapeItem(IPathElement* element)
{
    element->setFlag(QGraphicsItem::ItemSendsGeometryChanges, true);
    element->setFlag(QGraphicsItem::ItemIsSelectable, true);
    element->setFlag(QGraphicsItem::ItemIsMovable, false);
    element->setId(createUuidString());
}

} // namespace

IClosedPathElement::IClosedPathElement(int pathStyle, QGraphicsItem* parent)
    : IPathElement(parent)
{
    initShapeItem(this);
    setPathStyle(pathStyle);
}

void IClosedPathElement::setRect(const QPointF& p1, const QPointF& p2)
{
    m_first = p1;
    m_second = spannedCorner(p1, p2);
    setSourceRegion(buildSourceRegion());
    setPath(buildPath());
}

QRegion IClosedPathElement::grownRegion(QRegion::RegionType type) const
{
    const double t = thickness();
    const QRectF r = rect();
    return QRegion(QRect(qRound(r.x() - t), qRound(r.y() - t), qRound(r.width() + 2 * t),
                         qRound(r.height() + 2 * t)),
                   type);
}

void IClosedPathElement::paint(QPainter* painter, const QStyleOptionGraphicsItem* option,
                               QWidget* widget)
{
    const QPen outline(QBrush(color(), Qt::SolidPattern), thickness(), Qt::SolidLine,
                       Qt::RoundCap, Qt::RoundJoin);
    QColor inside = fillColor();
    inside.setAlpha(alpha());
    const QBrush fill(inside, Qt::SolidPattern);
    painter->setPen(outline);
    painter->setBrush(fill);
    setPen(outline);
    setBrush(fill);
    IPathElement::paint(painter, option, widget);
}

// Circle.

ICirclePathElement::ICirclePathElement(QGraphicsItem* parent)
    : IClosedPathElement(CircleStyle, parent)
{
}

ICirclePathElement::ICirclePathElement(const QPointF& p1, const QPointF& p2, QGraphicsItem* parent)
    : IClosedPathElement(CircleStyle, parent)
{
    setRect(p1, p2);
}

QPointF ICirclePathElement::spannedCorner(const QPointF& p1, const QPointF& p2) const
{
    // The larger extent in both directions; a zero component counts as positive, so a
    // drag straight right or down still gives a circle.
    const double dx = p2.x() - p1.x();
    const double dy = p2.y() - p1.y();
    const double s = std::max(std::fabs(dx), std::fabs(dy));
    return p1 + QPointF(dx < 0 ? -s : s, dy < 0 ? -s : s);
}

QPainterPath ICirclePathElement::buildPath() const
{
    QPainterPath path;
    path.addEllipse(rect());
    return path;
}

QRegion ICirclePathElement::buildSourceRegion() const
{
    return grownRegion(QRegion::Ellipse);
}

void ICirclePathElement::copyItemParameters(IElement* target) const
{
    if (dynamic_cast<ICirclePathElement*>(target))
        IPathElement::copyItemParameters(target);
}

IElement* ICirclePathElement::deepCopy() const
{
    return copyOf(this);
}

// Ellipse.

IEllipsePathElement::IEllipsePathElement(QGraphicsItem* parent)
    : IClosedPathElement(EllipseStyle, parent)
{
}

IEllipsePathElement::IEllipsePathElement(const QPointF& p1, const QPointF& p2,
                                         QGraphicsItem* parent)
    : IClosedPathElement(EllipseStyle, parent)
{
    setRect(p1, p2);
}

QPainterPath IEllipsePathElement::buildPath() const
{
    QPainterPath path;
    path.addEllipse(rect());
    return path;
}

QRegion IEllipsePathElement::buildSourceRegion() const
{
    return grownRegion(QRegion::Ellipse);
}

void IEllipsePathElement::copyItemParameters(IElement* target) const
{
    if (dynamic_cast<IEllipsePathElement*>(target))
        IPathElement::copyItemParameters(target);
}

IElement* IEllipsePathElement::deepCopy() const
{
    return copyOf(this);
}

// Rectangle.

IRectanglePathElement::IRectanglePathElement(QGraphicsItem* parent)
    : IClosedPathElement(RectangleStyle, parent)
{
}

IRectanglePathElement::IRectanglePathElement(const QPointF& p1, const QPointF& p2,
                                             QGraphicsItem* parent)
    : IClosedPathElement(RectangleStyle, parent)
{
    setRect(p1, p2);
}

QPainterPath IRectanglePathElement::buildPath() const
{
    QPainterPath path;
    path.addRect(rect());
    return path;
}

QRegion IRectanglePathElement::buildSourceRegion() const
{
    return grownRegion(QRegion::Rectangle);
}

void IRectanglePathElement::copyItemParameters(IElement* target) const
{
    if (dynamic_cast<IRectanglePathElement*>(target))
        IPathElement::copyItemParameters(target);
}

IElement* IRectanglePathElement::deepCopy() const
{
    return copyOf(this);
}

// Isosceles triangle.

IIsoscelesTrianglePathElement::IIsoscelesTrianglePathElement(QGraphicsItem* parent)
    : IClosedPathElement(TriangleStyle, parent)
{
}

IIsoscelesTrianglePathElement::IIsoscelesTrianglePathElement(const QPointF& p1, const QPointF& p2,
                                                             QGraphicsItem* parent)
    : IClosedPathElement(TriangleStyle, parent)
{
    setRect(p1, p2);
}

QPainterPath IIsoscelesTrianglePathElement::buildPath() const
{
    const QRectF r = rect();
    const QPointF p1 = r.topLeft();
    // Whole units, so the apex sits on a pixel column.
    const int w = static_cast<int>(r.width());
    const int h = static_cast<int>(r.height());
    const int half = w / 2;
    QPainterPath path;
    path.moveTo(p1.x() + half, p1.y());
    path.lineTo(p1.x() + w, p1.y() + h);
    path.lineTo(p1.x(), p1.y() + h);
    path.closeSubpath();
    return path;
}

QRegion IIsoscelesTrianglePathElement::buildSourceRegion() const
{
    return grownRegion(QRegion::Rectangle);
}

void IIsoscelesTrianglePathElement::copyItemParameters(IElement* target) const
{
    if (dynamic_cast<IIsoscelesTrianglePathElement*>(target))
        IPathElement::copyItemParameters(target);
}

IElement* IIsoscelesTrianglePathElement::deepCopy() const
{
    return copyOf(this);
}
