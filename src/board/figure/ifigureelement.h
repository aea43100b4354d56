#ifndef IFIGUREELEMENT_H
#define IFIGUREELEMENT_H

#include <QColor>
#include <QPainterPath>
#include <QPen>

#include "board/item/iabstractelements.h"

// Base of the figure tool's shapes: outline pen, fill (plain colour or a two-colour
// gradient), figure kind, identity in the item's data and the copy protocol.
class IFigureElement : public IStackedElement<IAbstractGraphicsShapeElement>
{
public:
    enum { Type = QGraphicsItem::UserType + 4 };
    // The same numbers as Qt::PenStyle; anything else draws solid.
    enum LineStyle {
        SolidLine = 1,
        DashLine = 2,
        DotLine = 3,
        DashDotLine = 4,
        DashDotDotLine = 5
    };
    enum FillMode { FillNone = 0, FillBackground = 1, FillGradient = 2 };

    explicit IFigureElement(QGraphicsItem* parent = nullptr);

    QRectF boundingRect() const override { return QRectF(); }
    void paint(QPainter*, const QStyleOptionGraphicsItem*, QWidget*) override {}
    int type() const override { return Type; }

    void copyItemParameters(IElement* target) const override;
    virtual void setThicness(double width);
    void setElementProperty(TX_IBOARD_ENUM::ElementStype key, const QVariant& value) override;
    QVariant getElementProperty(TX_IBOARD_ENUM::ElementStype key) const override;

    // Black pen of width 2 with round ends and a transparent brush.
    void initialize();
    int figureType() const { return m_figureType; }
    void setLineStyle(int style);
    void setForeground(const QColor& color);
    // Solids never show a fill: they store a transparent background whatever is passed.
    void setBackground(const QColor& color);
    QColor background() const { return m_background; }
    void setGradientBackground(const QColor& start, const QColor& end, Qt::BrushStyle style);
    void setFigureOpacity(double alpha);
    int fillMode() const { return m_fillMode; }
    int gradientStyle() const { return m_gradientStyle; }
    QColor gradientStart() const { return m_gradientStart; }
    QColor gradientEnd() const { return m_gradientEnd; }

    // The rectangle grown by half the integer pen width on every side.
    QRectF adjustBoundingRect(const QRectF& r) const;
    // Brush from the fill, pen from the item; every paint starts here.
    void setStyle(QPainter* painter) const;

    static bool isSolidType(int figureType);

protected:
    void setFigureType(int type) { m_figureType = type; }
    // Called whenever the pen changed (colour, width, style); parts drawn from it follow.
    virtual void penChanged() {}
    void changePen(const QPen& pen);
    // A shape path that holds just the bounding rectangle.
    QPainterPath rectShape() const;

    // Builds a parentless copy of the concrete class and copies this figure onto it.
    template <class T>
    static IElement* copyOf(const T* source, T* copy)
    {
        source->copyItemParameters(copy);
        return copy;
    }

    QPainterPath m_path;

private:
    QColor m_background;
    QColor m_gradientStart;
    QColor m_gradientEnd;
    int m_fillMode = FillNone;
    int m_gradientStyle = Qt::NoBrush;
    int m_figureType = 0;
};

#endif
