#include "ffmpeg/icavinputstream.h"

#include <QDebug>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QMutexLocker>
#include <QPointer>
#include <QScreen>
#include <QThread>
#include <QTimer>
#include <algorithm>
#include <limits>

#include "ffmpeg/iaudioinputfromqt.h"
#include "ffmpeg/ipipewirecapture.h"
#include "ffmpeg/iscreencastportal.h"
#include "ffmpeg/istreamthread.h"
#include "imachelper.h"

#include <gst/gst.h>
#include <gst/video/video-info.h>

extern "C" {
#include <libavdevice/avdevice.h>
#include <libavfilter/buffersink.h>
#include <libavfilter/buffersrc.h>
#include <libavutil/opt.h>
#include <libavutil/samplefmt.h>
#include <libavutil/time.h>
}

Q_DECLARE_METATYPE(AVFrame*)

namespace {
const qint64 NEVER = std::numeric_limits<qint64>::max();
// A granted screen cast that gives no picture within this time will give none.
const int FIRST_PICTURE_MS = 5000;
}

ICAVInputStream::ICAVInputStream(QObject* parent)
    : QObject(parent)
{
    qRegisterMetaType<AVFrame*>("AVFrame*");
    avdevice_register_all();
}

ICAVInputStream::~ICAVInputStream()
{
    cancelOpen();
    CloseInputStream();
    m_videoThread.reset();
    waitCaptureEnded();
    m_encodeThread.reset();
    QMutexLocker lock(&m_endingCastsMutex);
    m_endingCasts.clear();
}

bool ICAVInputStream::initData()
{
    IAudioInputFromQt* mic = IAudioInputFromQt::instance();
    if (!m_qtMicrophone)
        return true;
    // The camera's own microphone, when the sound server has one by its name.
    const bool connected = mic->isInitialised();
    if (mic->initializeAudioCapture(m_audioDevice) && !connected) {
        connect(mic, SIGNAL(sgReadAudioData(QByteArray, int, int, int, int)), this,
                SLOT(slReadAudioData(QByteArray, int, int, int, int)), Qt::DirectConnection);
        connect(mic, &IAudioInputFromQt::sgStarted, this, &ICAVInputStream::onMicrophoneStarted,
                Qt::QueuedConnection);
        connect(mic, &IAudioInputFromQt::sgAway, this, &ICAVInputStream::sgMicrophoneAway, Qt::QueuedConnection);
    }
    return true;
}

void ICAVInputStream::SetVideoCaptureDevice(const QString& name)
{
    m_videoDevice = name;
}

void ICAVInputStream::SetAudioCaptureDevice(const QString& name)
{
    m_audioDevice = name;
}

QRect ICAVInputStream::normaliseRect(const QRect& rect, const QRect& screen, qreal ratio, const QRect& desktop)
{
    // Qt keeps a screen's origin in device pixels and scales only what lies beyond it.
    ratio = qMax(qreal(1), ratio);
    const QPoint origin = screen.topLeft();
    const QPointF offset = QPointF(rect.topLeft() - origin) * ratio;
    int w = qRound(rect.width() * ratio);
    int h = qRound(rect.height() * ratio);
    w += w % 2;
    h += h % 2;
    // x11grab refuses a region that leaves the screen, so cut and move it inside.
    w = qMin(w, desktop.width() - desktop.width() % 2);
    h = qMin(h, desktop.height() - desktop.height() % 2);
    const int x = qBound(desktop.left(), origin.x() + qRound(offset.x()), desktop.left() + desktop.width() - w);
    const int y = qBound(desktop.top(), origin.y() + qRound(offset.y()), desktop.top() + desktop.height() - h);
    return QRect(x, y, w, h);
}

QRect ICAVInputStream::deviceDesktop()
{
    QRect desktop;
    for (const QScreen* screen : QGuiApplication::screens()) {
        const QRect g = screen->geometry();
        desktop |= QRect(g.topLeft(), (QSizeF(g.size()) * screen->devicePixelRatio()).toSize());
    }
    return desktop;
}

