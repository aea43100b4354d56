#ifndef ILINEFIGUREELEMENTS_H
#define ILINEFIGUREELEMENTS_H

#include <QLineF>

#include "board/figure/ifigureelement.h"

class QGraphicsPathItem;

// A straight line with an optional dot or triangle at either end; its direction snaps
// to multiples of 45 degrees while an end is dragged.
class ILineFigureElement : public IFigureElement
{
public:
    enum ArrowType { NoArrow = 0, DotArrow = 1, TriangleArrow = 2 };
    enum ArrowDirect { StartArrow = 0, EndArrow = 1 };
    enum PointDirect { EndPoint = 0, StartPoint = 1 };

    explicit ILineFigureElement(QGraphicsItem* parent = nullptr);
    ~ILineFigureElement() override;

    QRectF boundingRect() const override;
    QPainterPath shape() const override { return rectShape(); }
    void paint(QPainter* painter, const QStyleOptionGraphicsItem* option, QWidget* widget) override;
    void copyItemParameters(IElement* target) const override;

    // Rebuilds the arrow items from the line, the arrow types and the pen.
    virtual void drawArrow();
    IElement* deepCopy() const override;

    void setLine(const QPointF& start, const QPointF& end);
    QPointF startPoint() const;
    QPointF endPoint() const;
    void setStartPoint(const QPointF& p);
    void setEndPoint(const QPointF& p);
    // Moves one end to point; a direction within tolerance degrees of a multiple of
    // 45 degrees is snapped onto it.
    void forcePointPosition(const QPointF& point, PointDirect direct, int tolerance);
    QPainterPath linePath() const { return m_path; }

    void setStartArrow(ArrowType type);
    void setEndArrow(ArrowType type);
    ArrowType startArrowType() const { return m_startArrow; }
    ArrowType endArrowType() const { return m_endArrow; }
    QGraphicsPathItem* startArrowItem() const { return m_startItem; }
    QGraphicsPathItem* endArrowItem() const { return m_endItem; }
    double arrowAngle(ArrowDirect direct) const;

protected:
    void penChanged() override { drawArrow(); }

private:
    void setPath(const QPainterPath& path);
    void updateArrowItem(QGraphicsPathItem*& item, ArrowType type, ArrowDirect direct);

    ArrowType m_startArrow = NoArrow;
    ArrowType m_endArrow = NoArrow;
    QGraphicsPathItem* m_startItem = nullptr;
    QGraphicsPathItem* m_endItem = nullptr;
};

// Rounds value up to a multiple of step (positive arguments).
int getNear(int value, int step);

// A wavy line of cubic segments along the straight line from its start to its end.
class IWaveLineFigureElement : public IFigureElement
{
public:
    explicit IWaveLineFigureElement(QGraphicsItem* parent = nullptr);

    QRectF boundingRect() const override;
    QPainterPath shape() const override { return rectShape(); }
    void paint(QPainter* painter, const QStyleOptionGraphicsItem* option, QWidget* widget) override;
    void copyItemParameters(IElement* target) const override;
    // The pen width (at least 2) and the wave width (as passed).
    void setThicness(double t) override;
    IElement* deepCopy() const override;

    void setLine(const QPointF& start, const QPointF& end);
    // Stores the start only; the next end or line rebuilds.
    void setStartPoint(const QPointF& p) { m_start = p; }
    void setEndPoint(const QPointF& p);
    QPointF startPoint() const { return m_start; }
    QPointF endPoint() const { return m_end; }
    void setWaveWidth(double w);
    double waveWidth() const { return m_waveWidth; }
    double getHDistance() const { return 2 * m_waveWidth; }
    double getVDistance() const { return 2 * m_waveWidth * 1.14; }
    double getMinimumWidth() const { return 2 * m_waveWidth; }
    QPainterPath wavePath() const { return m_path; }

    // Rebuilds the wave; empty for a null end, a zero length or a wave narrower than
    // a quarter pixel.
    void createWavePath();

private:
    void drawWave(QPainter* painter);

    QPointF m_start;
    QPointF m_end;
    double m_waveWidth = 5.0;
};

#endif
