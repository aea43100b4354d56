#include "imaccapturethread.h"

#include <QDebug>
#include <algorithm>
#include <QMutexLocker>
#include <cerrno>
#include <fcntl.h>
#include <linux/videodev2.h>
#include <opencv2/imgproc.hpp>
#include <poll.h>
#include <sys/ioctl.h>
#include <sys/mman.h>
#include <unistd.h>

#include "iglobal.h"
#include "imjpegdecoder.h"
#include "opencv/iopencvapi.h"

namespace {

constexpr int kBufferCount = 4;
// Decoded frames written again once the board, the last-frame copy and the queued
// signals have let go of them: a fresh 4K picture costs 33 MB of page faults.
constexpr int kFramePool = 4;
constexpr int kPollMs = 200;

QVariant toVariantRange(int v) { return QVariant(v); }

// A frame cut short on the bus lacks the JPEG end marker (cameras may pad after it with
// zeros). Decoding it anyway would show a half-grey picture.
bool hasJpegEnd(const uchar* data, size_t bytes)
{
    while (bytes > 2 && data[bytes - 1] == 0)
        --bytes;
    return bytes >= 4 && data[bytes - 2] == 0xff && data[bytes - 1] == 0xd9;
}

} // namespace

IMacCaptureThread::IMacCaptureThread(const QString& devicePath, QObject* parent)
    : IDeviceCameraThread(parent), m_devicePath(devicePath)
{
    m_hwContrast.id = V4L2_CID_CONTRAST;
    m_hwSaturation.id = V4L2_CID_SATURATION;
    m_hwBrightness.id = V4L2_CID_BRIGHTNESS;
    m_hwExposure.id = V4L2_CID_EXPOSURE_ABSOLUTE;
    m_hwExposureAuto.id = V4L2_CID_EXPOSURE_AUTO;
    m_hwFocus.id = V4L2_CID_FOCUS_ABSOLUTE;
    m_hwFocusAuto.id = V4L2_CID_FOCUS_AUTO;
    // Software ranges until the device tells us which controls it has.
    for (ParameterData* p : {&m_parameter.contrast, &m_parameter.saturation, &m_parameter.brightness}) {
        p->minimum = 0;
        p->maximum = 100;
        p->defaultValue = 50;
        p->currentValue = 50;
    }
}

IMacCaptureThread::~IMacCaptureThread()
{
    closeCamera();
}

int IMacCaptureThread::xioctl(unsigned long request, void* arg) const
{
    int r;
    do {
        r = ::ioctl(m_fd, request, arg);
    } while (r == -1 && errno == EINTR);
    return r;
}

QList<CaptureFormat> IMacCaptureThread::enumerateFormats(const IoctlFn& ioctlFn)
{
    QList<CaptureFormat> formats;
    for (quint32 f = 0;; ++f) {
        v4l2_fmtdesc desc{};
        desc.index = f;
        desc.type = V4L2_BUF_TYPE_VIDEO_CAPTURE;
        if (ioctlFn(VIDIOC_ENUM_FMT, &desc) != 0)
            break;
        if (desc.pixelformat != V4L2_PIX_FMT_MJPEG && desc.pixelformat != V4L2_PIX_FMT_YUYV)
            continue;
        for (quint32 s = 0;; ++s) {
            v4l2_frmsizeenum size{};
            size.index = s;
            size.pixel_format = desc.pixelformat;
            if (ioctlFn(VIDIOC_ENUM_FRAMESIZES, &size) != 0)
                break;
            CaptureFormat format;
            format.fourcc = desc.pixelformat;
            if (size.type == V4L2_FRMSIZE_TYPE_DISCRETE)
                format.size = QSize(int(size.discrete.width), int(size.discrete.height));
            else // stepwise or continuous: offer the largest
                format.size = QSize(int(size.stepwise.max_width), int(size.stepwise.max_height));
            v4l2_frmivalenum ival{};
            ival.index = 0;
            ival.pixel_format = desc.pixelformat;
            ival.width = quint32(format.size.width());
            ival.height = quint32(format.size.height());
            if (ioctlFn(VIDIOC_ENUM_FRAMEINTERVALS, &ival) == 0 && ival.type == V4L2_FRMIVAL_TYPE_DISCRETE &&
                ival.discrete.numerator > 0)
                format.fps = double(ival.discrete.denominator) / ival.discrete.numerator;
            formats << format;
            if (size.type != V4L2_FRMSIZE_TYPE_DISCRETE)
                break;
        }
    }
    return formats;
}

