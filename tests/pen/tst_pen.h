#ifndef TST_PEN_H
#define TST_PEN_H

#include <memory>

#include <QImage>
#include <QObject>
#include <QPointF>

#include "board/model/ideviceargs.h"

class IBoard;
class ISlide;
class QGraphicsScene;
class QGraphicsItem;

// A shown 800 x 600 board whose view maps 1:1 onto the scene, with one page and a
// camera picture covering it, and the path modes registered.
struct PenBoard
{
    PenBoard(const QSize& picture = QSize(800, 600));
    ~PenBoard();

    IBoard* board = nullptr;
    ISlide* slide = nullptr;

    void down(const QPointF& p, int id = IDeviceArgs::MouseDeviceId);
    void move(const QPointF& p, int id = IDeviceArgs::MouseDeviceId);
    void up(const QPointF& p, int id = IDeviceArgs::MouseDeviceId);
    void drag(const QPointF& from, const QPointF& to, int steps = 4);
};

// The scene area rendered into a transparent image.
QImage renderArea(QGraphicsScene* scene, const QRect& area);
// The item alone, in a scene of its own, rendered over the area.
QImage renderItem(QGraphicsItem* item, const QRect& area);
// Alpha of the pixel at scene point p in an image rendered from area.
int inkAt(const QImage& image, const QRect& area, const QPoint& p);

class TestPen : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();

    // tst_pathelements.cpp
    void pathElementRegionsAndErasing();
    void pathElementPropertiesAndDefaults();
    void pencilElementPathFromPoints();
    void pencilElementPaintsStrokeAndDot();
    void shapeLineGeometry();
    void shapeCircleSquareAllDirections_data();
    void shapeCircleSquareAllDirections();
    void shapeTriangleAndRectGeometry();
    void copiesPaintTheSamePixels_data();
    void copiesPaintTheSamePixels();
    void copyKeepsClassBoundaries();

    // tst_penmodes.cpp
    void penStrokeBecomesElement();
    void penOverlayPaintsLive();
    void penClickMakesDotAndIgnoresStrayIds();
    void penThroughRealMouseInput();
    void penSwitchOffKeepsStroke();
    void penOverlayHasOneOwner();
    void eraserSplitsStrokeVisibly();
    void eraserDeletesCoveredAndSkipsLocked();
    void eraserComputesRegionOfUnpaintedElement();
    void eraserSizeFollowsZoomAndGhost();
    void eraserLeavesOtherItems();
    void shapeModeTypesAndCursors();
    void shapeModeDragsAllDirections_data();
    void shapeModeDragsAllDirections();
    void shapeModeLineClickIsDeleted();
    void shapeModeCircleClippedToPicture();
    void shapeModeSwitchOffMidDrag();
    void shapeModeSecondPressStartsNewShape();
};

#endif
