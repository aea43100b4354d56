#ifndef IVIEWERHELPER_H
#define IVIEWERHELPER_H

#include <QPoint>
#include <QRect>
#include <QSize>
#include <QString>

class MainFrame;
class QToolButton;
class QWidget;

// What the two gallery-picture viewers (the split-screen view and the compare label)
// share: they stand beside the gallery, half as wide as the board area.
namespace IViewerLayout {

// The available geometry of the screen under the pointer (the primary screen's when
// the pointer is on none).
QRect availableUnderCursor();
// Half the width and the height left of an area of the given size by the bars:
// (int(w - 260 s)) / 2 by int(h - 140 s); never below 1 x 1.
QSize viewerSize(const QSize& area);
// 200 s right and 40 s below the top-left of the available area under the pointer,
// plus the parent's title-bar height while the parent is not full screen.
QPoint viewerPosition(const QWidget* parent);
// The round close button in the top-right corner; clicking it closes (hides) viewer.
QToolButton* createCloseButton(QWidget* viewer);
// Puts that button back into the top-right corner after the viewer was re-sized
// (left where it was built, it could end up outside a smaller viewer).
void placeCloseButton(QWidget* viewer);
// The last picture marked in the gallery, in gallery order; empty when none is.
QString lastMarkedPicture(MainFrame* frame);

}

#endif
