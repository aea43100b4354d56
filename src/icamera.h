#ifndef ICAMERA_H
#define ICAMERA_H

#include <QImage>
#include <QList>
#include <QObject>
#include <QPair>
#include <QSize>
#include <QSizeF>
#include <QVariant>

#include "icameraparameter.h"
#include "iframemailbox.h"
#include "icameratypes.h"

class ICameraBackend;
class IWifiSocketThread;
class IWifiRtspThread;

// The camera manager: finds the cameras, owns one back end per kind and forwards every
// request to the one in use. Lives on the GUI thread; all its signals are emitted there.
class ICamera : public QObject
{
    Q_OBJECT
public:
    static ICamera* instance();
    // Deletes the manager and its back ends (before the application object goes).
    static void destroyInstance();

    // Discovery: a matching USB camera first, else the Wi-Fi camera when its control
    // port answers; fills g_camera_list and g_camera_info and creates (without
    // starting) the back end with the configured resolution.
    virtual void initData();
    virtual bool openCamera(const int& index);
    virtual bool openCamera();
    virtual void closeCamera();
    // True while the back end in use streams (its thread runs).
    virtual bool isRuning() const;
    virtual void destoryCamera();
    virtual void switchCamera(ICameraInfo info);

    // True when the platform (V4L2) back end serves USB cameras; OCUMETRA_CAMERA_BACKEND=uvc
    // selects libuvc instead.
    static bool hasUseAVFoundation();
    virtual bool hasValidRtspUrl() const;

    // The Wi-Fi camera's back end: created unstarted with its signals wired to the
    // manager; destoryRtspThread freezes it and lets the board keep its last frame
    // (sgRunCopyImage) before deleting it.
    virtual IWifiRtspThread* createWifiRtspThread();
    // The control-only Wi-Fi back end, wired to this manager's signals; the caller owns it.
    virtual IWifiSocketThread* createWifiSocketThread();
    virtual void destoryRtspThread();
    virtual bool disConnectRtsp();
    virtual bool reConnectRtsp();
    virtual int changeLamp();
    virtual void setVideoStreamFilter(ImageType type);
    virtual void setVideoStreamImage(ImageMode mode);
    virtual void changeVideoStreamImage();

    virtual void setRunFlag(const bool& run);
    // False while nobody can see the live picture: every back end, present or made
    // later, then reads its source without decoding it.
    void setLiveWanted(bool wanted);
    bool liveWanted() const { return m_liveWanted; }
    // The screen pixels the live picture covers, for every back end, present or made
    // later (see ICameraBackend::setShownSize).
    void setShownSize(const QSize& size);
    virtual bool setCaptureFlag(ImageType type);
    // The Wi-Fi camera still transfers the last photo: it takes no other until then.
    bool isPhotoPending() const;
    virtual QImage captureImage(ImageType type);
    virtual void setAutoEdgeFlag(const bool& on);
    virtual AutoEdgeData autoEdgeData() const;

    virtual void setContrast(const QVariant& value);
    virtual void setSaturation(const QVariant& value);
    virtual void setBrightness(const QVariant& value);
    virtual void setResolution(const QVariant& value);
    virtual void setAutoFocusFlag(const int& value);
    virtual void setAutoExposureFlag(const int& value);

    virtual QVariant resolution() const;
    virtual QVariant contrast() const;
    virtual QVariant saturation() const;
    virtual QVariant brightness() const;
    virtual CameraParameterData cameraParameter() const;
    virtual QList<QSizeF> supportResolution() const;

    // Every camera of the platform's list, index = position in that list, then the
    // nodes named in OCUMETRA_EXTRA_CAMERAS; ids from sysfs (OCUMETRA_SYSFS_ROOT, "/sys").
    virtual QList<ICameraInfo> validCameraInfo() const;
    // The cameras of validCameraInfo() whose ids are in the supported table.
    virtual QList<ICameraInfo> validCameraList() const;

    // The supported (vendor, product) ids, lower-case hex; OCUMETRA_USB_IDS
    // ("vvvv:pppp,...") replaces the built-in table.
    static QList<QPair<QString, QString>> supportedIds();
    static bool isSupportedCamera(const QString& vid, const QString& pid);
    // Reads the USB ids of a video node ("/dev/videoN") from sysfs under sysRoot.
    static bool readUsbIds(const QString& videoNode, QString* vid, QString* pid,
                           const QString& sysRoot = QStringLiteral("/sys"));
    // The device-path form of the back end in use: the node for V4L2, "pid:vid" for libuvc.
    static QString devicePathFor(const QString& videoNode, const QString& vid, const QString& pid);

public slots:
    void slError(int code);

signals:
    void sgError(int code);
    // fullSize: see ICameraBackend::sgCameraFrame.
    void sgCameraFrame(QImage image, QSize fullSize = QSize(), IShownFrame shown = IShownFrame());
    void sgCaptureImage(QImage image);
    void sgRunCopyImage();
    void sgChangeResolutionFromOtherApp(QSize size);
    void sgFrameLossRate(QString rate);
    void sgChangeResolution(QVariant size);

protected:
    explicit ICamera(QObject* parent = nullptr);
    ~ICamera() override;

    // The Wi-Fi back end while g_wifi_camera is set, else the USB back end chosen at start.
    ICameraBackend* backendInUse() const;
    ICameraBackend*& chosenBackend();
    // Wires a back end's signals to the manager (queued from its thread).
    void connectBackend(ICameraBackend* backend);
    // Creates the USB back end for info when none serves it yet.
    void createBackend(const ICameraInfo& info);
    void deleteBackend(ICameraBackend*& backend);
    // Deletes the back end of the camera in use (the Wi-Fi one through destoryRtspThread).
    void deleteBackendInUse();
    IWifiRtspThread* wifiBackend() const;

    ICameraBackend* m_uvcBackend = nullptr;
    ICameraBackend* m_platformBackend = nullptr;
    ICameraBackend* m_wifiBackend = nullptr; // created by the Wi-Fi camera link

private:
    // With no camera found: the USB ids, the devices and the Wi-Fi address tried.
    void logWhatWasTried() const;

    // Takes the newest frame from the mailbox and emits it (GUI thread).
    void deliverFrame();

    ICameraInfo m_backendInfo; // the camera the USB back end was made for
    IFrameMailbox m_frames;
    bool m_liveWanted = true;
    QSize m_shownSize;
    static ICamera* s_instance;
};

#endif
