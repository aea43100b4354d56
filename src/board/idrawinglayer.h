#ifndef IDRAWINGLAYER_H
#define IDRAWINGLAYER_H

#include <QGraphicsItem>
#include <QHash>
#include <QImage>
#include <QRegion>
#include <QTransform>

class IBoard;
class ISlide;

// The finished drawings of the shown page, kept as one picture in the board's device
// pixels just above the camera picture. A new camera frame then costs one blend of
// that picture instead of stroking every element again.
//
// Elements are settled into it from the bottom of the page's stack up to the first one
// that is still changing: one held by a selection frame or with the focus, one added
// during the pointer gesture in progress, or any other visible item in between (the
// live pen overlay). Settled elements paint nothing themselves (ItemHasNoContents);
// everything else paints as usual, above the layer, so the stacking stays as it was.
// Rendering the page anywhere else (snapshots) paints the settled elements directly.
class IDrawingLayer : public QGraphicsItem
{
public:
    enum { Type = UserType + 30 };
    // Just above the camera picture, below every element.
    static constexpr double LayerZ = -9999998.0;

    explicit IDrawingLayer(IBoard* board);
    ~IDrawingLayer() override;

    // The page the board shows; the previous page's elements paint themselves again.
    void setPage(ISlide* page);
    // The page was deleted (the layer was not on it): forget it without touching it.
    void pageDestroyed();
    // Elements came or went: settle again before the next paint.
    void pageChanged();
    // Elements leaving the page, before anyone may delete them.
    void takeOff(const QList<QGraphicsItem*>& items);
    // Settled elements in the scene area changed how they look (an eraser pass).
    void refresh(const QRectF& sceneArea);
    // Brings the settled set up to date; the board calls it before every paint.
    void settle();

    bool isSettled(QGraphicsItem* item) const;
    int settledCount() const { return m_settled.size(); }
    // Bytes held by the cached picture (0 while nothing is settled).
    qint64 cacheBytes() const { return m_cache.sizeInBytes(); }

    QRectF boundingRect() const override;
    // Never hit: the layer is not a thing on the page.
    QPainterPath shape() const override;
    bool contains(const QPointF& point) const override;
    void paint(QPainter* painter, const QStyleOptionGraphicsItem* option, QWidget* widget) override;
    int type() const override { return Type; }

private:
    struct Settled
    {
        QRectF rect;   // scene rectangle when settled, to repaint it if the item vanishes
        double z = 0.0;
    };

    QList<QGraphicsItem*> liveItems() const;
    void adopt(QGraphicsItem* item);
    void release(QGraphicsItem* item);
    void releaseAll();
    void updateBounds();
    void invalidateScene(const QRectF& sceneRect);
    bool cacheFits(QPainter* painter, QWidget* widget) const;
    void prepareCache();
    void redraw(const QRegion& dirty);
    // Paints the settled elements meeting the scene area, bottom first, as the scene would.
    void paintSettled(QPainter* painter, const QTransform& base, const QRectF& sceneArea,
                      QWidget* widget) const;

    IBoard* m_board;
    ISlide* m_page = nullptr;
    QHash<QGraphicsItem*, Settled> m_settled;
    QRectF m_bounds;
    // What the last settle saw; a change means settling again.
    QList<QGraphicsItem*> m_lastLive;
    bool m_lastGesture = false;
    bool m_settleNeeded = true;

    // The settled elements as the board's viewport shows them.
    QImage m_cache;
    QTransform m_cacheTransform;
    QSize m_cacheSize;
    qreal m_cacheRatio = 1.0;
    QRegion m_dirty;
};

#endif
