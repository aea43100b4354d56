#include "uvc/iuvcthread.h"

#include <QDebug>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QMutexLocker>
#include <cstdio>
#include <libuvc/libuvc.h>
#include <memory>

#include "iglobal.h"
#include "imjpegdecoder.h"
#include "uvc/itxcamerainfo.h"

namespace {

struct ContextFree { void operator()(uvc_context_t* c) const { uvc_exit(c); } };
struct DeviceUnref { void operator()(uvc_device_t* d) const { uvc_unref_device(d); } };
struct StreamClose { void operator()(uvc_stream_handle_t* s) const { uvc_stream_close(s); } };
using ContextPtr = std::unique_ptr<uvc_context_t, ContextFree>;
using DevicePtr = std::unique_ptr<uvc_device_t, DeviceUnref>;
using StreamPtr = std::unique_ptr<uvc_stream_handle_t, StreamClose>;

constexpr int kFrameTimeoutUs = 100000;
// No frame for this long means the camera went away.
constexpr qint64 kLostAfterMs = 3000;

template <typename T>
void readRange(uvc_device_handle_t* devh, uvc_error_t (*get)(uvc_device_handle_t*, T*, enum uvc_req_code),
               ParameterData* data)
{
    T min{}, max{}, def{}, cur{};
    if (get(devh, &min, UVC_GET_MIN) != UVC_SUCCESS || get(devh, &max, UVC_GET_MAX) != UVC_SUCCESS)
        return;
    get(devh, &def, UVC_GET_DEF);
    get(devh, &cur, UVC_GET_CUR);
    data->minimum = int(min);
    data->maximum = int(max);
    data->defaultValue = int(def);
    data->currentValue = int(cur);
}

} // namespace

IUvcThread::IUvcThread(const ICameraInfo& info, QObject* parent)
    : IDeviceCameraThread(parent), m_info(info)
{
}

IUvcThread::~IUvcThread()
{
    closeCamera();
}

template <typename Fn> bool IUvcThread::withDevice(Fn fn)
{
    QMutexLocker lock(&m_devMutex);
    if (!m_devh)
        return false;
    return fn(m_devh) == UVC_SUCCESS;
}

int IUvcThread::chooseResolution(const QList<CameraResolution>& list, const QSize& wanted)
{
    int best = -1;
    qint64 bestDiff = 0;
    const qint64 wantedArea = qint64(wanted.width()) * wanted.height();
    for (int i = 0; i < list.size(); ++i) {
        const QSize s = list.at(i).size.toSize();
        if (s == wanted)
            return i;
        const qint64 diff = qAbs(qint64(s.width()) * s.height() - wantedArea);
        if (best < 0 || diff < bestDiff) {
            best = i;
            bestDiff = diff;
        }
    }
    return best;
}

void IUvcThread::queryControls()
{
    CameraParameterData p;
    readRange<uint16_t>(m_devh, uvc_get_contrast, &p.contrast);
    readRange<uint16_t>(m_devh, uvc_get_saturation, &p.saturation);
    readRange<int16_t>(m_devh, uvc_get_brightness, &p.brightness);
    readRange<uint32_t>(m_devh, uvc_get_exposure_abs, &p.exposure);
    readRange<uint16_t>(m_devh, uvc_get_focus_abs, &p.focus);
    QMutexLocker lock(&m_mutex);
    m_parameter = p;
}

void IUvcThread::setContrast(const QVariant& value)
{
    {
        QMutexLocker lock(&m_mutex);
        m_parameter.contrast.currentValue = value.toInt();
    }
    withDevice([&](uvc_device_handle_t* d) { return uvc_set_contrast(d, uint16_t(value.toInt())); });
}

void IUvcThread::setSaturation(const QVariant& value)
{
    {
        QMutexLocker lock(&m_mutex);
        m_parameter.saturation.currentValue = value.toInt();
    }
    withDevice([&](uvc_device_handle_t* d) { return uvc_set_saturation(d, uint16_t(value.toInt())); });
}

void IUvcThread::setBrightness(const QVariant& value)
{
    {
        QMutexLocker lock(&m_mutex);
        m_parameter.brightness.currentValue = value.toInt();
    }
    withDevice([&](uvc_device_handle_t* d) { return uvc_set_brightness(d, int16_t(value.toInt())); });
}

void IUvcThread::setAutoFocusFlag(const QVariant& value)
{
    const int v = value.toInt();
    withDevice([&](uvc_device_handle_t* d) { return uvc_set_focus_auto(d, v == -999 ? 1 : 0); });
    if (v == -999)
        return;
    {
        QMutexLocker lock(&m_mutex);
        m_parameter.focus.currentValue = v;
    }
    withDevice([&](uvc_device_handle_t* d) { return uvc_set_focus_abs(d, uint16_t(v)); });
}

void IUvcThread::setAutoExposureFlag(const QVariant& value)
{
    const int v = value.toInt();
    // UVC auto-exposure mode bits: 1 manual, 8 aperture priority (the usual automatic).
    withDevice([&](uvc_device_handle_t* d) { return uvc_set_ae_mode(d, v == -999 ? 8 : 1); });
    if (v == -999)
        return;
    {
        QMutexLocker lock(&m_mutex);
        m_parameter.exposure.currentValue = v;
    }
    withDevice([&](uvc_device_handle_t* d) { return uvc_set_exposure_abs(d, uint32_t(v)); });
}

