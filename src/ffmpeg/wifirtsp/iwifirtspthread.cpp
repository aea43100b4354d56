#include "iwifirtspthread.h"

#include <QDebug>
#include <QMutexLocker>
#include <QTime>
#include <QTimer>

#include <turbojpeg.h>

extern "C" {
#include <libavutil/imgutils.h>
#include <libavutil/time.h>
}

#include "iglobal.h"
#include "itcpsocket.h"
#include "opencv/iopencvapi.h"

namespace {

// The planes TurboJPEG decodes, as FFmpeg names them.
AVPixelFormat jpegPlanesFormat(int subsampling)
{
    switch (subsampling) {
    case TJSAMP_444: return AV_PIX_FMT_YUV444P;
    case TJSAMP_422: return AV_PIX_FMT_YUV422P;
    case TJSAMP_420: return AV_PIX_FMT_YUV420P;
    case TJSAMP_GRAY: return AV_PIX_FMT_GRAY8;
    case TJSAMP_440: return AV_PIX_FMT_YUV440P;
    case TJSAMP_411: return AV_PIX_FMT_YUV411P;
    default: return AV_PIX_FMT_NONE;
    }
}

// A frame over TurboJPEG's planes, which stay as they are while the frame is referred to.
void describePlanes(AVFrame* frame, const IMjpegDecoder::Planes& planes)
{
    frame->width = planes.size.width();
    frame->height = planes.size.height();
    frame->format = jpegPlanesFormat(planes.subsampling);
    frame->color_range = AVCOL_RANGE_JPEG;
    for (int i = 0; i < 3; ++i) {
        frame->data[i] = const_cast<uint8_t*>(planes.data[i]);
        frame->linesize[i] = planes.stride[i];
    }
}

void releasePlanes(void* keep, uint8_t*)
{
    delete static_cast<std::shared_ptr<const void>*>(keep);
}

} // namespace

IWifiRtspThread::IWifiRtspThread(QObject* parent)
    : ICameraBackend(parent)
{
    for (ParameterData* p : {&m_cameraParameter.contrast, &m_cameraParameter.saturation,
                             &m_cameraParameter.brightness, &m_cameraParameter.exposure,
                             &m_cameraParameter.focus}) {
        p->minimum = 0;
        p->maximum = 100;
        p->defaultValue = 0.0;
        p->currentValue = 0.0;
    }
    m_supportResolution = IWifiProtocol::supportedResolutions();
    m_linkClock.start();
    m_streamClock.start();
    m_lastFrame.reset(av_frame_alloc());
    m_lastJpeg.reset(av_packet_alloc());
    m_jpegPlanes.reset(av_frame_alloc());

    m_photoTimer = new QTimer(this);
    connect(m_photoTimer, &QTimer::timeout, this, &IWifiRtspThread::slPhotoTimeOut);
    m_reconnectTimer = new QTimer(this);
    m_reconnectTimer->setSingleShot(true);
    connect(m_reconnectTimer, &QTimer::timeout, this, &IWifiRtspThread::initSocket);
    m_resendTimer = new QTimer(this);
    m_resendTimer->setSingleShot(true);
    connect(m_resendTimer, &QTimer::timeout, this, &IWifiRtspThread::resendPhoto);
    m_noticeTimer = new QTimer(this);
    m_noticeTimer->setSingleShot(true);
    connect(m_noticeTimer, &QTimer::timeout, this, &IWifiRtspThread::applyOtherAppResolution);
}

IWifiRtspThread::~IWifiRtspThread()
{
    delete m_tcpSocket;
    m_tcpSocket = nullptr;
    m_reconnectTimer->stop();
    m_resendTimer->stop();
    m_noticeTimer->stop();
    m_photoTimer->stop();
    if (m_flushTimer)
        m_flushTimer->stop();
    stopReader();
}

QString IWifiRtspThread::rtspUrl() const
{
    return g_rtsp_url;
}

void IWifiRtspThread::setRtspUrl(const QString& url)
{
    g_rtsp_url = url;
}

