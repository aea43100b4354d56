#ifndef ILINEPATHELEMENT_H
#define ILINEPATHELEMENT_H

#include <QLineF>

#include "board/path/ipathelement.h"

// A straight line drawn with the shape tool: a filled capsule as wide as the thickness.
class ILinePathElement : public IPathElement
{
public:
    explicit ILinePathElement(QGraphicsItem* parent = nullptr);
    ILinePathElement(const QPointF& start, const QPointF& stop, QGraphicsItem* parent = nullptr);

    void paint(QPainter* painter, const QStyleOptionGraphicsItem* option, QWidget* widget) override;
    void copyItemParameters(IElement* target) const override;
    IElement* deepCopy() const override;

    // Stores the start only; the next setStopPos rebuilds.
    virtual void setStartPos(const QPointF& p) { m_start = p; }
    virtual QPointF startPos() const { return m_start; }
    virtual void setStopPos(const QPointF& p);
    virtual QPointF stopPos() const { return m_stop; }
    virtual void setLine(const QPointF& start, const QPointF& stop);
    virtual QLineF line() const { return QLineF(m_start, m_stop); }

private:
    void init();

    QPointF m_start;
    QPointF m_stop;
};

#endif
