#ifndef ICLOSEDPATHELEMENTS_H
#define ICLOSEDPATHELEMENTS_H

#include <QRectF>

#include "board/path/ipathelement.h"

// The closed shapes of the shape tool, each spanned by an anchor corner and the corner
// the pointer is at. Width or height stay negative while dragged left or up.
class IClosedPathElement : public IPathElement
{
public:
    explicit IClosedPathElement(int pathStyle, QGraphicsItem* parent = nullptr);

    // Outline in the colour, filled with the fill colour at the element's alpha.
    void paint(QPainter* painter, const QStyleOptionGraphicsItem* option, QWidget* widget) override;

    // Stores the anchor only; the next setBottomRightPos rebuilds.
    virtual void setTopLeftPos(const QPointF& p) { m_first = p; }
    virtual QPointF topLeftPos() const { return m_first; }
    virtual void setBottomRightPos(const QPointF& p) { setRect(m_first, p); }
    virtual QPointF bottomRightPos() const { return m_second; }
    virtual void setRect(const QRectF& r) { setRect(r.topLeft(), r.topLeft() + QPointF(r.width(), r.height())); }
    virtual void setRect(const QPointF& p1, const QPointF& p2);
    virtual QRectF rect() const { return QRectF(m_first, QSizeF(m_second.x() - m_first.x(), m_second.y() - m_first.y())); }

protected:
    // The corner actually stored for a drag from p1 to p2.
    virtual QPointF spannedCorner(const QPointF& p1, const QPointF& p2) const { Q_UNUSED(p1) return p2; }
    virtual QPainterPath buildPath() const = 0;
    virtual QRegion buildSourceRegion() const = 0;
    // The rectangle grown by the thickness, each number rounded on its own.
    QRegion grownRegion(QRegion::RegionType type) const;

    // Copies attributes first, then the geometry, which depends on the thickness.
    template <class T>
    static IElement* copyOf(const T* source)
    {
        auto* copy = new T(nullptr);
        source->copyItemParameters(copy);
        copy->setRect(source->topLeftPos(), source->bottomRightPos());
        return copy;
    }

private:
    QPointF m_first;
    QPointF m_second;
};

// A circle: the drag spans a square of the larger extent.
class ICirclePathElement : public IClosedPathElement
{
public:
    explicit ICirclePathElement(QGraphicsItem* parent = nullptr);
    ICirclePathElement(const QPointF& p1, const QPointF& p2, QGraphicsItem* parent = nullptr);
    void copyItemParameters(IElement* target) const override;
    IElement* deepCopy() const override;

protected:
    QPointF spannedCorner(const QPointF& p1, const QPointF& p2) const override;
    QPainterPath buildPath() const override;
    QRegion buildSourceRegion() const override;
};

class IEllipsePathElement : public IClosedPathElement
{
public:
    explicit IEllipsePathElement(QGraphicsItem* parent = nullptr);
    IEllipsePathElement(const QPointF& p1, const QPointF& p2, QGraphicsItem* parent = nullptr);
    void copyItemParameters(IElement* target) const override;
    IElement* deepCopy() const override;

protected:
    QPainterPath buildPath() const override;
    QRegion buildSourceRegion() const override;
};

class IRectanglePathElement : public IClosedPathElement
{
public:
    explicit IRectanglePathElement(QGraphicsItem* parent = nullptr);
    IRectanglePathElement(const QPointF& p1, const QPointF& p2, QGraphicsItem* parent = nullptr);
    void copyItemParameters(IElement* target) const override;
    IElement* deepCopy() const override;

protected:
    QPainterPath buildPath() const override;
    QRegion buildSourceRegion() const override;
};

// Apex centred on the anchor's row, base on the other corner's row.
class IIsoscelesTrianglePathElement : public IClosedPathElement
{
public:
    explicit IIsoscelesTrianglePathElement(QGraphicsItem* parent = nullptr);
    IIsoscelesTrianglePathElement(const QPointF& p1, const QPointF& p2,
                                  QGraphicsItem* parent = nullptr);
    void copyItemParameters(IElement* target) const override;
    IElement* deepCopy() const override;

protected:
    QPainterPath buildPath() const override;
    QRegion buildSourceRegion() const override;
};

#endif
