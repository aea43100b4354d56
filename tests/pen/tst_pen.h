#ifndef TST_PEN_H
#define TST_PEN_H

#include <QObject>

#include "testboard.h"

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

    // tst_drawinglayer.cpp
    void finishedDrawingsAreNotRepaintedPerFrame();
    void drawingsCacheFollowsEraseZoomRotateAndPage();
    void drawingsBeingEditedShowEveryMove();
};

#endif