int IMacCaptureThread::chooseFormat(const QList<CaptureFormat>& formats, const QSize& wanted)
{
    for (quint32 fourcc : {quint32(V4L2_PIX_FMT_MJPEG), quint32(V4L2_PIX_FMT_YUYV)}) {
        for (int i = 0; i < formats.size(); ++i)
            if (formats.at(i).fourcc == fourcc && formats.at(i).size == wanted)
                return i;
    }
    int best = -1;
    qint64 bestDiff = 0;
    const qint64 wantedArea = qint64(wanted.width()) * wanted.height();
    for (int i = 0; i < formats.size(); ++i) {
        const qint64 diff = qAbs(qint64(formats.at(i).size.width()) * formats.at(i).size.height() - wantedArea);
        const bool mjpeg = formats.at(i).fourcc == V4L2_PIX_FMT_MJPEG;
        if (best < 0 || diff < bestDiff ||
            (diff == bestDiff && mjpeg && formats.at(best).fourcc != V4L2_PIX_FMT_MJPEG)) {
            best = i;
            bestDiff = diff;
        }
    }
    return best;
}

QImage IMacCaptureThread::convertFrame(quint32 fourcc, const QSize& size, const uchar* data, size_t bytes,
                                       IMjpegDecoder* decoder, QImage* reuse)
{
    if (!data || bytes == 0 || size.isEmpty())
        return QImage();
    if (fourcc == V4L2_PIX_FMT_MJPEG)
        return decoder && hasJpegEnd(data, bytes) ? decoder->decode(data, bytes, false, QSize(), reuse) : QImage();
    if (fourcc == V4L2_PIX_FMT_YUYV) {
        if (bytes < size_t(size.width()) * size_t(size.height()) * 2)
            return QImage();
        QImage fresh;
        QImage* target = reuse;
        if (!reuse || reuse->size() != size || reuse->format() != QImage::Format_RGB32 || !reuse->isDetached()) {
            fresh = QImage(size, QImage::Format_RGB32);
            target = &fresh;
        }
        QImage& image = *target;
        cv::Mat yuyv(size.height(), size.width(), CV_8UC2, const_cast<uchar*>(data));
        cv::Mat out(image.height(), image.width(), CV_8UC4, image.bits(), size_t(image.bytesPerLine()));
        cv::cvtColor(yuyv, out, cv::COLOR_YUV2BGRA_YUYV);
        return image;
    }
    return QImage();
}

