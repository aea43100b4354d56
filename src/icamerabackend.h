#ifndef ICAMERABACKEND_H
#define ICAMERABACKEND_H

#include <QImage>
#include <QList>
#include <QMutex>
#include <QSize>
#include <QSizeF>
#include <QPair>
#include <QPoint>
#include <QThread>
#include <QVector>
#include <QVariant>

#include <atomic>

#include "icameraparameter.h"
#include "icameratypes.h"
#include "ishownframe.h"

// The operation set every camera back end (USB, platform capture, Wi-Fi) offers. The
// camera manager holds one pointer of this type per kind and forwards to the one in use.
// Frames leave the back end's thread as QImages that own their pixels.
class ICameraBackend : public QThread
{
    Q_OBJECT
public:
    // Its frames may be received on another thread, queued.
    explicit ICameraBackend(QObject* parent = nullptr) : QThread(parent) { qRegisterMetaType<IShownFrame>(); }
    ~ICameraBackend() override = default;

    virtual bool openCamera() = 0;
    virtual void closeCamera() = 0;

    virtual QImage captureImage(ImageType type) = 0;
    virtual QVariant contrast() const = 0;
    virtual QVariant saturation() const = 0;
    virtual QVariant brightness() const = 0;
    virtual QVariant resolution() const = 0;
    virtual AutoEdgeData autoEdgeData() const = 0;
    virtual CameraParameterData cameraParameter() const = 0;
    virtual QList<QSizeF> supportResolution() const = 0;

    virtual void setContrast(const QVariant& value) = 0;
    virtual void setSaturation(const QVariant& value) = 0;
    virtual void setBrightness(const QVariant& value) = 0;
    virtual void setResolution(const QVariant& value) = 0;
    virtual void setRunFlag(const bool& run) = 0;
    // Asks for one captured picture (sgCaptureImage); false when the request is refused.
    virtual bool setCaptureFalg(ImageType type) = 0;
    virtual void setAutoEdgeFlag(const bool& on) = 0;
    virtual void setAutoFocusFlag(const QVariant& value) = 0;    // -999: automatic
    virtual void setAutoExposureFlag(const QVariant& value) = 0; // -999: automatic

    // False while nobody can see the live picture (the window minimised, hidden or
    // covered): the back end keeps reading its source but decodes only what a capture
    // needs, and the picture comes back with the next frame that decodes on its own.
    void setLiveWanted(bool wanted) { m_liveWanted = wanted; }
    bool liveWanted() const { return m_liveWanted; }
    // The screen pixels the whole live picture covers: a back end may make its live
    // pictures that small instead of converting every pixel the camera sends. Captures
    // and frozen pictures keep the camera's size. Empty: shown at the camera's size.
    void setShownSize(const QSize& size)
    {
        m_shownSize = size.isValid() ? (qint64(size.width()) << 32) | qint64(size.height()) : 0;
    }
    QSize shownSize() const
    {
        const qint64 packed = m_shownSize;
        return QSize(int(packed >> 32), int(packed & 0xffffffff));
    }

signals:
    // 0 opened, 1 no camera / opening failed, 2 resolution change failed, 3 unavailable.
    void sgError(int code);
    // fullSize: the camera's picture size when image is a smaller copy made for the
    // screen; empty when image is the camera's picture itself. shown: instead of image,
    // a decoded frame converted where it is painted (image is then null).
    void sgCameraFrame(QImage image, QSize fullSize = QSize(), IShownFrame shown = IShownFrame());
    void sgCaptureImage(QImage image);

protected:
    std::atomic<bool> m_liveWanted{true};
    std::atomic<qint64> m_shownSize{0}; // width << 32 | height, read by the capture thread
};

// Shared state of the device back ends (USB through V4L2 or libuvc): the last clean
// frame, the detected outline, the controls and the requested size, all under one lock.
class IDeviceCameraThread : public ICameraBackend
{
    Q_OBJECT
public:
    explicit IDeviceCameraThread(QObject* parent = nullptr);

    // Starts the capture thread; closeCamera asks it to stop and joins it. Subclasses
    // call closeCamera in their destructors, while run() can still reach them.
    bool openCamera() override;
    void closeCamera() override;

    // The latest clean frame (no outline drawn), filtered.
    QImage captureImage(ImageType type) override;
    QVariant contrast() const override;
    QVariant saturation() const override;
    QVariant brightness() const override;
    QVariant resolution() const override;
    AutoEdgeData autoEdgeData() const override;
    CameraParameterData cameraParameter() const override;
    void setRunFlag(const bool& run) override;
    void setAutoEdgeFlag(const bool& on) override;
    // Stores the size; the capture thread restarts its stream at it (sgError(2) when
    // the camera does not offer it).
    void setResolution(const QVariant& value) override;

protected:
    // Called on the capture thread with each clean frame: with automatic edging on, draws
    // the outline into the frame's own pixels (keeping what it covers, so captures stay
    // clean); stores the frame for captures and emits it as the live picture.
    void publishFrame(QImage& frame);
    // Capture requests answered by the next clean frame: every request queued before
    // it gets its own sgCaptureImage, so two requests within one frame are two pictures.
    void queueCapture(ImageType type);
    void answerCaptures(const QImage& frame);
    // A frame must be decoded: the picture is looked at, or a capture waits for it.
    bool frameWanted() const;

    std::atomic<bool> m_autoEdge{false};
    std::atomic<bool> m_resolutionPending{false};
    std::atomic<bool> m_runFlag{true};

    mutable QMutex m_mutex; // guards the members below and those of subclasses
    QImage m_lastFrame;
    // The pixels of m_lastFrame under its drawn outline, as they were before drawing.
    QVector<QPair<QPoint, QImage>> m_lastUnderlay;
    AutoEdgeData m_edge;
    CameraParameterData m_parameter;
    QSize m_requestedSize;
    QList<ImageType> m_pendingCaptures;
};

#endif