void ICAVInputStream::OpenInputStream(const QRect& rect)
{
    cancelOpen();
    m_opening = true;
    m_openError = OpenFailed;
    if (m_videoDevice.isEmpty() && m_audioDevice.isEmpty()) {
        qDebug() << "you have not set any capture device \n";
        finishOpen(false);
        return;
    }
    // The last recording's screen thread has closed its input by now.
    m_videoThread.reset();
    // The screen is found once: every grab of this recording uses it.
    QScreen* screen = QGuiApplication::screenAt(rect.center());
    if (!screen)
        screen = QGuiApplication::primaryScreen();
    if (!screen) {
        qDebug() << "no screen to record";
        finishOpen(false);
        return;
    }
    qDebug() << "录制区域1：" << rect;
    m_desktop = deviceDesktop();
    const QRect device = normaliseRect(rect, screen->geometry(), screen->devicePixelRatio(), m_desktop);
    m_cropX = device.x();
    m_cropY = device.y();
    m_cropWidth = device.width();
    m_cropHeight = device.height();
    qDebug() << "录制区域2：" << device;
    if (m_cropWidth < 2 || m_cropHeight < 2) {
        qDebug() << "recording region is empty";
        finishOpen(false);
        return;
    }

    // Under Wayland the X screen is empty (XWayland shows no other window, not even
    // ours): only the desktop's screen cast holds the picture.
    m_screenCast = !m_videoDevice.isEmpty() && isWaylandSession();
    if (m_screenCast) {
        const QRect g = screen->geometry();
        const double ratio = screen->devicePixelRatio();
        m_castRegion = device;
        m_castScreen = QRect(g.topLeft(), (QSizeF(g.size()) * ratio).toSize());
        m_castRatio = qMax(1, qRound(ratio));
        openScreenCast();
        return;
    }
    if (!m_videoDevice.isEmpty() && !openScreenInput()) {
        finishOpen(false);
        return;
    }

    if (!m_videoDevice.isEmpty() && m_crop) {
        const QByteArray filter = QStringLiteral("crop=%1:%2:%3:%4")
                                      .arg(m_cropWidth)
                                      .arg(m_cropHeight)
                                      .arg(m_cropX - m_desktop.x())
                                      .arg(m_cropY - m_desktop.y())
                                      .toLatin1();
        qDebug() << "x11 filter screen video" << filter;
        // The region must fit the whole screen: the graph checks it the way a crop would.
        AVStream* stream = m_videoInput->streams[m_videoIndex];
        AVRational aspect = stream->codecpar->sample_aspect_ratio;
        if (aspect.num == 0)
            aspect = AVRational{1, 1};
        if (InitFilters(aspect, m_videoDecoder->pix_fmt, stream->time_base, m_desktop.width(), m_desktop.height(),
                        filter.constData()) < 0) {
            qDebug() << "init filter error";
            finishOpen(false);
            return;
        }
    }
    finishOpen(true);
}

void ICAVInputStream::finishOpen(bool ok)
{
    if (!m_opening)
        return;
    if (m_pictureTimer)
        m_pictureTimer->stop();
    if (ok) {
        // The picture does not wait for the microphone: the sound track is kept from the
        // start, the microphone's sound joins it once it answers, or it stays silent and
        // the recording is told to have none. Until the capture starts, what the
        // microphone delivers belongs to no recording.
        {
            QMutexLocker lock(&m_timelineMutex);
            m_timeline = Timeline();
        }
        m_audioStarted = false;
        m_microphoneMissing = false;
        m_microphoneHeard = false;
        abandonMicrophoneStart();
        m_microphoneGivenUp = false;
        if (m_qtMicrophone && !m_audioDevice.isEmpty()) {
            IAudioInputFromQt* mic = IAudioInputFromQt::instance();
            m_microphoneAttempt = mic->isInitialised() ? mic->requestStart() : 0;
            m_audioStarted = m_microphoneAttempt != 0;
            if (m_audioStarted) {
                if (!m_microphoneTimer) {
                    m_microphoneTimer = new QTimer(this);
                    m_microphoneTimer->setSingleShot(true);
                    connect(m_microphoneTimer, &QTimer::timeout, this,
                            [this] { onMicrophoneStarted(m_microphoneAttempt, false); });
                }
                // The worker answers within its own bound; this one only backs it up.
                m_microphoneTimer->start(IAudioInputFromQt::START_LIMIT_MS + 1000);
            } else {
                qDebug() << "Not recording audio";
                m_audioDevice.clear();
                m_microphoneMissing = true;
            }
        }
    }
    m_opening = false;
    emit sgInputOpened(ok);
}