QString IMacCaptureThread::cardName(const QString& node)
{
    const int fd = ::open(node.toLocal8Bit().constData(), O_RDWR | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return node;
    v4l2_capability cap{};
    const bool ok = ::ioctl(fd, VIDIOC_QUERYCAP, &cap) == 0;
    ::close(fd);
    const QString card = QString::fromUtf8(reinterpret_cast<const char*>(cap.card),
                                           int(strnlen(reinterpret_cast<const char*>(cap.card), sizeof cap.card)));
    return ok && !card.isEmpty() ? card : node;
}

bool IMacCaptureThread::openDevice()
{
    const int fd = ::open(m_devicePath.toLocal8Bit().constData(), O_RDWR | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        qDebug() << Q_FUNC_INFO << "open failed:" << m_devicePath << strerror(errno);
        return false;
    }
    {
        QMutexLocker lock(&m_fdMutex);
        m_fd = fd;
    }
    v4l2_capability cap{};
    if (xioctl(VIDIOC_QUERYCAP, &cap) != 0 || !(cap.device_caps & V4L2_CAP_VIDEO_CAPTURE) ||
        !(cap.device_caps & V4L2_CAP_STREAMING)) {
        qDebug() << Q_FUNC_INFO << "not a streaming capture device:" << m_devicePath;
        closeDevice();
        return false;
    }
    return true;
}

void IMacCaptureThread::closeDevice()
{
    QMutexLocker lock(&m_fdMutex);
    if (m_fd >= 0)
        ::close(m_fd);
    m_fd = -1;
}

bool IMacCaptureThread::startStreaming(const CaptureFormat& format, bool exactSize)
{
    v4l2_format fmt{};
    fmt.type = V4L2_BUF_TYPE_VIDEO_CAPTURE;
    fmt.fmt.pix.width = quint32(format.size.width());
    fmt.fmt.pix.height = quint32(format.size.height());
    fmt.fmt.pix.pixelformat = format.fourcc;
    fmt.fmt.pix.field = V4L2_FIELD_ANY;
    if (xioctl(VIDIOC_S_FMT, &fmt) != 0) {
        qDebug() << Q_FUNC_INFO << "VIDIOC_S_FMT failed:" << strerror(errno);
        return false;
    }
    const QSize granted(int(fmt.fmt.pix.width), int(fmt.fmt.pix.height));
    // Drivers answer a size they do not offer with another one instead of failing.
    if (exactSize && granted != format.size) {
        qDebug() << Q_FUNC_INFO << "device refused" << format.size << "and offered" << granted;
        return false;
    }
    m_format.fourcc = fmt.fmt.pix.pixelformat;
    m_format.size = granted;
    m_format.fps = format.fps;
    if (m_format.fourcc != V4L2_PIX_FMT_MJPEG && m_format.fourcc != V4L2_PIX_FMT_YUYV)
        return false;

    if (format.fps > 0) {
        v4l2_streamparm parm{};
        parm.type = V4L2_BUF_TYPE_VIDEO_CAPTURE;
        parm.parm.capture.timeperframe.numerator = 1000;
        parm.parm.capture.timeperframe.denominator = quint32(format.fps * 1000);
        xioctl(VIDIOC_S_PARM, &parm); // a camera without frame-rate control keeps its own
    }

    v4l2_requestbuffers req{};
    req.count = kBufferCount;
    req.type = V4L2_BUF_TYPE_VIDEO_CAPTURE;
    req.memory = V4L2_MEMORY_MMAP;
    if (xioctl(VIDIOC_REQBUFS, &req) != 0 || req.count < 2) {
        qDebug() << Q_FUNC_INFO << "VIDIOC_REQBUFS failed:" << strerror(errno);
        return false;
    }
    for (quint32 i = 0; i < req.count; ++i) {
        v4l2_buffer buf{};
        buf.type = V4L2_BUF_TYPE_VIDEO_CAPTURE;
        buf.memory = V4L2_MEMORY_MMAP;
        buf.index = i;
        if (xioctl(VIDIOC_QUERYBUF, &buf) != 0) {
            stopStreaming();
            return false;
        }
        Buffer b;
        b.length = buf.length;
        b.start = ::mmap(nullptr, buf.length, PROT_READ | PROT_WRITE, MAP_SHARED, m_fd, buf.m.offset);
        if (b.start == MAP_FAILED) {
            stopStreaming();
            return false;
        }
        m_buffers << b;
        if (xioctl(VIDIOC_QBUF, &buf) != 0) {
            stopStreaming();
            return false;
        }
    }
    v4l2_buf_type type = V4L2_BUF_TYPE_VIDEO_CAPTURE;
    if (xioctl(VIDIOC_STREAMON, &type) != 0) {
        qDebug() << Q_FUNC_INFO << "VIDIOC_STREAMON failed:" << strerror(errno);
        stopStreaming();
        return false;
    }
    return true;
}

void IMacCaptureThread::stopStreaming()
{
    v4l2_buf_type type = V4L2_BUF_TYPE_VIDEO_CAPTURE;
    xioctl(VIDIOC_STREAMOFF, &type);
    for (const Buffer& b : qAsConst(m_buffers))
        ::munmap(b.start, b.length);
    m_buffers.clear();
    v4l2_requestbuffers req{};
    req.count = 0;
    req.type = V4L2_BUF_TYPE_VIDEO_CAPTURE;
    req.memory = V4L2_MEMORY_MMAP;
    xioctl(VIDIOC_REQBUFS, &req);
}

void IMacCaptureThread::queryControls()
{
    auto query = [this](Control& control, ParameterData* data) {
        v4l2_queryctrl q{};
        q.id = control.id;
        control.present = xioctl(VIDIOC_QUERYCTRL, &q) == 0 && !(q.flags & V4L2_CTRL_FLAG_DISABLED);
        if (!control.present || !data)
            return;
        v4l2_control c{};
        c.id = control.id;
        const int current = xioctl(VIDIOC_G_CTRL, &c) == 0 ? c.value : q.default_value;
        data->minimum = toVariantRange(q.minimum);
        data->maximum = toVariantRange(q.maximum);
        data->defaultValue = toVariantRange(q.default_value);
        data->currentValue = toVariantRange(current);
    };
    QMutexLocker lock(&m_mutex);
    query(m_hwContrast, &m_parameter.contrast);
    query(m_hwSaturation, &m_parameter.saturation);
    query(m_hwBrightness, &m_parameter.brightness);
    query(m_hwExposure, &m_parameter.exposure);
    query(m_hwFocus, &m_parameter.focus);
    query(m_hwExposureAuto, nullptr);
    query(m_hwFocusAuto, nullptr);
}

bool IMacCaptureThread::setDeviceControl(quint32 id, int value)
{
    QMutexLocker lock(&m_fdMutex);
    if (m_fd < 0)
        return false;
    v4l2_control c{};
    c.id = id;
    c.value = value;
    if (xioctl(VIDIOC_S_CTRL, &c) != 0) {
        qDebug() << Q_FUNC_INFO << "control" << Qt::hex << id << "refused:" << strerror(errno);
        return false;
    }
    return true;
}

void IMacCaptureThread::setPictureControl(ParameterData CameraParameterData::*field, const Control& hw,
                                          int SoftwareAdjustments::*soft, const QVariant& value)
{
    const int v = value.toInt();
    bool present;
    {
        QMutexLocker lock(&m_mutex);
        present = hw.present;
        (m_parameter.*field).currentValue = v;
        if (!present)
            m_adjust.*soft = qBound(0, v, 100);
    }
    if (present)
        setDeviceControl(hw.id, v);
}

void IMacCaptureThread::setContrast(const QVariant& value)
{
    setPictureControl(&CameraParameterData::contrast, m_hwContrast, &SoftwareAdjustments::contrast, value);
}

void IMacCaptureThread::setSaturation(const QVariant& value)
{
    setPictureControl(&CameraParameterData::saturation, m_hwSaturation, &SoftwareAdjustments::saturation, value);
}

void IMacCaptureThread::setBrightness(const QVariant& value)
{
    setPictureControl(&CameraParameterData::brightness, m_hwBrightness, &SoftwareAdjustments::brightness, value);
}

void IMacCaptureThread::setAutoFocusFlag(const QVariant& value)
{
    const int v = value.toInt();
    bool present, autoPresent;
    {
        QMutexLocker lock(&m_mutex);
        present = m_hwFocus.present;
        autoPresent = m_hwFocusAuto.present;
        if (v != -999)
            m_parameter.focus.currentValue = v;
    }
    if (autoPresent)
        setDeviceControl(V4L2_CID_FOCUS_AUTO, v == -999 ? 1 : 0);
    if (v != -999 && present)
        setDeviceControl(V4L2_CID_FOCUS_ABSOLUTE, v);
}

void IMacCaptureThread::setAutoExposureFlag(const QVariant& value)
{
    const int v = value.toInt();
    bool present, autoPresent;
    {
        QMutexLocker lock(&m_mutex);
        present = m_hwExposure.present;
        autoPresent = m_hwExposureAuto.present;
        if (v != -999)
            m_parameter.exposure.currentValue = v;
    }
    if (autoPresent) {
        if (v == -999) {
            // UVC cameras mostly offer aperture priority as their automatic mode.
            if (!setDeviceControl(V4L2_CID_EXPOSURE_AUTO, V4L2_EXPOSURE_APERTURE_PRIORITY))
                setDeviceControl(V4L2_CID_EXPOSURE_AUTO, V4L2_EXPOSURE_AUTO);
        } else {
            setDeviceControl(V4L2_CID_EXPOSURE_AUTO, V4L2_EXPOSURE_MANUAL);
        }
    }
    if (v != -999 && present)
        setDeviceControl(V4L2_CID_EXPOSURE_ABSOLUTE, v);
}

bool IMacCaptureThread::setCaptureFalg(ImageType type)
{
    // Nothing is decoded while nobody looks: the next frame answers instead.
    if (!m_liveWanted && isRunning()) {
        queueCapture(type);
        return true;
    }
    const QImage picture = captureImage(type);
    if (picture.isNull()) {
        qDebug() << Q_FUNC_INFO << "no frame to capture yet.";
        return false;
    }
    emit sgCaptureImage(picture);
    return true;
}

QList<QSizeF> IMacCaptureThread::supportResolution() const
{
    QMutexLocker lock(&m_mutex);
    QList<QSizeF> sizes;
    for (const CaptureFormat& f : m_formats)
        if (!sizes.contains(QSizeF(f.size)))
            sizes << QSizeF(f.size);
    return sizes;
}

void IMacCaptureThread::handleFrame(QImage& frame)
{
    SoftwareAdjustments adjust;
    {
        QMutexLocker lock(&m_mutex);
        adjust = m_adjust;
    }
    cv::Mat mat(frame.height(), frame.width(), CV_8UC4, frame.bits(), size_t(frame.bytesPerLine()));
    adjust.apply(mat);

    answerCaptures(frame);
    publishFrame(frame);
}

void IMacCaptureThread::run()
{
    if (!openDevice()) {
        emit sgError(1);
        return;
    }
    const QList<CaptureFormat> formats =
        enumerateFormats([this](unsigned long request, void* arg) { return xioctl(request, arg); });
    // Cleared before the size is read: a request made from now on restarts the stream.
    m_resolutionPending = false;
    QSize wanted;
    {
        QMutexLocker lock(&m_mutex);
        m_formats = formats;
        wanted = m_requestedSize;
    }
    queryControls();
    const int index = chooseFormat(formats, wanted);
    if (index < 0 || !startStreaming(formats.at(index), false)) {
        qDebug() << Q_FUNC_INFO << "no usable MJPEG or YUYV format on" << m_devicePath;
        closeDevice();
        emit sgError(1);
        return;
    }
    emit sgError(0);

    IMjpegDecoder decoder;
    QImage pool[kFramePool];
    bool lost = false;
    while (!isInterruptionRequested()) {
        if (m_resolutionPending.exchange(false)) {
            QSize size;
            {
                QMutexLocker lock(&m_mutex);
                size = m_requestedSize;
            }
            const CaptureFormat previous = m_format;
            const int i = chooseFormat(formats, size);
            stopStreaming();
            if (i < 0 || formats.at(i).size != size || !startStreaming(formats.at(i), true)) {
                stopStreaming();
                {
                    // The stream stays at its size, and so does what we report.
                    QMutexLocker lock(&m_mutex);
                    if (m_requestedSize == size)
                        m_requestedSize = previous.size;
                }
                emit sgError(2);
                if (!startStreaming(previous, false)) {
                    lost = true;
                    break;
                }
            }
        }

        pollfd pfd{m_fd, POLLIN, 0};
        const int ready = ::poll(&pfd, 1, kPollMs);
        if (ready < 0 && errno != EINTR) {
            lost = true;
            break;
        }
        if (ready <= 0)
            continue;
        if (pfd.revents & (POLLERR | POLLHUP)) {
            lost = true;
            break;
        }
        v4l2_buffer buf{};
        buf.type = V4L2_BUF_TYPE_VIDEO_CAPTURE;
        buf.memory = V4L2_MEMORY_MMAP;
        if (xioctl(VIDIOC_DQBUF, &buf) != 0) {
            if (errno == EAGAIN)
                continue;
            lost = true; // ENODEV / EIO: the camera went away
            break;
        }
        QImage* slot = std::find_if(std::begin(pool), std::end(pool), [](const QImage& p) {
            return p.isNull() || p.isDetached();
        });
        if (slot == std::end(pool))
            slot = nullptr;
        QImage frame;
        const bool wanted = frameWanted();
        if (!wanted && !m_lastFrame.isNull()) {
            // A capture after the restore must not get a picture from before it.
            QMutexLocker lock(&m_mutex);
            m_lastFrame = QImage();
        }
        if (wanted && int(buf.index) < m_buffers.size() && !(buf.flags & V4L2_BUF_FLAG_ERROR))
            frame = convertFrame(m_format.fourcc, m_format.size,
                                 static_cast<const uchar*>(m_buffers.at(int(buf.index)).start),
                                 qMin<size_t>(buf.bytesused, m_buffers.at(int(buf.index)).length), &decoder, slot);
        xioctl(VIDIOC_QBUF, &buf);
        if (!frame.isNull()) {
            if (slot)
                *slot = QImage(); // frame alone holds the pixels while they are adjusted
            handleFrame(frame);
            if (slot)
                *slot = frame;
        }
    }
    stopStreaming();
    closeDevice();
    {
        // A snapshot after the stream ended would be an old picture passed off as new.
        QMutexLocker lock(&m_mutex);
        m_lastFrame = QImage();
    }
    if (lost) {
        qDebug() << Q_FUNC_INFO << "camera lost:" << m_devicePath;
        emit sgError(3);
    }
}
