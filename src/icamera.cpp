#include "icamera.h"

#include <QCoreApplication>
#include <QElapsedTimer>

#include "ffmpeg/wifirtsp/iwifirtspthread.h"
#include "ffmpeg/wifirtsp/iwifisocketthread.h"

#include <QCameraInfo>
#include <QDebug>
#include <QFile>
#include <QFileInfo>
#include <QMetaObject>
#include <QTcpSocket>

#include "icamerabackend.h"
#include "iglobal.h"
#include "imaccapturethread.h"
#include "service/iconfigureservice.h"
#include "uvc/iuvcthread.h"

ICamera* ICamera::s_instance = nullptr;

namespace {

// Our own document cameras; no common webcam carries these ids.
const char* const kBuiltInIds[] = {"f0c4:0101", "f0c4:0102", "f0c4:0201"};

QString readSysfsId(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QString();
    const QString id = QString::fromLatin1(file.readAll()).trimmed().toLower();
    bool ok = false;
    id.toUInt(&ok, 16);
    return ok && id.size() == 4 ? id : QString();
}

} // namespace

ICamera* ICamera::instance()
{
    if (!s_instance) {
        qRegisterMetaType<ImageType>("ImageType");
        qRegisterMetaType<AutoEdgeData>("AutoEdgeData");
        qRegisterMetaType<CameraParameterData>("CameraParameterData");
        s_instance = new ICamera;
    }
    return s_instance;
}

void ICamera::destroyInstance()
{
    delete s_instance;
    s_instance = nullptr;
}

ICamera::ICamera(QObject* parent) : QObject(parent) {}

ICamera::~ICamera()
{
    destoryCamera();
}

bool ICamera::hasUseAVFoundation()
{
    return qEnvironmentVariable("OCUMETRA_CAMERA_BACKEND").compare(QLatin1String("uvc"), Qt::CaseInsensitive) != 0;
}

QList<QPair<QString, QString>> ICamera::supportedIds()
{
    QStringList entries;
    const QString env = qEnvironmentVariable("OCUMETRA_USB_IDS");
    if (!env.trimmed().isEmpty()) {
        entries = env.split(QLatin1Char(','), Qt::SkipEmptyParts);
    } else {
        for (const char* id : kBuiltInIds)
            entries << QString::fromLatin1(id);
    }
    QList<QPair<QString, QString>> ids;
    for (const QString& entry : qAsConst(entries)) {
        const QStringList parts = entry.trimmed().toLower().split(QLatin1Char(':'));
        if (parts.size() != 2)
            continue;
        bool okVid = false, okPid = false;
        const uint vid = parts.at(0).toUInt(&okVid, 16);
        const uint pid = parts.at(1).toUInt(&okPid, 16);
        if (!okVid || !okPid || vid > 0xffff || pid > 0xffff)
            continue;
        ids << qMakePair(QStringLiteral("%1").arg(vid, 4, 16, QLatin1Char('0')),
                         QStringLiteral("%1").arg(pid, 4, 16, QLatin1Char('0')));
    }
    return ids;
}

bool ICamera::isSupportedCamera(const QString& vid, const QString& pid)
{
    return supportedIds().contains(qMakePair(vid.toLower(), pid.toLower()));
}

bool ICamera::readUsbIds(const QString& videoNode, QString* vid, QString* pid, const QString& sysRoot)
{
    const QString name = QFileInfo(videoNode).fileName();
    if (!name.startsWith(QLatin1String("video")))
        return false;
    // device -> the USB interface; its parent directory is the USB device. Resolved
    // through the links, since sysfs paths are symlinks all the way.
    const QString iface =
        QFileInfo(sysRoot + QStringLiteral("/class/video4linux/") + name + QStringLiteral("/device")).canonicalFilePath();
    if (iface.isEmpty())
        return false;
    const QString device = QFileInfo(iface).path();
    const QString v = readSysfsId(device + QStringLiteral("/idVendor"));
    const QString p = readSysfsId(device + QStringLiteral("/idProduct"));
    if (v.isEmpty() || p.isEmpty())
        return false;
    *vid = v;
    *pid = p;
    return true;
}

