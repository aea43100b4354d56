#ifndef ISOLIDFIGUREELEMENTS_H
#define ISOLIDFIGUREELEMENTS_H

#include "board/figure/iplanefigureelements.h"

// Line drawings of solids sized by the dragged rectangle, hidden edges dashed. Their
// background is always transparent; only the ball fills itself (red).
class ISolidFigureElement : public IRectPlacedFigureElement
{
public:
    using IRectPlacedFigureElement::IRectPlacedFigureElement;

    void paint(QPainter* painter, const QStyleOptionGraphicsItem* option, QWidget* widget) override;

protected:
    // Draws into the integer rectangle (min(iw, 0), min(ih, 0), |iw|, |ih|).
    virtual void drawSolid(QPainter* painter) = 0;
    QRect solidRect() const;
};

class ICubeFigureElement : public ISolidFigureElement
{
public:
    explicit ICubeFigureElement(QGraphicsItem* parent = nullptr);
    IElement* deepCopy() const override;

protected:
    void drawSolid(QPainter* painter) override;
};

class IConeFigureElement : public ISolidFigureElement
{
public:
    explicit IConeFigureElement(QGraphicsItem* parent = nullptr);
    IElement* deepCopy() const override;

    // Dash-dot height and base lines.
    void setDrawFlagLine(bool draw);
    bool drawFlagLine() const { return m_drawFlagLine; }

protected:
    void drawSolid(QPainter* painter) override;

private:
    bool m_drawFlagLine = false;
};

class ICylinderFigureElement : public ISolidFigureElement
{
public:
    explicit ICylinderFigureElement(QGraphicsItem* parent = nullptr);
    IElement* deepCopy() const override;

protected:
    void drawSolid(QPainter* painter) override;
};

class IDihedralFigureElement : public ISolidFigureElement
{
public:
    explicit IDihedralFigureElement(QGraphicsItem* parent = nullptr);
    IElement* deepCopy() const override;

protected:
    void drawSolid(QPainter* painter) override;
};

class IHemisphereFigureElement : public ISolidFigureElement
{
public:
    explicit IHemisphereFigureElement(QGraphicsItem* parent = nullptr);
    IElement* deepCopy() const override;

protected:
    void drawSolid(QPainter* painter) override;
};

class ITriangularPyramidFigureElement : public ISolidFigureElement
{
public:
    explicit ITriangularPyramidFigureElement(QGraphicsItem* parent = nullptr);
    QRectF boundingRect() const override;
    IElement* deepCopy() const override;

protected:
    void drawSolid(QPainter* painter) override;
};

class IBallFigureElement : public ISolidFigureElement
{
public:
    explicit IBallFigureElement(QGraphicsItem* parent = nullptr);
    QRectF boundingRect() const override;
    IElement* deepCopy() const override;

protected:
    void drawSolid(QPainter* painter) override;
};

#endif