bool IWifiRtspThread::openCamera()
{
    if (isRunning())
        return true;
    m_stopFlag = false;
    start();
    if (!m_flushTimer) {
        m_flushTimer = new QTimer(this);
        m_flushTimer->setInterval(m_timings.flushIntervalMs);
        connect(m_flushTimer, &QTimer::timeout, this, &IWifiRtspThread::slTimeOut);
        m_flushTimer->start();
    }
    return true;
}

void IWifiRtspThread::closeCamera()
{
    if (!m_stopFlag)
        stopReader();
}

void IWifiRtspThread::stopReader()
{
    // The interrupt callback makes FFmpeg's blocking reads give up, so this is prompt.
    m_stopFlag = true;
    requestInterruption();
    quit();
    wait();
}

void IWifiRtspThread::slTimeOut()
{
    m_flushPending = true;
}

QImage IWifiRtspThread::captureImage(ImageType type)
{
    const QImage copy = fullPicture();
    if (copy.isNull())
        return QImage();
    return filterImage(type, IOpencvApi::cvImage2Mat(copy));
}

QImage IWifiRtspThread::fullPicture() const
{
    IAVFramePtr frame(av_frame_alloc());
    IAVPacketPtr jpeg(av_packet_alloc());
    if (!frame || !jpeg)
        return QImage();
    {
        QMutexLocker lock(&m_stateMutex);
        if (!m_lastShrunk)
            return m_currentImage;
        if ((m_lastFrame->buf[0] && av_frame_ref(frame.get(), m_lastFrame.get()) < 0)
            || (m_lastJpeg->size > 0 && av_packet_ref(jpeg.get(), m_lastJpeg.get()) < 0))
            return QImage();
    }
    // Outside the lock, on the caller's thread, with converters of its own.
    if (jpeg->size > 0)
        return IMjpegDecoder().decode(jpeg->data, size_t(jpeg->size));
    QImage picture = allocSwsTargetImage(frame->width, frame->height);
    return !picture.isNull() && IPictureConverter().convert(frame.get(), &picture) ? picture : QImage();
}

QImage IWifiRtspThread::filterImage(ImageType type, cv::Mat mat)
{
    return IOpencvApi::filterImage(type, mat);
}

int IWifiRtspThread::byteAraryToInt(QByteArray bytes, bool bigEndian)
{
    return IWifiProtocol::byteAraryToInt(bytes, bigEndian);
}

int IWifiRtspThread::interrupt_cb(void* opaque)
{
    const auto* self = static_cast<IWifiRtspThread*>(opaque);
    if (self->m_stopFlag.load())
        return 1;
    // A read that blocks past the reopen rule gives up now, not at its socket time-out.
    return self->m_watchingRead.load() && self->m_runFlag.load()
            && self->msSinceGoodFrame() >= self->m_timings.reopenAfterMs
        ? 1 : 0;
}

QVariant IWifiRtspThread::contrast() const { return m_cameraParameter.contrast.currentValue; }
QVariant IWifiRtspThread::saturation() const { return m_cameraParameter.saturation.currentValue; }
QVariant IWifiRtspThread::brightness() const { return m_cameraParameter.brightness.currentValue; }
QVariant IWifiRtspThread::resolution() const { return m_requestedResolution; }
CameraParameterData IWifiRtspThread::cameraParameter() const { return m_cameraParameter; }
QList<QSizeF> IWifiRtspThread::supportResolution() const { return m_supportResolution; }

AutoEdgeData IWifiRtspThread::autoEdgeData() const
{
    QMutexLocker lock(&m_stateMutex);
    return m_autoEdgeData;
}

void IWifiRtspThread::setRunFlag(const bool& run)
{
    // A frozen picture is no broken stream: the reopen rule starts again at the thaw.
    if (run)
        markGoodFrame();
    // A frozen picture may be zoomed into: it is shown at the camera's size.
    m_freezePending = !run;
    m_runFlag = run;
}

void IWifiRtspThread::setAutoEdgeFlag(const bool& on)
{
    m_autoEdgeFlag = on;
}

void IWifiRtspThread::setVideoStreamFilter(ImageType type)
{
    QMutexLocker lock(&m_stateMutex);
    m_streamFilter = type;
}

void IWifiRtspThread::setVideoStreamImage(ImageMode mode)
{
    QMutexLocker lock(&m_stateMutex);
    m_imageMode = mode;
}

