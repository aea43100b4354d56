#ifndef IPLANEFIGUREELEMENTS_H
#define IPLANEFIGUREELEMENTS_H

#include <QList>
#include <QRectF>

#include "board/figure/ifigureelement.h"

// The closed plane shapes of the figure tool. Except for the regular polygon each is
// placed by a rectangle: the item moves to its top-left corner and draws from (0, 0)
// with the signed width and height, so a shape dragged left or up draws into negative
// coordinates.

// A figure that keeps the whole rectangle it was given.
class IRectPlacedFigureElement : public IFigureElement
{
public:
    explicit IRectPlacedFigureElement(int figureType, QGraphicsItem* parent = nullptr);

    QRectF boundingRect() const override;
    QPainterPath shape() const override { return rectShape(); }
    void copyItemParameters(IElement* target) const override;

    void setRect(const QRectF& r);
    QRectF rect() const { return m_rect; }

protected:
    QRectF m_rect;
};

class IIsoscelesTriangleFigureElement : public IRectPlacedFigureElement
{
public:
    explicit IIsoscelesTriangleFigureElement(QGraphicsItem* parent = nullptr);
    void paint(QPainter* painter, const QStyleOptionGraphicsItem* option, QWidget* widget) override;
    IElement* deepCopy() const override;
};

class IParallelQuadrilateralFigureElement : public IRectPlacedFigureElement
{
public:
    explicit IParallelQuadrilateralFigureElement(QGraphicsItem* parent = nullptr);
    void paint(QPainter* painter, const QStyleOptionGraphicsItem* option, QWidget* widget) override;
    IElement* deepCopy() const override;
};

class IStarFigureElement : public IRectPlacedFigureElement
{
public:
    explicit IStarFigureElement(QGraphicsItem* parent = nullptr);
    void paint(QPainter* painter, const QStyleOptionGraphicsItem* option, QWidget* widget) override;
    IElement* deepCopy() const override;

    // n points on the ellipse in (0, 0, width, height), stretched to touch all four sides.
    static QList<QPointF> getVertexPoints(double width, double height, int n);
    // Where the infinite lines a1-a2 and b1-b2 cross.
    static QPointF getIntersection(const QPointF& a1, const QPointF& a2, const QPointF& b1,
                                   const QPointF& b2);
    // The ten-point outline for a w x h rectangle (empty when either side is zero).
    static QPainterPath starPath(int w, int h);
};

class IRectangleFigureElement : public IFigureElement
{
public:
    explicit IRectangleFigureElement(QGraphicsItem* parent = nullptr);

    QRectF boundingRect() const override;
    QPainterPath shape() const override { return rectShape(); }
    void paint(QPainter* painter, const QStyleOptionGraphicsItem* option, QWidget* widget) override;
    void copyItemParameters(IElement* target) const override;
    IElement* deepCopy() const override;

    void setRect(const QRectF& r);
    QRectF rect() const { return QRectF(pos(), m_size); }
    bool hasInCircle() const { return m_hasInCircle; }
    bool hasOutCircle() const { return m_hasOutCircle; }

private:
    QSizeF m_size;
    bool m_hasInCircle = false;
    bool m_hasOutCircle = false;
};

// A circle whose diameter is the larger side of the dragged rectangle.
class ICircleFigureElement : public IFigureElement
{
public:
    explicit ICircleFigureElement(QGraphicsItem* parent = nullptr);

    QRectF boundingRect() const override;
    QPainterPath shape() const override { return rectShape(); }
    void paint(QPainter* painter, const QStyleOptionGraphicsItem* option, QWidget* widget) override;
    void copyItemParameters(IElement* target) const override;
    IElement* deepCopy() const override;

    void setRect(const QRectF& r);
    QRectF rect() const;
    QPointF center() const { return pos() + QPointF(m_radius, m_radius); }
    void setRaidus(double radius);
    double radius() const { return m_radius; }
    bool flipX() const { return m_flipX; }
    bool flipY() const { return m_flipY; }

private:
    QRectF circleRect() const;

    double m_radius = 0.0;
    bool m_flipX = false;
    bool m_flipY = false;
};

class IEllipseFigureElement : public IFigureElement
{
public:
    explicit IEllipseFigureElement(QGraphicsItem* parent = nullptr);

    QRectF boundingRect() const override;
    QPainterPath shape() const override { return rectShape(); }
    void paint(QPainter* painter, const QStyleOptionGraphicsItem* option, QWidget* widget) override;
    void copyItemParameters(IElement* target) const override;
    IElement* deepCopy() const override;

    void setRect(const QRectF& r);
    QRectF rect() const { return QRectF(pos(), QSizeF(2 * m_radiusX, 2 * m_radiusY)); }
    QPointF center() const { return pos() + QPointF(m_radiusX, m_radiusY); }
    void setRadiusX(double r);
    void setRadiusY(double r);
    double radiusX() const { return m_radiusX; }
    double radiusY() const { return m_radiusY; }

private:
    QRectF ellipseRect() const;

    double m_radiusX = 0.0;
    double m_radiusY = 0.0;
};

// A regular polygon inscribed in the circle that fills the square spanned from the
// start point towards the pointer. Drawn in the item's own coordinates.
class IVerticsPolygonFigureElement : public IFigureElement
{
public:
    IVerticsPolygonFigureElement(int count, const QPointF& point, QGraphicsItem* parent = nullptr);

    QRectF boundingRect() const override;
    QPainterPath shape() const override { return m_outline; }
    void paint(QPainter* painter, const QStyleOptionGraphicsItem* option, QWidget* widget) override;
    void copyItemParameters(IElement* target) const override;
    virtual void addPoint(const QPointF& p);
    IElement* deepCopy() const override;

    // Sets the figure kind for 3, 5, 6 or 8 vertices; other counts leave it.
    void setFigureType(int count);
    void createVerticsPolygonFigure();
    void setStartPoint(const QPointF& p);
    QPointF startPoint() const { return m_startPassed; }
    void updatePath(const QPointF& p);
    QPointF lastPoint() const { return m_lastPoint; }
    QPointF correctStartPoint() const { return m_center - QPointF(m_radius, m_radius); }
    int vertexCount() const { return m_count; }
    QPointF center() const { return m_center; }
    double radius() const { return m_radius; }
    QPainterPath outline() const { return m_outline; }

private:
    int m_count;
    QList<QPointF> m_unitVertices;
    QPointF m_start;
    QPointF m_center;
    double m_radius = 0.0;
    QPainterPath m_outline;
    QPointF m_startPassed;
    QPointF m_lastPoint;
};

#endif
