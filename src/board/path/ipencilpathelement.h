#ifndef IPENCILPATHELEMENT_H
#define IPENCILPATHELEMENT_H

#include <QVector>

#include "board/path/ipathelement.h"

// A freehand pen stroke: a polyline through its points, or a round dot when the pen
// went down and up at one place.
class IPencilPathElement : public IPathElement
{
public:
    explicit IPencilPathElement(QGraphicsItem* parent = nullptr);
    IPencilPathElement(QVector<QPointF> points, QGraphicsItem* parent = nullptr);

    void paint(QPainter* painter, const QStyleOptionGraphicsItem* option, QWidget* widget) override;
    IElement* deepCopy() const override;
    void copyItemParameters(IElement* target) const override;

    virtual void addDrawPoint(const QPointF& point);
    // Replaces the stroke and rebuilds the path; the dot is sized by the current thickness.
    virtual void addDrawPoints(const QVector<QPointF>& points);
    virtual QVector<QPointF> drawPoints() const { return m_points; }

    bool isSinglePoint() const { return m_singlePoint; }

private:
    void init();
    void rebuildPath();
    // The segments that can touch the visible area, as runs of the polyline.
    QPainterPath visibleSegments(const QRectF& visible) const;

    bool m_singlePoint = false;
    QVector<QPointF> m_points;
};

#endif