QString ICamera::devicePathFor(const QString& videoNode, const QString& vid, const QString& pid)
{
    return hasUseAVFoundation() ? videoNode : pid + QLatin1Char(':') + vid;
}

QList<ICameraInfo> ICamera::validCameraInfo() const
{
    QList<QPair<QString, QString>> cameras; // node, description
    for (const QCameraInfo& camera : QCameraInfo::availableCameras())
        cameras << qMakePair(camera.deviceName(), camera.description());
    // Nodes no system list shows (a camera in user space), and the sysfs they use.
    const QString extra = qEnvironmentVariable("OCUMETRA_EXTRA_CAMERAS");
    for (const QString& node : extra.split(QLatin1Char(','), Qt::SkipEmptyParts))
        cameras << qMakePair(node.trimmed(), IMacCaptureThread::cardName(node.trimmed()));
    const QString sysRoot = qEnvironmentVariable("OCUMETRA_SYSFS_ROOT", QStringLiteral("/sys"));
    QList<ICameraInfo> list;
    for (int i = 0; i < cameras.size(); ++i) {
        ICameraInfo info;
        info.index = i;
        const QString node = cameras.at(i).first;
        readUsbIds(node, &info.vid, &info.pid, sysRoot);
        info.devicePath = info.vid.isEmpty() ? node : devicePathFor(node, info.vid, info.pid);
        info.description = cameras.at(i).second;
        qDebug() << Q_FUNC_INFO << "get camera info: " << info.description;
        list << info;
    }
    return list;
}

QList<ICameraInfo> ICamera::validCameraList() const
{
    QList<ICameraInfo> list;
    const QList<ICameraInfo> all = validCameraInfo();
    for (const ICameraInfo& info : all)
        if (!info.vid.isEmpty() && isSupportedCamera(info.vid, info.pid))
            list << info;
    return list;
}

bool ICamera::hasValidRtspUrl() const
{
    if (g_rtsp_url.isEmpty())
        return false;
    QTcpSocket socket;
    socket.connectToHost(cameraHost(), cameraControlPort());
    const bool answered = socket.waitForConnected(200);
    if (!answered)
        qDebug().noquote() << Q_FUNC_INFO << "the Wi-Fi camera's control port"
                           << QStringLiteral("%1:%2").arg(cameraHost()).arg(cameraControlPort())
                           << "did not answer:" << socket.errorString();
    socket.abort();
    return answered;
}

ICameraBackend*& ICamera::chosenBackend()
{
    return hasUseAVFoundation() ? m_platformBackend : m_uvcBackend;
}

ICameraBackend* ICamera::backendInUse() const
{
    if (g_wifi_camera)
        return m_wifiBackend;
    return hasUseAVFoundation() ? m_platformBackend : m_uvcBackend;
}

void ICamera::connectBackend(ICameraBackend* backend)
{
    backend->setLiveWanted(m_liveWanted);
    backend->setShownSize(m_shownSize);
    // On the back end's thread: the picture waits in the mailbox, and the GUI thread is
    // told only when the box was empty, so at most one picture is ever on its way.
    connect(backend, &ICameraBackend::sgCameraFrame, this,
            [this](const QImage& image, const QSize& fullSize, const IShownFrame& shown) {
        if (m_frames.put(image, fullSize, shown))
            QMetaObject::invokeMethod(this, &ICamera::deliverFrame, Qt::QueuedConnection);
    }, Qt::DirectConnection);
    connect(backend, &ICameraBackend::sgCaptureImage, this, &ICamera::sgCaptureImage);
    connect(backend, &ICameraBackend::sgError, this, &ICamera::slError);
}