void IWifiRtspThread::changeVideoStreamImage()
{
    QMutexLocker lock(&m_stateMutex);
    m_imageMode = m_imageMode >= IMAGE_MODE_2 ? IMAGE_MODE_0 : ImageMode(m_imageMode + 1);
}

ImageMode IWifiRtspThread::videoStreamImage() const
{
    QMutexLocker lock(&m_stateMutex);
    return m_imageMode;
}

int IWifiRtspThread::initrtsp()
{
    avformat_network_init();
    if (g_rtsp_url.isEmpty()) {
        qDebug() << Q_FUNC_INFO << "wifi rtsp url is null.";
        return -1;
    }
    AVFormatContext* ctx = avformat_alloc_context();
    if (!ctx)
        return -1;
    ctx->interrupt_callback.callback = &IWifiRtspThread::interrupt_cb;
    ctx->interrupt_callback.opaque = this;

    AVDictionary* rawOptions = nullptr;
    av_dict_set(&rawOptions, "buffer_size", "1024000", 0);
    av_dict_set(&rawOptions, "rtsp_transport", "udp", 0);
    // FFmpeg 5 knows the socket time-out as "timeout"; "stimeout" would be dropped.
    av_dict_set(&rawOptions, "timeout", QByteArray::number(m_timings.socketTimeoutUs).constData(), 0);
    av_dict_set(&rawOptions, "max_delay", "500000", 0);
    // The camera announces its codec: seconds of probing would only delay the picture.
    av_dict_set(&rawOptions, "analyzeduration", QByteArray::number(m_timings.probeUs).constData(), 0);
    // Nor are the frame rate and the first timestamp of any use here; guessing them would
    // read 20 frames, and for H.264 over RTP 7 frames past the key frame, before the first
    // picture.
    av_dict_set(&rawOptions, "fpsprobesize", "0", 0);
    av_dict_set(&rawOptions, "max_ts_probe", "1", 0);
    IAVDictionaryPtr options(rawOptions);

    const QByteArray url = g_rtsp_url.toLatin1();
    rawOptions = options.release();
    const int ret = avformat_open_input(&ctx, url.constData(), nullptr, &rawOptions);
    options.reset(rawOptions);
    if (ret < 0) { // ctx is freed by FFmpeg on failure
        qDebug() << Q_FUNC_INFO << "can't open the rtsp url." << ret;
        return -1;
    }
    m_input.reset(ctx);

    if (avformat_find_stream_info(m_input.get(), nullptr) < 0) {
        qDebug() << Q_FUNC_INFO << "Could't find stream infomation.";
        return -1;
    }
    m_videoStreamIndex = -1;
    for (unsigned i = 0; i < m_input->nb_streams; ++i) {
        if (m_input->streams[i]->codecpar->codec_type == AVMEDIA_TYPE_VIDEO)
            m_videoStreamIndex = int(i);
    }
    if (m_videoStreamIndex < 0) {
        qDebug() << Q_FUNC_INFO << "can not find a video stream.";
        return -1;
    }
    const AVCodecParameters* par = m_input->streams[m_videoStreamIndex]->codecpar;
    const AVCodec* codec = avcodec_find_decoder(par->codec_id);
    if (!codec) {
        qDebug() << Q_FUNC_INFO << "Codec not found.";
        return -1;
    }
    IAVCodecContextPtr decoder(avcodec_alloc_context3(codec));
    if (!decoder || avcodec_parameters_to_context(decoder.get(), par) < 0) {
        qDebug() << Q_FUNC_INFO << "Codec not found.";
        return -1;
    }
    decoder->bit_rate = 0;
    decoder->time_base = AVRational{1, 10};
    if (avcodec_open2(decoder.get(), codec, nullptr) < 0) {
        qDebug() << Q_FUNC_INFO << "Could not open codec.";
        return -1;
    }
    m_decoder = std::move(decoder);
    return 0;
}

int IWifiRtspThread::initconvertctx(const int& width, const int& height)
{
    m_streamWidth = width;
    m_streamHeight = height;
    if (m_decoder) {
        m_decoder->width = width;
        m_decoder->height = height;
    }
    return 0; // the conversion follows each frame's own size and format
}