void ICAVInputStream::onMicrophoneStarted(quint64 attempt, bool ok)
{
    if (attempt == 0 || attempt != m_microphoneAttempt)
        return;
    m_microphoneTimer->stop();
    m_microphoneAttempt = 0;
    if (ok)
        return;
    // Still looked for: its sound joins the recording once it answers.
    qWarning() << "the microphone did not start: recording without sound until it answers";
    m_microphoneMissing = true;
    if (!m_stopped)
        emit sgMicrophoneMissing();
}

void ICAVInputStream::abandonMicrophoneStart()
{
    if (!m_microphoneAttempt)
        return;
    m_microphoneGivenUp = true;
    m_microphoneTimer->stop();
    IAudioInputFromQt::instance()->abandonStart(m_microphoneAttempt);
    m_microphoneAttempt = 0;
}

void ICAVInputStream::cancelOpen()
{
    if (!m_opening)
        return;
    m_opening = false;
    if (m_pictureTimer)
        m_pictureTimer->stop();
    IScreenCastPortal::instance()->cancel();
    m_videoDecoder.reset();
    m_videoInput.reset();
    endScreenCast();
    qDebug() << "the screen input's open was abandoned";
}

void ICAVInputStream::openScreenCast()
{
    m_castEnded = false;
    IScreenCastPortal* portal = IScreenCastPortal::instance();
    if (!m_castWatched) {
        m_castWatched = true;
        connect(portal, &IScreenCastPortal::sgSessionClosed, this, [this] { m_castEnded = true; });
        connect(portal, &IScreenCastPortal::sgRequestFinished, this, &ICAVInputStream::onCastAnswer);
    }
    applyRecordscreenPermission();
}

void ICAVInputStream::onCastAnswer(int result)
{
    if (!m_opening || !m_screenCast)
        return;
    IScreenCastPortal* portal = IScreenCastPortal::instance();
    if (result != IScreenCastPortal::Granted || !isValidRecordscreenPermission()) {
        switch (result) {
        case IScreenCastPortal::Unavailable: m_openError = NoScreenCastPortal; break;
        case IScreenCastPortal::TimedOut: m_openError = ScreenCastTimedOut; break;
        case IScreenCastPortal::NoStream: m_openError = NoPipeWire; break;
        case IScreenCastPortal::Failed: m_openError = ScreenCastFailed; break;
        default: m_openError = ScreenCastRefused; break;
        }
        qDebug() << "no screen cast:" << portal->lastError();
        finishOpen(false);
        return;
    }
    m_castSession = portal->sessionHandle();
    m_pipeWire = std::make_unique<IPipeWireCapture>();
    m_pipeWire->open(portal->takePipeWireRemote(), portal->streamNode(), portal->takeWatchRemote());
    if (!m_pictureTimer) {
        m_pictureTimer = new QTimer(this);
        m_pictureTimer->setInterval(20);
        connect(m_pictureTimer, &QTimer::timeout, this, &ICAVInputStream::checkFirstPicture);
    }
    m_pictureWaitStart = av_gettime_relative();
    m_pictureTimer->start();
}

void ICAVInputStream::checkFirstPicture()
{
    if (!m_opening || !m_pipeWire) {
        m_pictureTimer->stop();
        return;
    }
    if (m_pipeWire->hasPicture()) {
        qDebug() << "the first screen-cast picture came after"
                 << (av_gettime_relative() - m_pictureWaitStart) / 1000 << "ms";
        finishOpen(placeOnStream());
        return;
    }
    if (m_pipeWire->failed()) {
        qDebug() << "screen-cast stream cannot be opened:" << m_pipeWire->failure();
        m_openError = NoPipeWire;
        finishOpen(false);
        return;
    }
    // The wait is the stream's: GStreamer's own set-up (its plug-in registry made anew
    // after an update takes seconds) is not counted.
    if (m_pipeWire->state() == IPipeWireCapture::SettingUp)
        m_pictureWaitStart = av_gettime_relative();
    // A stream that never negotiates is a desktop that sends nothing, not a missing PipeWire.
    if (av_gettime_relative() - m_pictureWaitStart > FIRST_PICTURE_MS * 1000LL) {
        qDebug() << "the screen-cast stream gave no picture";
        m_openError = NoScreenCastPicture;
        finishOpen(false);
    }
}