void ICamera::deleteBackend(ICameraBackend*& backend)
{
    // The back end's destructor stops and joins its thread.
    delete backend;
    backend = nullptr;
    // Its last picture, if one still waits, belongs to no camera any more.
    QImage stale;
    m_frames.take(&stale);
}

void ICamera::deliverFrame()
{
    QImage image;
    QSize fullSize;
    IShownFrame shown;
    if (m_frames.take(&image, &fullSize, &shown))
        emit sgCameraFrame(image, fullSize, shown);
}

void ICamera::setLiveWanted(bool wanted)
{
    m_liveWanted = wanted;
    for (ICameraBackend* backend : {m_uvcBackend, m_platformBackend, m_wifiBackend})
        if (backend)
            backend->setLiveWanted(wanted);
}

void ICamera::setShownSize(const QSize& size)
{
    m_shownSize = size;
    for (ICameraBackend* backend : {m_uvcBackend, m_platformBackend, m_wifiBackend})
        if (backend)
            backend->setShownSize(size);
}

void ICamera::createBackend(const ICameraInfo& info)
{
    ICameraBackend*& backend = chosenBackend();
    if (backend && m_backendInfo.devicePath == info.devicePath)
        return;
    deleteBackend(backend);
    if (hasUseAVFoundation()) {
        QString node = info.devicePath;
        backend = new IMacCaptureThread(node);
    } else {
        backend = new IUvcThread(info);
        connect(this, &ICamera::sgChangeResolution, backend, &ICameraBackend::setResolution);
    }
    m_backendInfo = info;
    connectBackend(backend);
    backend->setResolution(QVariant(g_camera_resolution));
}

IWifiRtspThread* ICamera::createWifiRtspThread()
{
    auto* wifi = new IWifiRtspThread;
    connectBackend(wifi);
    connect(wifi, &IWifiRtspThread::sgChangeResolutionFromOtherApp, this,
            &ICamera::sgChangeResolutionFromOtherApp);
    connect(wifi, &IWifiRtspThread::sgFrameLossRate, this, &ICamera::sgFrameLossRate);
    m_wifiBackend = wifi;
    return wifi;
}

IWifiSocketThread* ICamera::createWifiSocketThread()
{
    auto* wifi = new IWifiSocketThread;
    connect(wifi, &IWifiSocketThread::sgCameraFrame, this, [this](const QImage& image) { emit sgCameraFrame(image); });
    connect(wifi, &IWifiSocketThread::sgCaptureImage, this, &ICamera::sgCaptureImage);
    connect(wifi, &IWifiSocketThread::sgError, this, &ICamera::slError);
    return wifi;
}

void ICamera::destoryRtspThread()
{
    if (!m_wifiBackend)
        return;
    // Freeze the Wi-Fi picture itself, even when g_wifi_camera no longer routes
    // setRunFlag to it (a USB camera must not be frozen instead).
    m_wifiBackend->setRunFlag(false);
    QElapsedTimer t;
    t.start();
    while (t.elapsed() < 200)
        QCoreApplication::processEvents(QEventLoop::AllEvents, int(200 - t.elapsed()));
    emit sgRunCopyImage();
    deleteBackend(m_wifiBackend);
}

bool ICamera::disConnectRtsp()
{
    deleteBackend(m_wifiBackend);
    return true;
}

bool ICamera::reConnectRtsp()
{
    if (!hasValidRtspUrl()) {
        emit sgError(1);
        return true;
    }
    g_wifi_camera = true;
    g_camera_info.index = 999;
    g_camera_info.description = QStringLiteral("Tarvenix WIFI");
    deleteBackend(m_wifiBackend);
    createWifiRtspThread()->openCamera();
    return true;
}

IWifiRtspThread* ICamera::wifiBackend() const
{
    return g_wifi_camera ? qobject_cast<IWifiRtspThread*>(m_wifiBackend) : nullptr;
}

