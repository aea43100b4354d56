#ifndef IMACHELPER_H
#define IMACHELPER_H

class QWidget;

// Window and permission functions of the desktop platform. On Linux the window hint
// goes through Qt, and the permission checks answer from what the system offers.

// Makes the widget's window frameless, so the program's own title bar is the only one.
void setFramelessWindowHintForMac(QWidget* widget);

// True when a microphone can be recorded (an audio input device exists).
bool isValidMicrophonePermission();

// True when this program runs in a Wayland session (XDG_SESSION_TYPE=wayland or
// WAYLAND_DISPLAY set), even as an X11 client of XWayland: the X screen then holds no
// picture of the desktop.
bool isWaylandSession();

// True when the screen can be captured: on X11 when an X display is reachable; in a
// Wayland session when the desktop granted a screen cast at the last request.
bool isValidRecordscreenPermission();

// Asks for the screen-recording permission where the system requires one: in a Wayland
// session the desktop's screen-cast portal (its dialog, where it shows one). Returns at
// once; the answer comes as IScreenCastPortal::sgRequestFinished and is kept for
// isValidRecordscreenPermission.
void applyRecordscreenPermission();

#endif