bool IWifiRtspThread::reopenrtsp()
{
    m_decoder.reset();
    m_input.reset();
    if (initrtsp() != 0) {
        qDebug() << Q_FUNC_INFO << "reopen rtsp error,exit application";
        return false;
    }
    initconvertctx(m_decoder->width, m_decoder->height);
    qDebug() << Q_FUNC_INFO << "reopen rtsp " << QTime::currentTime().toString("hh:mm:ss");
    return true;
}

void IWifiRtspThread::run()
{
    m_readErrorLog.settle();
    if (initrtsp() != 0) {
        releaseStream();
        if (!m_stopFlag)
            emit sgError(1);
        return;
    }
    // The open signal and the control link belong to the owner's thread.
    QMetaObject::invokeMethod(this, [this] {
        QTimer::singleShot(m_timings.openSignalMs, this, [this] { emit sgError(0); });
        initSocket();
    }, Qt::QueuedConnection);

    IAVFramePtr frame(av_frame_alloc());
    m_packet.reset(av_packet_alloc());
    initconvertctx(m_decoder->width, m_decoder->height);
    markGoodFrame();
    while (!m_stopFlag && frame && m_packet) {
        if (!readerPass(frame.get()))
            break;
    }
    releaseStream();
    qDebug() << Q_FUNC_INFO << "exit rtsp stream";
}

void IWifiRtspThread::releaseStream()
{
    m_framePool.clear();
    m_packet.reset();
    m_decoder.reset();
    m_input.reset();
}

bool IWifiRtspThread::readerPass(AVFrame* frame)
{
    AVPacket* packet = m_packet.get();
    m_watchingRead = true;
    const int ret = av_read_frame(m_input.get(), packet);
    m_watchingRead = false;
    IAVPacketUnref unref(packet);
    if (!m_runFlag) {
        markGoodFrame();
        if (m_freezePending.exchange(false)) {
            bool shrunk = false;
            {
                QMutexLocker lock(&m_stateMutex);
                shrunk = m_lastShrunk;
            }
            const QImage whole = shrunk ? fullPicture() : QImage();
            if (!whole.isNull())
                publishFrame(whole, whole.size(), av_gettime_relative());
        }
        if (ret < 0) // a source at its end fails at once; don't spin on it
            QThread::msleep(10);
        return true;
    }
    if (ret < 0) {
        if (m_stopFlag)
            return false;
        // During an outage reads fail every few milliseconds: one line per kind of error.
        const qint64 sinceGood = msSinceGoodFrame();
        int repeats = 0;
        if (m_readErrorLog.note(ret, &repeats)) {
            if (repeats > 0)
                qDebug() << Q_FUNC_INFO << "previous read error repeated" << repeats << "times";
            qDebug() << Q_FUNC_INFO << "av_read_frame: " << ret << sinceGood;
        }
        if (sinceGood >= m_timings.reopenAfterMs) {
            const int unlogged = m_readErrorLog.settle();
            qDebug() << Q_FUNC_INFO << "no good frame for ms:" << sinceGood << "read errors not logged:" << unlogged;
            if (!reopenrtsp()) {
                if (!m_stopFlag)
                    emit sgError(1);
                m_stopFlag = true;
                requestInterruption();
                return false;
            }
            markGoodFrame();
            return true;
        }
        QThread::msleep(10); // a source that fails at once must not spin the reader
        return m_input != nullptr;
    }
    if (m_readErrorLog.active())
        qDebug() << Q_FUNC_INFO << "reads good again; read errors not logged:" << m_readErrorLog.settle();
    const qint64 arrivalUs = av_gettime_relative();
    const bool keyFrame = packet->flags & AV_PKT_FLAG_KEY;

    int otherStreamRepeats = 0;
    if (packet->stream_index != m_videoStreamIndex) {
        if (m_otherStreamLog.note(packet->stream_index, &otherStreamRepeats))
            qDebug() << Q_FUNC_INFO << "packet->stream_index not video stream" << packet->stream_index;
    } else if (!m_liveWanted || (m_awaitKeyFrame && !keyFrame && m_decoder->codec_id != AV_CODEC_ID_MJPEG)) {
        // Nobody looks: the stream is read but not decoded, and decoding starts again
        // at a key frame, the first one that makes a whole picture (every JPEG does).
        m_awaitKeyFrame = true;
        ++m_packetsDropped;
        markGoodFrame();
    } else if (m_decoder->width != m_streamWidth || m_decoder->height != m_streamHeight) {
        qDebug() << Q_FUNC_INFO << "rtsp resolution change before size: " << m_streamWidth << m_streamHeight;
        initconvertctx(m_decoder->width, m_decoder->height);
        qDebug() << Q_FUNC_INFO << "rtsp resolution change after size: " << m_streamWidth << m_streamHeight;
        return true;
    } else if (m_decoder->codec_id == AV_CODEC_ID_MJPEG) {
        m_awaitKeyFrame = false;
        emitJpeg(packet, arrivalUs);
    } else {
        if (m_awaitKeyFrame) {
            avcodec_flush_buffers(m_decoder.get());
            m_awaitKeyFrame = false;
        }
        if (avcodec_send_packet(m_decoder.get(), packet) < 0) {
            qDebug() << Q_FUNC_INFO << "decode error.\n";
            return true;
        }
        int got = 0;
        bool skipped = false;
        while (avcodec_receive_frame(m_decoder.get(), frame) == 0) {
            ++got;
            if (frame->width != m_decoder->width || frame->height != m_decoder->height) {
                qDebug() << Q_FUNC_INFO << "切换分辨率之后 frame大小还是原来分辨率大小,跳过该帧."
                         << frame->width << frame->height << m_decoder->width << m_decoder->height;
                skipped = true;
            } else {
                emitFrame(frame, arrivalUs);
            }
            av_frame_unref(frame);
        }
        if (got == 0)
            qDebug() << Q_FUNC_INFO << "got_picture < 0 " << got;
        if (skipped)
            return true; // a stale frame ends the pass: no flush on it
    }

    if (m_flushPending && keyFrame) {
        m_flushPending = false;
        avformat_flush(m_input.get());
        qDebug() << Q_FUNC_INFO << "I frame avformat_flush cache." << QTime::currentTime().toString("hh:mm:ss");
    }
    return true;
}

