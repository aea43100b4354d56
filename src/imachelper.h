#ifndef IMACHELPER_H
#define IMACHELPER_H

class QWidget;

// Window and permission functions of the desktop platform. On Linux the window hint
// goes through Qt, and the permission checks answer from what the system offers.

// Makes the widget's window frameless, so the program's own title bar is the only one.
void setFramelessWindowHintForMac(QWidget* widget);

// True when the system lets this program record a microphone: Linux asks no such
// permission. Whether a microphone answers is found by the capture at each Start.
bool isValidMicrophonePermission();

// True when this program runs in a Wayland session, even as an X11 client of XWayland:
// the X screen then holds no picture of the desktop. Qt's native Wayland platform says
// so at once; otherwise XDG_SESSION_TYPE decides ("x11" outweighs a WAYLAND_DISPLAY left
// over), and where it says neither, a set WAYLAND_DISPLAY does.
bool isWaylandSession();

// False on Qt's native Wayland platform: a Wayland client never learns where its window
// is, so no position on the screen can be mapped from it.
bool isWindowPlaceKnown();

// True when DISPLAY names a local X display (":N", ":N.S" or "unix:N") whose socket is
// present. A remote display is never probed.
bool hasLocalXDisplay();

// True when the screen can be captured: on X11 when an X display is reachable; in a
// Wayland session when the desktop granted a screen cast at the last request.
bool isValidRecordscreenPermission();

// Asks for the screen-recording permission where the system requires one: in a Wayland
// session the desktop's screen-cast portal (its dialog, where it shows one). Returns at
// once; the answer comes as IScreenCastPortal::sgRequestFinished and is kept for
// isValidRecordscreenPermission.
void applyRecordscreenPermission();

#endif
