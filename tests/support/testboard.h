#ifndef TESTBOARD_H
#define TESTBOARD_H

#include <QImage>
#include <QPointF>
#include <QSize>

#include "board/model/ideviceargs.h"

class IBoard;
class ISlide;
class QGraphicsScene;
class QGraphicsItem;

// A shown 800 x 600 board whose view maps 1:1 onto the scene, with one page and a
// camera picture covering it, driven through its mode registry.
struct ShownBoard
{
    ShownBoard(const QSize& picture = QSize(800, 600));
    ~ShownBoard();

    IBoard* board = nullptr;
    ISlide* slide = nullptr;

    void down(const QPointF& p, int id = IDeviceArgs::MouseDeviceId);
    void move(const QPointF& p, int id = IDeviceArgs::MouseDeviceId);
    void up(const QPointF& p, int id = IDeviceArgs::MouseDeviceId);
    void drag(const QPointF& from, const QPointF& to, int steps = 4);
    // Real mouse events on the board's viewport: press at from, move through via, release at to.
    void mouseGesture(const QPointF& from, const QPointF& via, const QPointF& to);
};

// The scene area rendered into a transparent image.
QImage renderArea(QGraphicsScene* scene, const QRect& area);
// The item alone, in a scene of its own, rendered over the area.
QImage renderItem(QGraphicsItem* item, const QRect& area);
// Alpha of the pixel at scene point p in an image rendered from area.
int inkAt(const QImage& image, const QRect& area, const QPoint& p);

#endif
