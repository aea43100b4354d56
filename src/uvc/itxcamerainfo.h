#ifndef ITXCAMERAINFO_H
#define ITXCAMERAINFO_H

#include <QList>
#include <QString>

#include "icameratypes.h"

// The camera description file "/other/txcamerainfo": libuvc's descriptor dump of the
// open USB camera, from which the MJPEG frame sizes and rates are read.
class ITxCameraInfo
{
public:
    // <application data>/other/txcamerainfo
    static QString filePath();
    // One record per MJPEG frame size, in the file's order: size (QSize) and the
    // default frame rate (int, frames per second; 0 when the file gives none).
    static QList<CameraResolution> parseMjpegResolutions(const QString& text);
    static QList<CameraResolution> readMjpegResolutions(const QString& path);
};

#endif
