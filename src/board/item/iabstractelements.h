#ifndef IABSTRACTELEMENTS_H
#define IABSTRACTELEMENTS_H

#include <QAbstractGraphicsShapeItem>
#include <QGraphicsPathItem>
#include <QGraphicsTextItem>

#include "board/item/ielement.h"

// Base of the figure elements.
class IAbstractGraphicsShapeElement : public IElementImpl<QAbstractGraphicsShapeItem>
{
public:
    explicit IAbstractGraphicsShapeElement(QGraphicsItem* parent = nullptr);
};

// Base of the vector path elements.
class IAbstractPathElement : public IElementImpl<QGraphicsPathItem>
{
public:
    explicit IAbstractPathElement(QGraphicsItem* parent = nullptr);
    IAbstractPathElement(const QPainterPath& path, QGraphicsItem* parent = nullptr);
};

// Base of the rich-text elements.
class IAbstractGraphicsTextElement : public IElementImpl<QGraphicsTextItem>
{
    Q_OBJECT
public:
    explicit IAbstractGraphicsTextElement(QGraphicsItem* parent = nullptr);
    IAbstractGraphicsTextElement(const QString& text, QGraphicsItem* parent = nullptr);
};

#endif
