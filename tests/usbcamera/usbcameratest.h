#ifndef USBCAMERATEST_H
#define USBCAMERATEST_H

#include <QImage>
#include <QString>
#include <QStringList>

// Helpers shared by the tests that run against the virtual USB camera.
namespace UsbCameraTest {

// The node the virtual camera answers on (its default).
inline QString node() { return QStringLiteral("/dev/video63"); }

// Empty when picture shows the virtual camera's colour bars, else what differs.
// region: the part of picture the camera frame covers (the whole picture when null).
QString sceneMismatch(const QImage& picture, const QRect& region = QRect(), int tolerance = 48);
// Lines of a journal text.
QStringList lines(const QString& journal);
// A fake sysfs tree under root in which node's USB device has the given ids.
bool writeSysfs(const QString& root, const QString& node, const QString& vid, const QString& pid);
// Before the application: the virtual camera as the program's only camera, a USB document
// camera by its ids in a fake sysfs under the test's home. False when that cannot be written.
bool offerVirtualCamera();

}

#endif