bool ICAVInputStream::placeOnStream()
{
    // The granted monitor's place on the desktop (the portal's word, else the screen the
    // region lies on), scaled to the stream's pixels.
    const int ratio = m_castRatio;
    const QSize size = m_pipeWire->pictureSize();
    QRect monitor = IScreenCastPortal::instance()->streamGeometry();
    monitor = monitor.isValid() ? QRect(monitor.topLeft() * ratio, monitor.size() * ratio) : m_castScreen;
    const double sx = double(size.width()) / monitor.width();
    const double sy = double(size.height()) / monitor.height();
    QRect region = m_castRegion.intersected(monitor);
    if (region.isEmpty())
        region = monitor;  // the user granted another monitor: that one is recorded
    region.translate(-monitor.topLeft());
    QRect crop(int(region.x() * sx), int(region.y() * sy), int(region.width() * sx), int(region.height() * sy));
    crop = crop.intersected(QRect(QPoint(0, 0), size));
    crop.setWidth(crop.width() - crop.width() % 2);
    crop.setHeight(crop.height() - crop.height() % 2);
    if (crop.width() < 2 || crop.height() < 2) {
        m_openError = NoScreenCastPicture;
        return false;
    }
    m_cropX = crop.x();
    m_cropY = crop.y();
    m_cropWidth = crop.width();
    m_cropHeight = crop.height();
    qDebug() << "screen cast" << size << "monitor" << monitor << "crop" << crop;
    return true;
}

bool ICAVInputStream::openScreenInput()
{
    const QByteArray display = qgetenv("DISPLAY");
    if (display.isEmpty()) {
        qDebug() << "Couldn't open input video stream.（无法打开输入流）\n" << "no DISPLAY";
        return false;
    }
    const AVInputFormat* format = av_find_input_format("x11grab");
    if (!format) {
        qDebug() << "Couldn't open input video stream.（无法打开输入流）\n" << "no x11grab";
        return false;
    }
    AVDictionary* raw = nullptr;
    av_dict_set_int(&raw, "framerate", m_frameRate, 0);
    av_dict_set(&raw, "video_size", QStringLiteral("%1x%2").arg(m_cropWidth).arg(m_cropHeight).toLatin1(), 0);
    IAVDictionaryPtr options(raw);
    const QByteArray url = display + QStringLiteral("+%1,%2").arg(m_cropX).arg(m_cropY).toLatin1();
    AVFormatContext* ctx = nullptr;
    raw = options.release();
    int ret = avformat_open_input(&ctx, url.constData(), format, &raw);
    options.reset(raw);
    if (ret < 0) {
        qDebug() << "Couldn't open input video stream.（无法打开输入流）\n" << url << avErrorText(ret);
        return false;
    }
    // x11grab tells its stream whole when opened; probing it would wait for frames here,
    // on the GUI thread, about 100 ms at every Start.
    m_videoInput.reset(ctx);
    m_videoIndex = av_find_best_stream(ctx, AVMEDIA_TYPE_VIDEO, -1, -1, nullptr, 0);
    if (m_videoIndex < 0) {
        qDebug() << "Couldn't find a video stream.（没有找到视频流）\n";
        m_videoIndex = -1;
        return false;
    }
    const AVCodecParameters* par = ctx->streams[m_videoIndex]->codecpar;
    const AVCodec* codec = avcodec_find_decoder(par->codec_id);
    m_videoDecoder.reset(codec ? avcodec_alloc_context3(codec) : nullptr);
    if (!m_videoDecoder || avcodec_parameters_to_context(m_videoDecoder.get(), par) < 0
        || avcodec_open2(m_videoDecoder.get(), codec, nullptr) < 0) {
        qDebug() << "Could not open video codec.（无法打开解码器）\n";
        return false;
    }
    return true;
}

