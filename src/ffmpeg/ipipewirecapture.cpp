#include "ffmpeg/ipipewirecapture.h"

#include <QDebug>
#include <QMutex>
#include <QMutexLocker>
#include <atomic>
#include <thread>

#include <gst/app/gstappsink.h>
#include <gst/gst.h>
#include <gst/video/video-info.h>
#include <unistd.h>

// What the streaming and starting threads share; the last of them to let go ends the
// pipeline, so a start abandoned while pipewiresrc waits costs the caller nothing.
struct IPipeWireCapture::Stream
{
    ~Stream()
    {
        if (pipeline) {
            gst_element_set_state(pipeline, GST_STATE_NULL);
            gst_object_unref(pipeline);
        }
        if (latest)
            gst_sample_unref(latest);
        // Only now: pipewiresrc shares its PipeWire connection with every element given
        // the same descriptor number, and a number closed earlier may come back from the
        // next start's portal while this stream still holds that connection.
        if (fd >= 0)
            ::close(fd);
        if (ended)
            ended();
    }

    GstElement* pipeline = nullptr;
    // pipewiresrc, owned by pipeline.
    GstElement* source = nullptr;
    // The portal's PipeWire connection, which pipewiresrc connects through.
    int fd = -1;
    std::function<void()> ended;
    std::atomic<int> state{Starting};
    std::atomic<bool> failed{false};
    mutable QMutex mutex;
    GstSample* latest = nullptr;
    QSize size;

    static GstFlowReturn onNewSample(GstElement* sink, void* data);
};

GstFlowReturn IPipeWireCapture::Stream::onNewSample(GstElement* sink, void* data)
{
    auto* stream = static_cast<Stream*>(data);
    GstSample* sample = gst_app_sink_pull_sample(GST_APP_SINK(sink));
    if (!sample)
        return GST_FLOW_OK;
    // An empty or damaged buffer would replace the last good picture.
    GstVideoInfo info;
    if (!IPipeWireCapture::isWholePicture(sample, &info)) {
        gst_sample_unref(sample);
        return GST_FLOW_OK;
    }
    QMutexLocker lock(&stream->mutex);
    if (stream->latest)
        gst_sample_unref(stream->latest);
    stream->latest = sample;
    stream->size = QSize(GST_VIDEO_INFO_WIDTH(&info), GST_VIDEO_INFO_HEIGHT(&info));
    return GST_FLOW_OK;
}

IPipeWireCapture::~IPipeWireCapture()
{
    close();
}

bool IPipeWireCapture::isWholePicture(GstSample* sample, GstVideoInfo* info)
{
    GstBuffer* buffer = sample ? gst_sample_get_buffer(sample) : nullptr;
    GstCaps* caps = sample ? gst_sample_get_caps(sample) : nullptr;
    GstVideoInfo own;
    if (!info)
        info = &own;
    if (!buffer || !caps || !gst_video_info_from_caps(info, caps))
        return false;
    if (GST_BUFFER_FLAG_IS_SET(buffer, GST_BUFFER_FLAG_CORRUPTED))
        return false;
    const gsize size = gst_buffer_get_size(buffer);
    return size > 0 && size >= GST_VIDEO_INFO_SIZE(info);
}

