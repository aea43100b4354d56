#include "board/figure/ilinepathelement.h"

#include <QPainter>

#include "board/iimageutils.h"

namespace {

// The source region keeps this much more than the ink, split over both sides.
constexpr int RegionMargin = 10;

} // namespace

ILinePathElement::ILinePathElement(QGraphicsItem* parent) : IPathElement(parent)
{
    init();
}

ILinePathElement::ILinePathElement(const QPointF& start, const QPointF& stop,
                                   QGraphicsItem* parent)
    : IPathElement(parent)
{
    init();
    setLine(start, stop);
}

void ILinePathElement::init()
{
    setFlag(QGraphicsItem::ItemSendsGeometryChanges, true);
    setFlag(QGraphicsItem::ItemIsSelectable, true);
    setFlag(QGraphicsItem::ItemIsMovable, false);
    setId(createUuidString());
    setPathStyle(2);
}

void ILinePathElement::setStopPos(const QPointF& p)
{
    m_stop = p;
    const QLineF segment(m_start, m_stop);
    const int t = thickness();
    QPainterPath outline;
    outline.addPolygon(Q_LINE_TO_POLYGON(segment, t));
    setSourceRegion(QRegion(Q_LINE_TO_POLYGON(segment, t + RegionMargin).toPolygon(),
                            Qt::OddEvenFill));
    setPath(outline);
}

void ILinePathElement::setLine(const QPointF& start, const QPointF& stop)
{
    setStartPos(start);
    setStopPos(stop);
}

void ILinePathElement::paint(QPainter* painter, const QStyleOptionGraphicsItem* option,
                             QWidget* widget)
{
    paintFilled(painter, option, widget);
}

void ILinePathElement::copyItemParameters(IElement* target) const
{
    if (!dynamic_cast<ILinePathElement*>(target))
        return;
    IPathElement::copyItemParameters(target);
}

IElement* ILinePathElement::deepCopy() const
{
    // Thickness first: the capsule and its region are built from it.
    auto* copy = new ILinePathElement(nullptr);
    copyItemParameters(copy);
    copy->setLine(m_start, m_stop);
    return copy;
}