int ICAVInputStream::InitFilters(AVRational pixelAspect, AVPixelFormat format, AVRational timeBase, int width,
                                 int height, const char* filters)
{
    const AVFilter* source = avfilter_get_by_name("buffer");
    const AVFilter* sink = avfilter_get_by_name("buffersink");
    IAVFilterInOutPtr outputs(avfilter_inout_alloc());
    IAVFilterInOutPtr inputs(avfilter_inout_alloc());
    m_filterGraph.reset(avfilter_graph_alloc());
    if (!source || !sink || !outputs || !inputs || !m_filterGraph)
        return AVERROR(ENOMEM);
    // The graph only checks the region; worker threads of its own would be joined when
    // it is freed, at the stop, on the GUI thread.
    m_filterGraph->nb_threads = 1;

    char args[512];
    snprintf(args, sizeof(args), "video_size=%dx%d:pix_fmt=%d:time_base=%d/%d:pixel_aspect=%d/%d", width, height,
             int(format), timeBase.num, timeBase.den, pixelAspect.num, pixelAspect.den);
    AVFilterContext* sourceCtx = nullptr;
    AVFilterContext* sinkCtx = nullptr;
    int ret = avfilter_graph_create_filter(&sourceCtx, source, "in", args, nullptr, m_filterGraph.get());
    if (ret < 0) {
        av_log(nullptr, AV_LOG_ERROR, "Cannot create buffer source\n");
        return ret;
    }
    ret = avfilter_graph_create_filter(&sinkCtx, sink, "out", nullptr, nullptr, m_filterGraph.get());
    if (ret < 0) {
        av_log(nullptr, AV_LOG_ERROR, "Cannot create buffer sink\n");
        return ret;
    }
    const AVPixelFormat formats[] = {AV_PIX_FMT_YUV420P, AV_PIX_FMT_NONE};
    ret = av_opt_set_int_list(sinkCtx, "pix_fmts", formats, AV_PIX_FMT_NONE, AV_OPT_SEARCH_CHILDREN);
    if (ret < 0) {
        av_log(nullptr, AV_LOG_ERROR, "Cannot set output pixel format\n");
        return ret;
    }
    outputs->name = av_strdup("in");
    outputs->filter_ctx = sourceCtx;
    outputs->pad_idx = 0;
    outputs->next = nullptr;
    inputs->name = av_strdup("out");
    inputs->filter_ctx = sinkCtx;
    inputs->pad_idx = 0;
    inputs->next = nullptr;
    AVFilterInOut* in = inputs.release();
    AVFilterInOut* out = outputs.release();
    ret = avfilter_graph_parse_ptr(m_filterGraph.get(), filters, &in, &out, nullptr);
    inputs.reset(in);
    outputs.reset(out);
    if (ret >= 0)
        ret = avfilter_graph_config(m_filterGraph.get(), nullptr);
    return ret;
}

bool ICAVInputStream::StartCapture()
{
    if (m_videoIndex == -1 && !m_screenCast && !m_audioStarted) {
        qDebug() << "错误：你没有打开设备 \n";
        return false;
    }
    {
        QMutexLocker lock(&m_timelineMutex);
        m_timeline = Timeline();
        m_timeline.running = true;
        m_timeline.start = av_gettime_relative();
        m_timeline.stop = NEVER;
    }
    m_paused = false;
    m_endAnnounced = false;
    m_stopped = false;
    if (!m_videoDevice.isEmpty()) {
        m_videoRunning = true;
        ++m_endReporters;
        m_videoThread = std::make_unique<IStreamThread>();
        m_videoThread->setSleepTime(0);
        connect(m_videoThread.get(), SIGNAL(sgReadStream()), this, SLOT(slReadVideoPackets()), Qt::DirectConnection);
        m_videoThread->startThread();
    }
    if (m_videoDevice.isEmpty() && m_audioDevice.isEmpty())
        return true;
    if (!m_encodeThread) {
        m_encodeThread = std::make_unique<IStreamThread>();
        m_encodeThread->setObjectName(QStringLiteral("encoder"));
        m_encodeThread->setSleepTime(10);
        connect(m_encodeThread.get(), SIGNAL(sgReadStream()), this, SIGNAL(sgAVEncode()), Qt::DirectConnection);
    }
    m_encodeThread->wait();  // a previous recording's loop has ended before a new one
    m_encodeThread->startThread();
    return true;
}

void ICAVInputStream::slReadVideoPackets()
{
    if (m_screenCast)
        readScreenCast();
    else
        ReadVideoPackets();
    // One call captures the whole recording; the tick thread ends with it and closes the
    // screen input, which no other thread touches while it runs.
    m_videoDecoder.reset();
    m_videoInput.reset();
    endScreenCast();
    if (auto* thread = qobject_cast<IStreamThread*>(QThread::currentThread()))
        thread->stopThread();
    m_videoRunning = false;
    noteCaptureEnd();
    --m_endReporters;
}

