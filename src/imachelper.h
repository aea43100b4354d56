#ifndef IMACHELPER_H
#define IMACHELPER_H

class QWidget;

// Window and permission functions of the desktop platform. On Linux the window hint
// goes through Qt, and the permission checks answer from what the system offers.

// Makes the widget's window frameless, so the program's own title bar is the only one.
void setFramelessWindowHintForMac(QWidget* widget);

// True when a microphone can be recorded (an audio input device exists).
bool isValidMicrophonePermission();

// True when the screen can be captured (an X display is reachable).
bool isValidRecordscreenPermission();

// Asks for the screen-recording permission where the system requires one.
void applyRecordscreenPermission();

// True in a Wayland session (XDG_SESSION_TYPE=wayland or WAYLAND_DISPLAY set): there the
// X root window, even under XWayland, holds no picture of the desktop.
bool isWaylandSession();

#endif
