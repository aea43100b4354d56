#ifndef TST_FIGURE_H
#define TST_FIGURE_H

#include <QImage>
#include <QObject>

#include "testboard.h"

class QGraphicsItem;

// The item painted alone, with its scene transform and its children, over a scene area.
QImage paintFigure(QGraphicsItem* item, const QRect& area);
// Whether anything is painted within one pixel of the scene point p.
bool inkNear(const QImage& image, const QRect& area, const QPointF& p);
// The colour of the pixel at scene point p.
QColor colorAt(const QImage& image, const QRect& area, const QPoint& p);

class TestFigure : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();

    // tst_figureelements.cpp
    void baseStyleRules();
    void propertiesRoundTrip_data();
    void propertiesRoundTrip();
    void gradientAndPlainFill();
    void lineAngleSnapping_data();
    void lineAngleSnapping();
    void lineArrowsFollowLineAndPen();
    void lineCopyKeepsTargetArrows();
    void waveSegmentsAndTrim();
    void waveDegenerateWidthsAreEmpty();
    void planeShapesDrawnPoints();
    void starWithOneZeroSidePaintsNothing();
    void polygonVertexLayout();

    // tst_solids.cpp
    void hiddenEdgesDashed_data();
    void hiddenEdgesDashed();
    void solidsShowNoFill();
    void solidGeometry();
    void deepCopyPaintsSamePixels_data();
    void deepCopyPaintsSamePixels();

    // tst_figuremode.cpp
    void everyCursorLoads();
    void modeTypesReachFigureMode();
    void dragsInFourDirections_data();
    void dragsInFourDirections();
    void clickLeavesNothing();
    void releaseAnnouncesOnce();
    void figureTakesBoardState();
    void vertexCountFollowsLastPolygonType();
    void polygonMirroredOnlyWhenDraggedLeft();
    void noShapeTypesAndStrayInput();
    void figureThroughRealMouseInput();

    // tst_textpath.cpp
    void textPathLayout();
    void textPathCopies();
    void textPathModeTypesAndConverts();
    void textPathClippedToPicture();
};

#endif