QImage* IWifiRtspThread::framePicture(int w, int h)
{
    // A picture that nobody but this pool holds any more is written again; one that a
    // receiver still holds is never touched, so every emitted frame owns its pixels.
    for (QImage& pooled : m_framePool) {
        if (pooled.width() == w && pooled.height() == h && pooled.isDetached())
            return &pooled;
    }
    QImage fresh = allocSwsTargetImage(w, h);
    if (fresh.isNull())
        return nullptr;
    if (m_framePool.size() >= FramePoolSize)
        m_framePool.removeFirst();
    m_framePool.append(fresh);
    return &m_framePool.last();
}

QSize IWifiRtspThread::liveSize(const QSize& fullSize, AVPixelFormat format) const
{
    // The outline is found and drawn on the whole picture.
    return m_autoEdgeFlag ? fullSize : IPictureConverter::targetSize(fullSize, shownSize(), format);
}

void IWifiRtspThread::emitFrame(AVFrame* frame, qint64 arrivalUs)
{
    const QSize full(frame->width, frame->height);
    m_streamWidth = full.width();
    m_streamHeight = full.height();
    const QSize size = liveSize(full, AVPixelFormat(frame->format));
    if (IPictureConverter::drawsShown(full, size, AVPixelFormat(frame->format))) {
        // Converted where it is painted; a reference to the decoder's picture, not a copy.
        std::shared_ptr<const AVFrame> ref(av_frame_clone(frame), IAVFrameDeleter());
        if (!ref)
            return;
        keepSource(frame, nullptr);
        publishFrame(QImage(), full, arrivalUs, IShownFrame(ref, size));
        return;
    }
    // Written while the pool is its only holder: bits() does not copy.
    QImage* target = framePicture(size.width(), size.height());
    if (!target || !m_converter.convert(frame, target))
        return;
    if (size != full)
        keepSource(frame, nullptr);
    publishFrame(*target, full, arrivalUs);
}