int ICamera::changeLamp()
{
    IWifiRtspThread* w = wifiBackend();
    return w ? w->changeLamp() : -1;
}

void ICamera::setVideoStreamFilter(ImageType type)
{
    if (IWifiRtspThread* w = wifiBackend())
        w->setVideoStreamFilter(type);
}

void ICamera::setVideoStreamImage(ImageMode mode)
{
    if (IWifiRtspThread* w = wifiBackend())
        w->setVideoStreamImage(mode);
}

void ICamera::changeVideoStreamImage()
{
    if (IWifiRtspThread* w = wifiBackend())
        w->changeVideoStreamImage();
}

void ICamera::deleteBackendInUse()
{
    if (g_wifi_camera)
        destoryRtspThread();
    else
        deleteBackend(chosenBackend());
    m_backendInfo = ICameraInfo();
}

void ICamera::initData()
{
    g_camera_list = validCameraList();
    if (!g_camera_list.isEmpty()) {
        g_wifi_camera = false;
        g_camera_info = g_camera_list.first();
        createBackend(g_camera_info);
    } else if (hasValidRtspUrl()) {
        ICameraInfo wifi;
        wifi.index = 999;
        wifi.description = QStringLiteral("Tarvenix WIFI");
        g_camera_info = wifi;
        g_wifi_camera = true;
        if (!m_wifiBackend)
            createWifiRtspThread()->setResolution(QVariant(g_camera_resolution));
    } else {
        g_camera_info = ICameraInfo();
        g_wifi_camera = false;
        logWhatWasTried();
    }
    qDebug() << Q_FUNC_INFO << "camera:" << g_camera_info.index << g_camera_info.description
             << g_camera_info.devicePath;
}

void ICamera::logWhatWasTried() const
{
    QStringList ids;
    for (const auto& id : supportedIds())
        ids << id.first + QLatin1Char(':') + id.second;
    QStringList nodes;
    for (const ICameraInfo& info : validCameraInfo())
        nodes << (info.vid.isEmpty() ? info.devicePath
                                     : QStringLiteral("%1 (%2:%3)").arg(info.devicePath, info.vid, info.pid));
    const QString wifi = g_rtsp_url.isEmpty()
        ? QStringLiteral("no RTSP address")
        : QStringLiteral("control port %1:%2").arg(cameraHost()).arg(cameraControlPort());
    qDebug().noquote() << Q_FUNC_INFO
                       << QStringLiteral("no camera. USB ids looked for through %1: %2; video devices seen: %3; "
                                         "Wi-Fi camera: %4")
                              .arg(hasUseAVFoundation() ? QStringLiteral("V4L2") : QStringLiteral("libuvc"),
                                   ids.join(QLatin1Char(',')),
                                   nodes.isEmpty() ? QStringLiteral("none") : nodes.join(QStringLiteral(", ")), wifi);
}

bool ICamera::openCamera(const int& index)
{
    if (index == -1) {
        qDebug() << Q_FUNC_INFO << "camera index == -1.";
        return false;
    }
    ICameraBackend* backend = backendInUse();
    if (!backend) {
        // The Wi-Fi camera without its back end, or a USB back end that was closed:
        // the outcome is a failed open, reported like the back ends report it.
        qDebug() << Q_FUNC_INFO << "no back end for camera" << index;
        QMetaObject::invokeMethod(this, "slError", Qt::QueuedConnection, Q_ARG(int, 1));
        return true;
    }
    return backend->openCamera();
}

bool ICamera::openCamera()
{
    initData();
    return openCamera(g_camera_info.index);
}

void ICamera::closeCamera()
{
    deleteBackendInUse();
    g_camera_info = ICameraInfo();
}

bool ICamera::isRuning() const
{
    // A back end whose thread ended (a failed open, a lost camera) still exists but
    // streams nothing: a new plug-in notice must be able to reopen it.
    const ICameraBackend* backend = backendInUse();
    return backend && backend->isRunning();
}