int ICAVInputStream::ReadVideoPackets()
{
    if (m_stopped || !m_videoInput || !m_videoDecoder)
        return 0;
    IAVPacketPtr packet(av_packet_alloc());
    IAVFramePtr frame(av_frame_alloc());
    if (!packet || !frame)
        return AVERROR(ENOMEM);
    // x11grab makes up for the frames it missed since it was opened by handing them over at
    // once; they all show the moment of the read, so they are skipped.
    for (int i = 0; i < 1000 && !m_stopped; ++i) {
        const qint64 before = av_gettime_relative();
        const int ret = av_read_frame(m_videoInput.get(), packet.get());
        av_packet_unref(packet.get());
        if (ret < 0 || av_gettime_relative() - before > 2000)
            break;
    }
    int failures = 0;
    // x11grab stamps a packet with the wall clock just before it asks the server for the image.
    const qint64 wallOffset = av_gettime() - av_gettime_relative();
    while (!m_stopped) {
        const qint64 before = av_gettime_relative();
        const int ret = av_read_frame(m_videoInput.get(), packet.get());
        if (ret == AVERROR(EAGAIN)) {
            QThread::msleep(2);
            continue;
        }
        if (ret < 0) {
            qDebug() << "Could not read video frame" << ret << avErrorText(ret);
            // The screen is gone (the X server ended): the recording cannot go on.
            if (++failures >= 25) {
                emit sgAVError();
                return ret;
            }
            QThread::msleep(20);
            continue;
        }
        failures = 0;
        IAVPacketUnref unref(packet.get());
        // The picture is from when it was asked for, not from when a loaded machine let the
        // reply through; bounded by this read in case the wall clock was set meanwhile.
        const qint64 after = av_gettime_relative();
        const qint64 grabbed = packet->pts == AV_NOPTS_VALUE ? after : qBound(before, packet->pts - wallOffset, after);
        const qint64 stamp = stampAt(grabbed);
        if (avcodec_send_packet(m_videoDecoder.get(), packet.get()) < 0)
            continue;
        while (avcodec_receive_frame(m_videoDecoder.get(), frame.get()) == 0) {
            if (stamp >= 0 && !m_stopped)
                emit sgWriteVideoFrame(frame.get(), stamp);
            av_frame_unref(frame.get());
        }
    }
    return 0;
}

int ICAVInputStream::readScreenCast()
{
    if (!m_pipeWire)
        return 0;
    IAVFramePtr frame(av_frame_alloc());
    if (!frame)
        return AVERROR(ENOMEM);
    // The stream sends a picture only when the screen changes: the latest one is taken
    // every tick, as x11grab grabs one.
    const qint64 period = 1000000 / m_frameRate;
    qint64 next = av_gettime_relative();
    while (!m_stopped) {
        if (m_castEnded || m_pipeWire->failed()) {
            qDebug() << "the screen cast ended during the recording";
            emit sgAVError();
            return AVERROR_EOF;
        }
        const qint64 wait = next - av_gettime_relative();
        if (wait > 0)
            QThread::usleep(ulong(wait));
        next += period;
        GstSample* sample = m_pipeWire->latest();
        if (!sample)
            continue;
        GstBuffer* buffer = gst_sample_get_buffer(sample);
        GstVideoInfo info;
        GstMapInfo map;
        if (buffer && gst_video_info_from_caps(&info, gst_sample_get_caps(sample))
            && gst_buffer_map(buffer, &map, GST_MAP_READ)) {
            const QSize size(GST_VIDEO_INFO_WIDTH(&info), GST_VIDEO_INFO_HEIGHT(&info));
            const int stride = GST_VIDEO_INFO_PLANE_STRIDE(&info, 0);
            const QRect crop = QRect(m_cropX, m_cropY, m_cropWidth, m_cropHeight).intersected(QRect(QPoint(), size));
            if (!crop.isEmpty() && qint64(map.size) >= qint64(stride) * size.height()) {
                // Points into the stream's picture; the encoder copies what it keeps.
                frame->format = AV_PIX_FMT_BGR0;
                frame->width = crop.width();
                frame->height = crop.height();
                frame->data[0] = map.data + qint64(crop.y()) * stride + crop.x() * 4;
                frame->linesize[0] = stride;
                const qint64 stamp = stampAt(av_gettime_relative());
                if (stamp >= 0 && !m_stopped)
                    emit sgWriteVideoFrame(frame.get(), stamp);
            }
            gst_buffer_unmap(buffer, &map);
        }
        gst_sample_unref(sample);
    }
    return 0;
}

