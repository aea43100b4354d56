#ifndef IPATHELEMENT_H
#define IPATHELEMENT_H

#include <QBrush>
#include <QColor>
#include <QPen>
#include <QRegion>
#include <QVector>

#include "board/item/iabstractelements.h"

// A vector element of the board. Erasing never edits the path: the element paints
// inside its source region minus an erase region that every eraser pass enlarges.
class IPathElement : public IAbstractPathElement
{
public:
    enum { Type = QGraphicsItem::UserType + 15 };
    // Path elements sit just above the camera picture.
    static constexpr double DefaultLayer = -9000000.0;

    explicit IPathElement(QGraphicsItem* parent = nullptr);
    IPathElement(const QPainterPath& path, QGraphicsItem* parent = nullptr);

    // The path's rectangle grown by the thickness on every side.
    QRectF boundingRect() const override;
    // Hit tests see the path's rectangle, without the thickness margin.
    QPainterPath shape() const override;
    void paint(QPainter* painter, const QStyleOptionGraphicsItem* option, QWidget* widget) override;
    int type() const override { return Type; }
    void copyItemParameters(IElement* target) const override;

    virtual int pathStyle() const { return m_pathStyle; }
    virtual void setPathStyle(int style) { m_pathStyle = style; }
    virtual void setPen(const QPen& pen) { m_pen = pen; }
    virtual QPen pen() const { return m_pen; }
    virtual void setBrush(const QBrush& brush) { m_brush = brush; }
    virtual QBrush brush() const { return m_brush; }
    virtual void setColor(const QColor& color) { m_color = color; }
    virtual QColor color() const { return m_color; }
    virtual void setFillColor(const QColor& color) { m_fillColor = color; }
    virtual QColor fillColor() const { return m_fillColor; }
    virtual void setThickness(const int& thickness);
    virtual int thickness() const { return m_thickness; }
    virtual void setAlpha(const int& alpha) { m_alpha = alpha; }
    virtual int alpha() const { return m_alpha; }
    virtual void addErasePoint(const QPointF& point) { m_erasePoints.append(point); }
    // Replaces the recorded eraser positions.
    virtual void addErasePoints(const QVector<QPointF>& points) { m_erasePoints = points; }
    virtual QVector<QPointF> erasePoints() const { return m_erasePoints; }
    // True once the erased area covers the whole source region; the caller removes
    // the element then.
    virtual bool addEraseRegion(const QRegion& region);
    virtual void setEraseRegion(const QRegion& region);
    virtual QRegion eraseRegion() const { return m_eraseRegion; }
    virtual void setSourceRegion(const QRegion& region);
    // Without a stored region: the rounded bounding rectangle, which is then stored.
    virtual QRegion sourceRegion() const;
    // Only the file path, file id, tag and tag data keys.
    void setElementProperty(TX_IBOARD_ENUM::ElementStype key, const QVariant& value) override;
    QVariant getElementProperty(TX_IBOARD_ENUM::ElementStype key) const override;
    IElement* deepCopy() const override;

protected:
    // Draws the given outline (the path, or a part of it) clipped to what is left unerased.
    void paintPath(QPainter* painter, const QPainterPath& outline);
    // Fills the path in the colour at the element's alpha, without an outline.
    void paintFilled(QPainter* painter, const QStyleOptionGraphicsItem* option, QWidget* widget);

private:
    void init();
    QRegion clipRegion() const;

    QPen m_pen;
    QBrush m_brush;
    int m_alpha = 255;
    QColor m_color;
    QColor m_fillColor;
    int m_thickness = 0;
    int m_pathStyle = 0;
    mutable QRegion m_sourceRegion;
    QRegion m_eraseRegion;
    QVector<QPointF> m_erasePoints;
    // Source minus erase, kept between paints: region arithmetic is the costly part.
    mutable QRegion m_clip;
    mutable bool m_clipValid = false;
};

#endif