void ICamera::destoryCamera()
{
    deleteBackend(m_uvcBackend);
    deleteBackend(m_platformBackend);
    deleteBackend(m_wifiBackend);
    m_backendInfo = ICameraInfo();
}

void ICamera::switchCamera(ICameraInfo info)
{
    deleteBackendInUse();
    g_camera_info = info;
    g_wifi_camera = info.index == 999;
    if (g_wifi_camera && hasValidRtspUrl())
        createWifiRtspThread()->setResolution(QVariant(g_camera_resolution));
    else if (!g_wifi_camera && info.index >= 0)
        createBackend(info);
    if (!openCamera(info.index))
        slError(1);
}

void ICamera::slError(int code)
{
    emit sgError(code);
}

void ICamera::setRunFlag(const bool& run)
{
    if (ICameraBackend* b = backendInUse())
        b->setRunFlag(run);
}

bool ICamera::setCaptureFlag(ImageType type)
{
    ICameraBackend* b = backendInUse();
    return b ? b->setCaptureFalg(type) : false;
}

bool ICamera::isPhotoPending() const
{
    const IWifiRtspThread* wifi = wifiBackend();
    return wifi && wifi->isPhotoPending();
}

QImage ICamera::captureImage(ImageType type)
{
    ICameraBackend* b = backendInUse();
    return b ? b->captureImage(type) : QImage();
}

void ICamera::setAutoEdgeFlag(const bool& on)
{
    if (ICameraBackend* b = backendInUse())
        b->setAutoEdgeFlag(on);
}

AutoEdgeData ICamera::autoEdgeData() const
{
    ICameraBackend* b = backendInUse();
    return b ? b->autoEdgeData() : AutoEdgeData();
}

void ICamera::setContrast(const QVariant& value)
{
    if (ICameraBackend* b = backendInUse())
        b->setContrast(value);
}

void ICamera::setSaturation(const QVariant& value)
{
    if (ICameraBackend* b = backendInUse())
        b->setSaturation(value);
}

void ICamera::setBrightness(const QVariant& value)
{
    if (ICameraBackend* b = backendInUse())
        b->setBrightness(value);
}

void ICamera::setResolution(const QVariant& value)
{
    IConfigureService::instance()->setCameraResolution(value.toSize());
    // The libuvc back end takes the size through the signal; the others directly.
    if (!g_wifi_camera && !hasUseAVFoundation())
        emit sgChangeResolution(value);
    else if (ICameraBackend* b = backendInUse())
        b->setResolution(value);
}

void ICamera::setAutoFocusFlag(const int& value)
{
    if (ICameraBackend* b = backendInUse())
        b->setAutoFocusFlag(QVariant(value));
}

void ICamera::setAutoExposureFlag(const int& value)
{
    if (ICameraBackend* b = backendInUse())
        b->setAutoExposureFlag(QVariant(value));
}

QVariant ICamera::resolution() const
{
    ICameraBackend* b = backendInUse();
    return b ? b->resolution() : QVariant();
}

QVariant ICamera::contrast() const
{
    ICameraBackend* b = backendInUse();
    return b ? b->contrast() : QVariant();
}

QVariant ICamera::saturation() const
{
    ICameraBackend* b = backendInUse();
    return b ? b->saturation() : QVariant();
}

QVariant ICamera::brightness() const
{
    ICameraBackend* b = backendInUse();
    return b ? b->brightness() : QVariant();
}

CameraParameterData ICamera::cameraParameter() const
{
    ICameraBackend* b = backendInUse();
    return b ? b->cameraParameter() : CameraParameterData();
}

QList<QSizeF> ICamera::supportResolution() const
{
    ICameraBackend* b = backendInUse();
    return b ? b->supportResolution() : QList<QSizeF>();
}