void ICAVInputStream::PauseInputStream(const bool& pause)
{
    // A resume without a pause (or a second pause) would shift every later stamp.
    if (m_stopped || pause == m_paused)
        return;
    // The span is marked first: the sound the microphone hands on while it is paused
    // (what it still held from before the pause) is cut at the moment of the pause.
    {
        QMutexLocker lock(&m_timelineMutex);
        const qint64 now = av_gettime_relative();
        if (pause)
            m_timeline.pauses.emplace_back(now, NEVER);
        else if (!m_timeline.pauses.empty())
            m_timeline.pauses.back().second = now;
    }
    m_paused = pause;
    if (m_audioStarted) {
        if (pause)
            IAudioInputFromQt::instance()->pauseCapture();
        else
            IAudioInputFromQt::instance()->resumeCapture();
    }
    qDebug() << "pause: " << (pause ? "true" : "false");
}

void ICAVInputStream::slReadAudioData(QByteArray data, int size, int channels, int sampleFormat, int sampleRate)
{
    const AVSampleFormat format = AVSampleFormat(sampleFormat);
    const int bytes = av_get_bytes_per_sample(format);
    if (channels <= 0 || sampleRate <= 0 || bytes <= 0 || size <= 0 || size > data.size())
        return;
    if (m_microphoneGivenUp)
        return;
    const int count = size / channels / bytes;
    // Only the samples captured while the recording ran: a block may begin before the
    // start or a pause ends, or run past a pause or the stop.
    const qint64 captured = IAudioInputFromQt::instance()->blockCaptureTime();
    const Timeline line = timeline();
    auto sampleStamp = [&](int i) { return stampOn(line, captured + qint64(i) * 1000000 / sampleRate); };
    int first = 0;
    while (first < count && sampleStamp(first) < 0)
        ++first;
    int end = first;
    while (end < count && sampleStamp(end) >= 0)
        ++end;
    if (end <= first)
        return;
    m_microphoneHeard = true;
    IAVFramePtr frame(av_frame_alloc());
    if (!frame)
        return;
    frame->sample_rate = sampleRate;
    av_channel_layout_default(&frame->ch_layout, channels);
    frame->format = format;
    frame->nb_samples = end - first;
    const auto* start = reinterpret_cast<const uint8_t*>(data.constData()) + first * channels * bytes;
    const int ret = av_samples_fill_arrays(frame->data, frame->linesize, start, channels, frame->nb_samples, format, 1);
    if (ret < 0) {
        qDebug() << "Create Audio AVFrame error code: " << ret;
        return;
    }
    frame->extended_data = frame->data;
    emit sgWriteAudioFrame(frame.get(), sampleStamp(first));
}

ICAVInputStream::Timeline ICAVInputStream::timeline() const
{
    QMutexLocker lock(&m_timelineMutex);
    return m_timeline;
}

qint64 ICAVInputStream::stampAt(qint64 captured) const
{
    QMutexLocker lock(&m_timelineMutex);
    return stampOn(m_timeline, captured);
}

qint64 ICAVInputStream::stampOn(const Timeline& line, qint64 captured)
{
    if (!line.running || captured < line.start || captured >= line.stop)
        return -1;
    qint64 paused = 0;
    for (const auto& span : line.pauses) {
        if (captured >= span.second) {
            paused += span.second - span.first;
        } else if (captured >= span.first) {
            return -1;
        }
    }
    return captured - line.start - paused;
}

