#ifndef IPATHRENDERWIDGET_H
#define IPATHRENDERWIDGET_H

#include <functional>

#include <QGraphicsRectItem>
#include <QImage>
#include <QRegion>

class IBoard;
class IDeviceEventArgs;

// The pen's live-stroke overlay: each new segment is painted at once into a transparent
// image shown at the ink opacity, so no element is rebuilt while the pen moves.
class IPathRenderWidget : public QGraphicsRectItem
{
public:
    explicit IPathRenderWidget(IBoard* board, QGraphicsItem* parent = nullptr);
    ~IPathRenderWidget() override;

    // The first show puts the overlay on the board's current page; hiding clears it.
    virtual void setFrameVisible(const bool& visible);
    virtual void addMousePressed(const IDeviceEventArgs* args);
    virtual void addMouseMove(const IDeviceEventArgs* args);
    virtual void addMouseRelease(const IDeviceEventArgs* args);
    // Everything drawn since the last show, with a margin round the ink.
    virtual QRegion dirtyRegion() const { return m_covered; }
    virtual void drawPolygon(QPointF p1, QPointF p2);

    void paint(QPainter* painter, const QStyleOptionGraphicsItem* option, QWidget* widget) override;

    const QImage& image() const { return m_image; }
    // Called when something other than the owner deletes the overlay (its page going away).
    void setDestroyedHandler(std::function<void()> handler) { m_onDestroyed = std::move(handler); }

private:
    QPointF scenePoint(const IDeviceEventArgs* args) const;

    bool m_firstShow = true;
    IBoard* m_board;
    QPointF m_lastPoint;
    QImage m_image;
    QRegion m_covered;
    std::function<void()> m_onDestroyed;
};

#endif