// TurboJPEG writes the picture's own format at once, where FFmpeg's decoder and swscale
// take two passes; a smaller picture is made from its planes, decoded at a smaller
// scale where that still covers the shown size.
void IWifiRtspThread::emitJpeg(const AVPacket* packet, qint64 arrivalUs)
{
    int subsampling = -1;
    const QSize full = m_jpegDecoder.frameSize(packet->data, size_t(packet->size), &subsampling);
    const QSize size = full.isValid() ? liveSize(full, jpegPlanesFormat(subsampling)) : QSize();
    IShownFrame shown;
    QImage image = size != full ? shrinkJpeg(packet, size, &shown) : QImage();
    if (!image.isNull() || !shown.isNull()) {
        keepSource(nullptr, packet);
    } else if (full.isValid()) {
        QImage* target = framePicture(full.width(), full.height());
        image = target ? m_jpegDecoder.decode(packet->data, size_t(packet->size), false, QSize(), target) : QImage();
    }
    if (image.isNull() && shown.isNull()) {
        qDebug() << Q_FUNC_INFO << "decode error.\n";
        return;
    }
    publishFrame(image, full, arrivalUs, shown);
}

QImage IWifiRtspThread::shrinkJpeg(const AVPacket* packet, const QSize& size, IShownFrame* shown)
{
    IMjpegDecoder::Planes planes;
    if (!m_jpegDecoder.decodePlanes(packet->data, size_t(packet->size), size, &planes))
        return QImage();
    const AVPixelFormat format = jpegPlanesFormat(planes.subsampling);
    if (format == AV_PIX_FMT_NONE)
        return QImage();
    if (IPictureConverter::drawsShown(planes.size, size, format)) {
        // Converted where it is painted, from the decoder's planes: they are not written
        // again before the frame is let go.
        IAVFramePtr frame(av_frame_alloc());
        auto* keep = new std::shared_ptr<const void>(planes.keep);
        AVBufferRef* hold = av_buffer_create(const_cast<uint8_t*>(planes.data[0]), 0, releasePlanes, keep,
                                             AV_BUFFER_FLAG_READONLY);
        if (!hold)
            delete keep;
        if (!frame || !hold) {
            av_buffer_unref(&hold);
            return QImage();
        }
        describePlanes(frame.get(), planes);
        frame->buf[0] = hold;
        *shown = IShownFrame(std::shared_ptr<const AVFrame>(frame.release(), IAVFrameDeleter()), size);
        return QImage();
    }
    AVFrame* frame = m_jpegPlanes.get();
    describePlanes(frame, planes);
    QImage* target = framePicture(size.width(), size.height());
    return target && m_converter.convert(frame, target) ? *target : QImage();
}

void IWifiRtspThread::keepSource(const AVFrame* frame, const AVPacket* jpeg)
{
    QMutexLocker lock(&m_stateMutex);
    av_frame_unref(m_lastFrame.get());
    av_packet_unref(m_lastJpeg.get());
    // Reference counts only: the decoder's picture and the packet are not copied.
    if (frame)
        av_frame_ref(m_lastFrame.get(), frame);
    if (jpeg)
        av_packet_ref(m_lastJpeg.get(), jpeg);
}

void IWifiRtspThread::publishFrame(QImage image, const QSize& fullSize, qint64 arrivalUs, const IShownFrame& shown)
{
    const bool shrunk = image.size() != fullSize;
    if (m_autoEdgeFlag && !shrunk) {
        const AutoEdgeData outline = IOpencvApi::cvAutoEdge(IOpencvApi::cvImage2Mat(image));
        QMutexLocker lock(&m_stateMutex);
        m_autoEdgeData = outline;
    }
    {
        QMutexLocker lock(&m_stateMutex);
        m_currentImage = shrunk ? QImage() : image;
        m_lastShrunk = shrunk;
        if (!shrunk) {
            av_frame_unref(m_lastFrame.get());
            av_packet_unref(m_lastJpeg.get());
        }
    }
    m_lastLatencyUs = av_gettime_relative() - arrivalUs;
    markGoodFrame();
    emit sgCameraFrame(image, shrunk ? fullSize : QSize(), shown);
}
