#ifndef IWINDOWPLACE_H
#define IWINDOWPLACE_H

class QWidget;

// Keeps window, a top-level window of the program, where the program shows it and at
// that screen's scale. Qt on X11 asks the server where a window is when told of its
// size while the window manager is still framing it, may read the frame's first place
// (the desktop's corner) and take the window for one on that monitor: drawn at that
// monitor's scale, growing or shrinking at each showing. So every showing gets a new
// native window, made where the widget stands and on that screen, and once shown Qt is
// told where the server really has it.
void keepWindowWhereShown(QWidget* window);

// Lets window take the size it gives itself while being shown (a message box does)
// without showing it, and without a native window yet: resized between being made and
// being mapped, a window meets the misreading above.
void settleSizeUnseen(QWidget* window);

#endif