bool IPipeWireCapture::open(int fd, quint32 node, QString* why)
{
    close();
    if (!gst_is_initialized())
        gst_init(nullptr, nullptr);
    GstElement* source = gst_element_factory_make("pipewiresrc", nullptr);
    if (!source) {
        if (fd >= 0)
            ::close(fd);
        *why = QStringLiteral("GStreamer has no pipewiresrc (gstreamer1.0-pipewire)");
        return false;
    }
    GstElement* convert = gst_element_factory_make("videoconvert", nullptr);
    GstElement* sink = gst_element_factory_make("appsink", nullptr);
    auto stream = std::make_shared<Stream>();
    stream->pipeline = gst_pipeline_new("screencast");
    if (!convert || !sink || !stream->pipeline) {
        for (GstElement* e : {source, convert, sink})
            if (e)
                gst_object_unref(e);
        if (fd >= 0)
            ::close(fd);
        *why = QStringLiteral("GStreamer lacks videoconvert or appsink");
        return false;
    }
    stream->fd = fd;
    g_object_set(source, "fd", fd, "path", QByteArray::number(node).constData(), "do-timestamp", TRUE, nullptr);
    GstCaps* caps = gst_caps_new_simple("video/x-raw", "format", G_TYPE_STRING, "BGRx", nullptr);
    // Only the newest picture matters: older ones are dropped, never queued up.
    g_object_set(sink, "caps", caps, "max-buffers", 1, "drop", TRUE, "sync", FALSE, "emit-signals", TRUE, nullptr);
    gst_caps_unref(caps);
    g_signal_connect(sink, "new-sample", G_CALLBACK(&Stream::onNewSample), stream.get());
    gst_bin_add_many(GST_BIN(stream->pipeline), source, convert, sink, nullptr);
    stream->source = source;
    if (!gst_element_link_many(source, convert, sink, nullptr)) {
        *why = QStringLiteral("the PipeWire stream %1 cannot be linked").arg(node);
        return false;
    }
    m_stream = stream;
    std::thread([stream, node] {
        const GstStateChangeReturn ret = gst_element_set_state(stream->pipeline, GST_STATE_PLAYING);
        if (ret == GST_STATE_CHANGE_FAILURE)
            qDebug() << "the PipeWire stream" << node << "cannot be played";
        stream->state = ret == GST_STATE_CHANGE_FAILURE ? StartFailed : Playing;
    }).detach();
    return true;
}

IPipeWireCapture::State IPipeWireCapture::state() const
{
    return m_stream ? State(m_stream->state.load()) : StartFailed;
}

bool IPipeWireCapture::hasPicture() const
{
    if (!m_stream)
        return false;
    QMutexLocker lock(&m_stream->mutex);
    return m_stream->latest != nullptr;
}

QSize IPipeWireCapture::pictureSize() const
{
    if (!m_stream)
        return QSize();
    QMutexLocker lock(&m_stream->mutex);
    return m_stream->size;
}

GstSample* IPipeWireCapture::latest()
{
    if (!m_stream)
        return nullptr;
    QMutexLocker lock(&m_stream->mutex);
    return m_stream->latest ? gst_sample_ref(m_stream->latest) : nullptr;
}

bool IPipeWireCapture::failed()
{
    if (!m_stream)
        return true;
    Stream& s = *m_stream;
    if (s.failed)
        return true;
    if (s.state == StartFailed) {
        s.failed = true;
        return true;
    }
    GstBus* bus = gst_element_get_bus(s.pipeline);
    while (GstMessage* message =
               gst_bus_pop_filtered(bus, GstMessageType(GST_MESSAGE_ERROR | GST_MESSAGE_EOS))) {
        if (GST_MESSAGE_TYPE(message) == GST_MESSAGE_ERROR) {
            GError* error = nullptr;
            gst_message_parse_error(message, &error, nullptr);
            qDebug() << "screen-cast stream failed:" << (error ? error->message : "");
            if (error)
                g_error_free(error);
        } else {
            qDebug() << "screen-cast stream ended";
        }
        gst_message_unref(message);
        s.failed = true;
    }
    gst_object_unref(bus);
    // When the stream's producer goes away (the portal's back end or PipeWire ended)
    // pipewiresrc posts nothing: it only stops its streaming task. Its task runs only
    // once the start is through.
    if (!s.failed && s.state == Playing) {
        if (GstPad* pad = gst_element_get_static_pad(s.source, "src")) {
            const GstTaskState state = gst_pad_get_task_state(pad);
            gst_object_unref(pad);
            if (state != GST_TASK_STARTED) {
                qDebug() << "screen-cast stream stopped";
                s.failed = true;
            }
        }
    }
    return s.failed;
}

void IPipeWireCapture::close(std::function<void()> ended)
{
    if (!m_stream) {
        if (ended)
            ended();
        return;
    }
    // A stream under way is read by the desktop until it ends; one that is still starting,
    // or failed to, may end long after (when pipewiresrc gives up), and is not waited for.
    if (m_stream->state == Playing)
        m_stream->ended = std::move(ended);
    else if (ended)
        ended();
    // Ending a pipeline waits for PipeWire, a minute for one whose start failed: never on
    // the caller's (the window's) thread.
    std::thread([stream = std::move(m_stream)]() mutable { stream.reset(); }).detach();
}
