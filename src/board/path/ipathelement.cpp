#include "board/path/ipathelement.h"

#include <QDebug>
#include <QPainter>

using namespace TX_IBOARD_ENUM;

IPathElement::IPathElement(QGraphicsItem* parent) : IAbstractPathElement(parent)
{
    init();
}

IPathElement::IPathElement(const QPainterPath& path, QGraphicsItem* parent)
    : IAbstractPathElement(path, parent)
{
    init();
}

void IPathElement::init()
{
    setLayer(DefaultLayer);
}

QRectF IPathElement::boundingRect() const
{
    const double t = m_thickness;
    return path().boundingRect().adjusted(-t, -t, t, t);
}

QPainterPath IPathElement::shape() const
{
    QPainterPath outline;
    outline.addRect(path().boundingRect());
    return outline;
}

void IPathElement::setThickness(const int& thickness)
{
    if (thickness == m_thickness)
        return;
    // The bounding rectangle depends on it; the scene's index must hear of the change.
    prepareGeometryChange();
    m_thickness = thickness;
}

QRegion IPathElement::sourceRegion() const
{
    if (m_sourceRegion.isEmpty()) {
        // Each number rounded on its own: QRectF::toRect would round the corners.
        const QRectF r = boundingRect();
        m_sourceRegion = QRegion(QRect(qRound(r.x()), qRound(r.y()), qRound(r.width()),
                                       qRound(r.height())),
                                 QRegion::Rectangle);
        m_clipValid = false;
    }
    return m_sourceRegion;
}

void IPathElement::setSourceRegion(const QRegion& region)
{
    m_sourceRegion = region;
    m_clipValid = false;
}

void IPathElement::setEraseRegion(const QRegion& region)
{
    m_eraseRegion = region;
    m_clipValid = false;
}

bool IPathElement::addEraseRegion(const QRegion& region)
{
    m_eraseRegion += region;
    m_clipValid = false;
    // A stroke not yet painted has no stored region: compute it, or the first touch
    // of the eraser would count as covering it.
    if (sourceRegion().subtracted(m_eraseRegion).isEmpty()) {
        qDebug() << "delete path item";
        return true;
    }
    return false;
}

QRegion IPathElement::clipRegion() const
{
    if (!m_clipValid) {
        m_clip = sourceRegion().subtracted(m_eraseRegion);
        m_clipValid = true;
    }
    return m_clip;
}

void IPathElement::paint(QPainter* painter, const QStyleOptionGraphicsItem*, QWidget*)
{
    paintPath(painter, path());
}

void IPathElement::paintPath(QPainter* painter, const QPainterPath& outline)
{
    painter->setRenderHint(QPainter::Antialiasing, true);
    // Intersect rather than replace: a caller's clip (render() into a target) still holds.
    painter->setClipRegion(clipRegion(), Qt::IntersectClip);
    painter->drawPath(outline);
}

void IPathElement::setElementProperty(ElementStype key, const QVariant& value)
{
    IElement::setElementProperty(key, value);
}

QVariant IPathElement::getElementProperty(ElementStype key) const
{
    return IElement::getElementProperty(key);
}

void IPathElement::copyItemParameters(IElement* target) const
{
    auto* other = dynamic_cast<IPathElement*>(target);
    if (!other)
        return;
    IAbstractPathElement::copyItemParameters(target);
    other->setColor(color());
    other->setFillColor(fillColor());
    other->setOpacity(opacity());
    other->setThickness(thickness());
    // Without it a copy would paint at whatever opacity it was born with.
    other->setAlpha(alpha());
    other->setPathStyle(pathStyle());
    other->addErasePoints(erasePoints());
    other->setEraseRegion(eraseRegion());
}

IElement* IPathElement::deepCopy() const
{
    auto* copy = new IPathElement(path(), nullptr);
    copyItemParameters(copy);
    return copy;
}

void IPathElement::paintFilled(QPainter* painter, const QStyleOptionGraphicsItem* option,
                               QWidget* widget)
{
    QColor c = color();
    c.setAlpha(alpha());
    const QBrush fill(c, Qt::SolidPattern);
    painter->setPen(Qt::NoPen);
    painter->setBrush(fill);
    setPen(QPen(Qt::NoPen));
    setBrush(fill);
    IPathElement::paint(painter, option, widget);
}
