#include "ffmpeg/ipipewirecapture.h"

#include <QDebug>
#include <QElapsedTimer>
#include <QMutexLocker>
#include <QThread>

#include <gst/app/gstappsink.h>
#include <gst/gst.h>
#include <gst/video/video-info.h>
#include <unistd.h>

IPipeWireCapture::~IPipeWireCapture()
{
    close();
}

bool IPipeWireCapture::open(int fd, quint32 node, QString* why)
{
    close();
    m_failed = false;
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
    m_pipeline = gst_pipeline_new("screencast");
    if (!convert || !sink || !m_pipeline) {
        for (GstElement* e : {source, convert, sink})
            if (e)
                gst_object_unref(e);
        if (fd >= 0)
            ::close(fd);
        *why = QStringLiteral("GStreamer lacks videoconvert or appsink");
        return false;
    }
    // pipewiresrc closes the descriptor when it is done with it.
    g_object_set(source, "fd", fd, "path", QByteArray::number(node).constData(), "do-timestamp", TRUE, nullptr);
    GstCaps* caps = gst_caps_new_simple("video/x-raw", "format", G_TYPE_STRING, "BGRx", nullptr);
    // Only the newest picture matters: older ones are dropped, never queued up.
    g_object_set(sink, "caps", caps, "max-buffers", 1, "drop", TRUE, "sync", FALSE, "emit-signals", TRUE, nullptr);
    gst_caps_unref(caps);
    g_signal_connect(sink, "new-sample", G_CALLBACK(&IPipeWireCapture::onNewSample), this);
    gst_bin_add_many(GST_BIN(m_pipeline), source, convert, sink, nullptr);
    m_source = source;
    if (!gst_element_link_many(source, convert, sink, nullptr)
        || gst_element_set_state(m_pipeline, GST_STATE_PLAYING) == GST_STATE_CHANGE_FAILURE) {
        *why = QStringLiteral("the PipeWire stream %1 cannot be played").arg(node);
        close();
        return false;
    }
    return true;
}

int IPipeWireCapture::onNewSample(GstElement* sink, void* self)
{
    auto* capture = static_cast<IPipeWireCapture*>(self);
    GstSample* sample = gst_app_sink_pull_sample(GST_APP_SINK(sink));
    if (!sample)
        return GST_FLOW_OK;
    GstVideoInfo info;
    if (!gst_video_info_from_caps(&info, gst_sample_get_caps(sample))) {
        gst_sample_unref(sample);
        return GST_FLOW_OK;
    }
    QMutexLocker lock(&capture->m_mutex);
    if (capture->m_latest)
        gst_sample_unref(capture->m_latest);
    capture->m_latest = sample;
    capture->m_size = QSize(GST_VIDEO_INFO_WIDTH(&info), GST_VIDEO_INFO_HEIGHT(&info));
    return GST_FLOW_OK;
}

bool IPipeWireCapture::waitFirstPicture(int ms)
{
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < ms) {
        {
            QMutexLocker lock(&m_mutex);
            if (m_latest)
                return true;
        }
        if (failed())
            return false;
        QThread::msleep(10);
    }
    return false;
}

QSize IPipeWireCapture::pictureSize() const
{
    QMutexLocker lock(&m_mutex);
    return m_size;
}

GstSample* IPipeWireCapture::latest()
{
    QMutexLocker lock(&m_mutex);
    return m_latest ? gst_sample_ref(m_latest) : nullptr;
}

bool IPipeWireCapture::failed()
{
    if (m_failed || !m_pipeline)
        return m_failed;
    GstBus* bus = gst_element_get_bus(m_pipeline);
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
        m_failed = true;
    }
    gst_object_unref(bus);
    // When the stream's producer goes away (the portal's back end or PipeWire ended)
    // pipewiresrc posts nothing: it only stops its streaming task.
    if (!m_failed && m_source) {
        if (GstPad* pad = gst_element_get_static_pad(m_source, "src")) {
            const GstTaskState state = gst_pad_get_task_state(pad);
            gst_object_unref(pad);
            if (state != GST_TASK_STARTED) {
                qDebug() << "screen-cast stream stopped";
                m_failed = true;
            }
        }
    }
    return m_failed;
}

void IPipeWireCapture::close()
{
    if (m_pipeline) {
        gst_element_set_state(m_pipeline, GST_STATE_NULL);
        gst_object_unref(m_pipeline);
        m_pipeline = nullptr;
        m_source = nullptr;
    }
    QMutexLocker lock(&m_mutex);
    if (m_latest)
        gst_sample_unref(m_latest);
    m_latest = nullptr;
    m_size = QSize();
}
