#include "board/item/iabstractelements.h"

IAbstractGraphicsShapeElement::IAbstractGraphicsShapeElement(QGraphicsItem* parent)
    : IElementImpl<QAbstractGraphicsShapeItem>(parent)
{
}

IAbstractPathElement::IAbstractPathElement(QGraphicsItem* parent)
    : IElementImpl<QGraphicsPathItem>(parent)
{
}

IAbstractPathElement::IAbstractPathElement(const QPainterPath& path, QGraphicsItem* parent)
    : IElementImpl<QGraphicsPathItem>(path, parent)
{
}

IAbstractGraphicsTextElement::IAbstractGraphicsTextElement(QGraphicsItem* parent)
    : IElementImpl<QGraphicsTextItem>(parent)
{
}

IAbstractGraphicsTextElement::IAbstractGraphicsTextElement(const QString& text,
                                                           QGraphicsItem* parent)
    : IElementImpl<QGraphicsTextItem>(text, parent)
{
}