void ICAVInputStream::CloseInputStream()
{
    {
        QMutexLocker lock(&m_timelineMutex);
        const qint64 now = av_gettime_relative();
        if (!m_stopped)
            qDebug() << QStringLiteral("采集用时：%1 秒").arg((now - m_timeline.start) / 1000000);
        // What was captured before this moment still belongs to the recording: the
        // microphone hands on what it holds before it stops.
        if (m_timeline.running && m_timeline.stop == NEVER)
            m_timeline.stop = now;
    }
    m_stopped = true;
    // A microphone still starting has nothing of the recording: it is not waited for.
    if (m_microphoneAttempt) {
        abandonMicrophoneStart();
        m_audioStarted = false;
        m_microphoneMissing = true;
    }
    // Nothing here waits for the threads: the window stays responsive while they end.
    if (m_audioStarted) {
        m_audioStopping = true;
        ++m_endReporters;
        IAudioInputFromQt::instance()->stopCapture([this] {
            m_audioStopping = false;
            noteCaptureEnd();
            --m_endReporters;
        });
        m_audioStarted = false;
    }
    if (m_encodeThread)
        m_encodeThread->stopThread();
    m_filterGraph.reset();
    // A running capture thread lets go of its input at its next tick.
    if (!m_videoThread) {
        m_videoDecoder.reset();
        m_videoInput.reset();
        endScreenCast();
    }
    m_videoIndex = -1;
    m_paused = false;
    noteCaptureEnd();
}

void ICAVInputStream::endScreenCast()
{
    // The stream is left before the desktop stops sharing: xdg-desktop-portal-wlr 0.7
    // crashes when a grant ends under a stream still read, and refuses every later one.
    // The stream ends on a thread of its own: the grant ends once it has.
    QString session;
    if (m_screenCast)
        session = m_castSession;
    m_castSession.clear();
    const QPointer<IScreenCastPortal> portal = IScreenCastPortal::instance();
    const auto endGrant = [portal, session] {
        if (portal)
            QMetaObject::invokeMethod(portal, [portal, session] { portal->close(session); }, Qt::QueuedConnection);
    };
    if (m_pipeWire)
        m_pipeWire->close(session.isEmpty() ? std::function<void()>() : endGrant);
    else if (!session.isEmpty())
        endGrant();
    QMutexLocker lock(&m_endingCastsMutex);
    // Those that have ended are joined at once; the rest when this object goes.
    m_endingCasts.erase(std::remove_if(m_endingCasts.begin(), m_endingCasts.end(),
                                       [](const std::unique_ptr<IPipeWireCapture>& c) { return c->isDone(); }),
                        m_endingCasts.end());
    if (m_pipeWire)
        m_endingCasts.push_back(std::move(m_pipeWire));
}

void ICAVInputStream::noteCaptureEnd()
{
    // Each party clears its own flag before looking, so the last one sees all clear.
    if (m_stopped && !m_videoRunning && !m_audioStopping && !m_endAnnounced.exchange(true))
        emit sgCaptureEnded();
}

bool ICAVInputStream::waitCaptureEnded(int ms)
{
    QElapsedTimer waited;
    waited.start();
    while (m_endReporters > 0) {
        if (waited.elapsed() > ms) {
            qWarning() << "the capture did not end within" << ms << "ms";
            return false;
        }
        QThread::msleep(5);
    }
    return true;
}

bool ICAVInputStream::waitEncoderThread(unsigned long ms)
{
    return !m_encodeThread || m_encodeThread->wait(ms);
}

void ICAVInputStream::DestroyInputStream()
{
    if (m_qtMicrophone)
        IAudioInputFromQt::destroyInstance();
}

bool ICAVInputStream::GetVideoInputInfo(int& width, int& height, int& fps, AVPixelFormat& format) const
{
    if (m_screenCast && m_pipeWire) {
        width = m_cropWidth;
        height = m_cropHeight;
        fps = m_frameRate;
        format = AV_PIX_FMT_BGR0;
        return true;
    }
    if (m_videoIndex == -1 || !m_videoDecoder)
        return false;
    width = m_crop ? m_cropWidth : m_videoDecoder->width;
    height = m_crop ? m_cropHeight : m_videoDecoder->height;
    fps = m_frameRate;
    format = m_videoDecoder->pix_fmt;
    return true;
}

bool ICAVInputStream::GetAudioInputInfo(AVSampleFormat& format, int& sampleRate, int& channels) const
{
    if (!m_audioStarted)
        return false;
    int code = 0;
    IAudioInputFromQt::instance()->audioInputInfo(code, sampleRate, channels);
    format = AVSampleFormat(code);
    return true;
}
