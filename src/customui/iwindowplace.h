#ifndef IWINDOWPLACE_H
#define IWINDOWPLACE_H

class QWidget;

// Keeps window, a top-level window of the program, on the screen the program shows it on
// and at that screen's scale. Qt on X11 reads a window's place from the server when the
// window manager frames it, and may read the frame's first place (the desktop's corner):
// the window is then taken for one on that monitor, drawn at its scale, and grows or
// shrinks at each showing. So each showing gets a new native window, made where the
// widget stands, and a misreading that Qt made while it was mapped is undone, place and
// size, as is the window manager's carrying out of what Qt asked on it; a window that
// the user or the window manager moves afterwards stays where it is put.
void keepWindowWhereShown(QWidget* window);

// Lets window take the size it gives itself while being shown (a message box does)
// without showing it: placed then, it is mapped where it shows at its final size, and
// is not resized while the window manager frames it.
void settleSizeUnseen(QWidget* window);

#endif
