#ifndef IMACCAPTURETHREAD_H
#define IMACCAPTURETHREAD_H

#include <QList>
#include <QMutex>
#include <QSize>
#include <atomic>
#include <functional>

#include "icamerabackend.h"
#include "opencv/isoftwareadjust.h"

// One capture format a video device offers.
struct CaptureFormat
{
    quint32 fourcc = 0;
    QSize size;
    double fps = 0.0;
};

// The platform capture back end. On Linux the platform framework is V4L2: the thread
// streams MJPEG (decoded with TurboJPEG) or YUYV from the device node, applies the
// software adjustments for the picture controls the device lacks, draws the document
// outline when automatic edging is on and emits each frame as an owning QImage.
class IMacCaptureThread : public IDeviceCameraThread
{
    Q_OBJECT
public:
    explicit IMacCaptureThread(const QString& devicePath, QObject* parent = nullptr);
    ~IMacCaptureThread() override;

    QString devicePath() const { return m_devicePath; }
    // The device's own name (VIDIOC_QUERYCAP), or the node when it does not answer.
    static QString cardName(const QString& node);

    QList<QSizeF> supportResolution() const override;

    void setContrast(const QVariant& value) override;
    void setSaturation(const QVariant& value) override;
    void setBrightness(const QVariant& value) override;
    // Filters the latest frame and emits it as sgCaptureImage at once; false before
    // the first frame.
    bool setCaptureFalg(ImageType type) override;
    void setAutoFocusFlag(const QVariant& value) override;
    void setAutoExposureFlag(const QVariant& value) override;

    // Device access as a callable, so the negotiation can run against a fake device.
    using IoctlFn = std::function<int(unsigned long request, void* arg)>;
    // The device's MJPEG and YUYV frame sizes (with their first frame rate), in the
    // device's order.
    static QList<CaptureFormat> enumerateFormats(const IoctlFn& ioctlFn);
    // Index of the format to stream for the wanted size: that size in MJPEG, else in
    // YUYV, else the size nearest in area (MJPEG first); -1 for an empty list.
    static int chooseFormat(const QList<CaptureFormat>& formats, const QSize& wanted);
    // Converts one raw buffer into an RGB32 picture; null when it is incomplete. reuse:
    // a picture of the right size nobody else holds is written into instead of a new one.
    static QImage convertFrame(quint32 fourcc, const QSize& size, const uchar* data, size_t bytes,
                               class IMjpegDecoder* decoder, QImage* reuse = nullptr);

protected:
    void run() override;

private:
    struct Buffer
    {
        void* start = nullptr;
        size_t length = 0;
    };
    struct Control
    {
        quint32 id = 0;
        bool present = false;
    };

    bool openDevice();
    void closeDevice();
    // exactSize: fails when the device answers S_FMT with another size.
    bool startStreaming(const CaptureFormat& format, bool exactSize);
    void stopStreaming();
    void queryControls();
    int xioctl(unsigned long request, void* arg) const;
    bool setDeviceControl(quint32 id, int value);
    void setPictureControl(ParameterData CameraParameterData::*field, const Control& hw, int SoftwareAdjustments::*soft,
                           const QVariant& value);
    // frame is not shared yet, so the adjustments are made in place.
    void handleFrame(QImage& frame);

    const QString m_devicePath;
    mutable QMutex m_fdMutex; // guards the descriptor against closing while a setter uses it
    int m_fd = -1;
    QList<Buffer> m_buffers;
    CaptureFormat m_format;

    QList<CaptureFormat> m_formats;
    SoftwareAdjustments m_adjust;
    Control m_hwContrast, m_hwSaturation, m_hwBrightness;
    Control m_hwExposure, m_hwExposureAuto, m_hwFocus, m_hwFocusAuto;
};

#endif
