#ifndef IWINDOWPLACE_H
#define IWINDOWPLACE_H

#include <functional>

class QObject;
class QScreen;
class QWidget;

// Keeps window, a top-level window of the program, on the screen the program shows it on
// and at that screen's scale, and at the logical size the program gave it on every screen.
// Qt on X11 reads a window's place from the server when the window manager frames it, and
// may read the frame's first place (the desktop's corner): the window is then taken for
// one on that monitor and drawn at its scale. That misreading is undone, place and size,
// until the window manager has told where the window is; a window that the user, the
// window manager or the program moves afterwards stays where it is put. Qt 5 keeps a
// window's device size when it goes to a screen of another scale: its own logical size is
// given back then.
void keepWindowWhereShown(QWidget* window);

// Gives window, when kept above, the logical size it had before Qt last took it to a
// screen of another scale (a dialog placed before it shows again needs its real size).
void restoreOwnSize(QWidget* window);

// Runs then at once or, while Qt takes window to a screen of another scale, once the window
// has its own size there again: in between it stands at neither its old nor its new size,
// and what is placed by it would stand wrong. Dropped with context.
void whenSettled(QWidget* window, QObject* context, const std::function<void()>& then);

// Takes window, when shown, to screen before the program moves it there: moved there
// afterwards, it is drawn at that screen's scale at once and keeps its logical size.
void giveScreen(QWidget* window, QScreen* screen);

// From now on, when a monitor goes away or shrinks, every shown window of the program
// that no longer stands wholly on a monitor is brought back onto one, main windows first
// and each dialog onto its main window's monitor. A monitor added moves nothing.
void keepWindowsOnScreens();

// Lets window take the size it gives itself while being shown (a message box does)
// without showing it: placed then, it is mapped where it shows at its final size, and
// is not resized while the window manager frames it.
void settleSizeUnseen(QWidget* window);

#endif
