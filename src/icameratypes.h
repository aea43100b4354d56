#ifndef ICAMERATYPES_H
#define ICAMERATYPES_H

#include <QImage>
#include <QList>
#include <QMetaType>
#include <QPolygonF>
#include <QRect>
#include <QString>
#include <QVariant>

class IElement;

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

// The capture filter.
enum ImageType {
    IMAGE_PLAIN = 1,
    IMAGE_GRAYSCALE = 2,
    IMAGE_BLACKWHITE = 3,
    IMAGE_SHARPEN = 4,
    IMAGE_SKETCH = 5,
    IMAGE_EMBOSS = 6,
};
Q_DECLARE_METATYPE(ImageType)

// A three-state mode the back ends store.
enum ImageMode {
    IMAGE_MODE_0 = 0,
    IMAGE_MODE_1 = 1,
    IMAGE_MODE_2 = 2,
};
Q_DECLARE_METATYPE(ImageMode)

// The detected document outline.
struct AutoEdgeData
{
    double angle = -1.0;
    QPolygonF polygon;
};
Q_DECLARE_METATYPE(AutoEdgeData)

// A camera resolution record: size and frame rate.
struct CameraResolution
{
    QVariant size;
    QVariant fps;
};

// A queued snapshot job. The element pointers belong to the GUI thread: the snapshot
// thread carries them along but never dereferences them.
struct ImageData
{
    QImage image;
    QImage drawings;
    double scaleX = 1.0;
    double scaleY = 1.0;
    int rotation = 0;
    QString folder;
    QList<IElement*> elements;
    QRect cropRect;
    double angle = -1.0; // -1.0: no outline
    QPolygonF polygon;
};
Q_DECLARE_METATYPE(ImageData)

#endif
