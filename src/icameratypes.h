#ifndef ICAMERATYPES_H
#define ICAMERATYPES_H

#include <QMetaType>
#include <QString>

// One camera the program can open. index: -1 none, 999 the Wi-Fi camera.
struct ICameraInfo
{
    int index = -1;
    QString pid;            // product id, four hex digits
    QString vid;            // vendor id, four hex digits
    QString devicePath;
    QString description;
    QString videoCaptureDevice; // kept by the recorder
    QString audioCaptureDevice; // kept by the recorder
};
Q_DECLARE_METATYPE(ICameraInfo)

#endif
