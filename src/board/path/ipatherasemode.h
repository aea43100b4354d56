#ifndef IPATHERASEMODE_H
#define IPATHERASEMODE_H

#include <QObject>
#include <QPointF>

#include "board/model/imodebase.h"

class QGraphicsEllipseItem;

// The eraser: every pointer step erases a band from the previous position to the new
// one out of the path elements it crosses, and deletes those wholly erased. Its width
// is the eraser size on screen, whatever the zoom.
class IPathEraseMode : public QObject, public IMode
{
    Q_OBJECT
public:
    // The ghost circle stacks above every element, frame and overlay.
    static constexpr double GhostZ = 10001000.0;

    IPathEraseMode();
    explicit IPathEraseMode(IBoard* board);
    ~IPathEraseMode() override;

    // Ends an erase gesture still in progress.
    void switchOff() override;
    void switchOn() override;
    void deviceDown(IDeviceEventArgs* args) override;
    void deviceMove(IDeviceEventArgs* args) override;
    void deviceUp(IDeviceEventArgs* args) override;

    // The size argument is not used: the size comes from the board state.
    void eraseDown(const QPointF& p, double size = 0.0);
    void eraseTo(const QPointF& p, const double& size);
    void eraseUp();
    void showEraser(bool show);

    void eraseMove(const QPointF& p, double size);
    void drawEraser(const QPointF& p, bool show, int size);
    void moveTo(const QPointF& p) { m_lastPoint = p; }
    void changeCursor() { showEraser(true); }

    QGraphicsEllipseItem* ghost() const { return m_ghost; }
    bool isPressed() const { return m_pressed; }

private:
    double eraserSize() const;
    double zoom() const;
    QPointF scenePoint(const IDeviceEventArgs* args) const;
    void placeGhost(const QPointF& p, double diameter);

    QGraphicsEllipseItem* m_ghost = nullptr;
    QPointF m_lastPoint;
    bool m_pressed = false;
};

#endif
