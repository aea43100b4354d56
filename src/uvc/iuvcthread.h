#ifndef IUVCTHREAD_H
#define IUVCTHREAD_H

#include <QList>
#include <QMutex>
#include <QSize>
#include <atomic>

#include "icamerabackend.h"

struct uvc_device_handle;

// The USB Video Class back end over libuvc: opens the camera by vendor and product id,
// dumps its descriptors to the camera description file, streams MJPEG at the size
// closest to the wanted one and emits each decoded frame.
class IUvcThread : public IDeviceCameraThread
{
    Q_OBJECT
public:
    explicit IUvcThread(const ICameraInfo& info, QObject* parent = nullptr);
    ~IUvcThread() override;

    QList<QSizeF> supportResolution() const override;

    void setContrast(const QVariant& value) override;
    void setSaturation(const QVariant& value) override;
    void setBrightness(const QVariant& value) override;
    // The next decoded frame, filtered, arrives as sgCaptureImage; false while the
    // camera is not streaming.
    bool setCaptureFalg(ImageType type) override;
    void setAutoFocusFlag(const QVariant& value) override;
    void setAutoExposureFlag(const QVariant& value) override;

    // Index of the record whose size is wanted, else the one nearest in area; -1 when
    // there is none.
    static int chooseResolution(const QList<CameraResolution>& list, const QSize& wanted);

protected:
    void run() override;

private:
    void queryControls();
    template <typename Fn> bool withDevice(Fn fn);

    const ICameraInfo m_info;

    mutable QMutex m_devMutex; // guards the handle against closing while a setter uses it
    uvc_device_handle* m_devh = nullptr;

    QList<CameraResolution> m_resolutions;
};

#endif