bool IUvcThread::setCaptureFalg(ImageType type)
{
    // Without a stream no frame would ever answer the request.
    if (!isRunning()) {
        qDebug() << Q_FUNC_INFO << "camera not streaming; capture refused.";
        return false;
    }
    queueCapture(type);
    return true;
}

QList<QSizeF> IUvcThread::supportResolution() const
{
    QMutexLocker lock(&m_mutex);
    QList<QSizeF> sizes;
    for (const CameraResolution& r : m_resolutions)
        sizes << QSizeF(r.size.toSize());
    return sizes;
}

void IUvcThread::run()
{
    const int vid = m_info.vid.toInt(nullptr, 16);
    const int pid = m_info.pid.toInt(nullptr, 16);
    uvc_context_t* rawCtx = nullptr;
    if (uvc_init(&rawCtx, nullptr) != UVC_SUCCESS) {
        qDebug() << Q_FUNC_INFO << "uvc_init failed.";
        emit sgError(1);
        return;
    }
    ContextPtr ctx(rawCtx);
    uvc_device_t* rawDev = nullptr;
    if (uvc_find_device(ctx.get(), &rawDev, vid, pid, nullptr) != UVC_SUCCESS) {
        qDebug() << Q_FUNC_INFO << "uvc device not found:" << m_info.devicePath;
        emit sgError(1);
        return;
    }
    DevicePtr dev(rawDev);
    uvc_device_handle_t* devh = nullptr;
    if (uvc_open(dev.get(), &devh) != UVC_SUCCESS) {
        qDebug() << Q_FUNC_INFO << "uvc_open failed:" << m_info.devicePath;
        emit sgError(1);
        return;
    }
    {
        QMutexLocker lock(&m_devMutex);
        m_devh = devh;
    }
    auto closeDevice = [this] {
        QMutexLocker lock(&m_devMutex);
        uvc_close(m_devh);
        m_devh = nullptr;
    };

    const QString infoPath = ITxCameraInfo::filePath();
    QDir().mkpath(QFileInfo(infoPath).absolutePath());
    if (FILE* f = std::fopen(QFile::encodeName(infoPath).constData(), "w")) {
        uvc_print_diag(devh, f);
        std::fclose(f);
    }
    const QList<CameraResolution> resolutions = ITxCameraInfo::readMjpegResolutions(infoPath);
    QSize wanted;
    {
        QMutexLocker lock(&m_mutex);
        m_resolutions = resolutions;
        wanted = m_requestedSize;
    }
    queryControls();

    auto openStream = [&](const QSize& size, StreamPtr* stream) {
        const int i = chooseResolution(resolutions, size);
        if (i < 0)
            return false;
        const QSize s = resolutions.at(i).size.toSize();
        const int fps = resolutions.at(i).fps.toInt();
        uvc_stream_ctrl_t ctrl;
        uvc_stream_handle_t* strmh = nullptr;
        if (uvc_get_stream_ctrl_format_size(devh, &ctrl, UVC_FRAME_FORMAT_MJPEG, s.width(), s.height(),
                                            fps > 0 ? fps : 30) != UVC_SUCCESS ||
            uvc_stream_open_ctrl(devh, &strmh, &ctrl) != UVC_SUCCESS)
            return false;
        stream->reset(strmh);
        if (uvc_stream_start(strmh, nullptr, nullptr, 0) != UVC_SUCCESS) {
            stream->reset();
            return false;
        }
        return true;
    };

    StreamPtr stream;
    m_resolutionPending = false;
    if (!openStream(wanted, &stream)) {
        qDebug() << Q_FUNC_INFO << "no MJPEG stream on" << m_info.devicePath;
        closeDevice();
        emit sgError(1);
        return;
    }
    emit sgError(0);

    IMjpegDecoder decoder;
    QElapsedTimer sinceFrame;
    sinceFrame.start();
    bool lost = false;
    while (!isInterruptionRequested()) {
        if (m_resolutionPending.exchange(false)) {
            QSize size;
            {
                QMutexLocker lock(&m_mutex);
                size = m_requestedSize;
            }
            const bool offered = chooseResolution(resolutions, size) >= 0 &&
                                 resolutions.at(chooseResolution(resolutions, size)).size.toSize() == size;
            stream.reset();
            if (!offered || !openStream(size, &stream)) {
                emit sgError(2);
                if (!openStream(wanted, &stream)) {
                    lost = true;
                    break;
                }
            } else {
                wanted = size;
            }
            sinceFrame.restart();
        }

        uvc_frame_t* frame = nullptr;
        const uvc_error_t err = uvc_stream_get_frame(stream.get(), &frame, kFrameTimeoutUs);
        if (err != UVC_SUCCESS || !frame) {
            if (sinceFrame.elapsed() > kLostAfterMs) {
                lost = true;
                break;
            }
            continue;
        }
        sinceFrame.restart();
        if (frame->frame_format != UVC_FRAME_FORMAT_MJPEG || !frameWanted())
            continue;
        QImage image = decoder.decode(static_cast<const uchar*>(frame->data), frame->data_bytes);
        if (image.isNull())
            continue;

        answerCaptures(image);
        publishFrame(image);
    }
    stream.reset();
    closeDevice();
    if (lost) {
        qDebug() << Q_FUNC_INFO << "camera lost:" << m_info.devicePath;
        emit sgError(3);
    }
}
