#include "ffmpeg/ipipewirecapture.h"

#include <QDeadlineTimer>
#include <QDebug>
#include <QMutex>
#include <QMutexLocker>
#include <QWaitCondition>
#include <atomic>
#include <mutex>

#include <gst/app/gstappsink.h>
#include <gst/gst.h>
#include <gst/video/video-info.h>
#include <pipewire/pipewire.h>
#include <sys/socket.h>
#include <unistd.h>

namespace {
// Tells, over a PipeWire connection of its own, when a node seen on it leaves. pipewiresrc
// does not always: on PipeWire 1.x a stream whose producer went away only stays paused.
class NodeWatch
{
public:
    // Takes fd over; gone is set once the node has left or the connection broke.
    NodeWatch(int fd, uint32_t node, std::atomic<bool>* gone);
    ~NodeWatch();
    NodeWatch(const NodeWatch&) = delete;
    NodeWatch& operator=(const NodeWatch&) = delete;

private:
    static void onGlobal(void* data, uint32_t id, uint32_t, const char*, uint32_t, const spa_dict*);
    static void onGlobalRemove(void* data, uint32_t id);
    static void onError(void* data, uint32_t id, int, int res, const char* message);

    pw_thread_loop* m_loop = nullptr;
    pw_context* m_context = nullptr;
    pw_core* m_core = nullptr;
    pw_registry* m_registry = nullptr;
    spa_hook m_coreListener{};
    spa_hook m_registryListener{};
    const uint32_t m_node;
    // Only a node seen here counts as gone when it goes: a portal that shows it to this
    // connection late, or never, must not end a stream that is there.
    bool m_seen = false;
    std::atomic<bool>* m_gone;
};

NodeWatch::NodeWatch(int fd, uint32_t node, std::atomic<bool>* gone)
    : m_node(node)
    , m_gone(gone)
{
    // GStreamer's PipeWire plug-in has done the same by now, on this thread.
    static std::once_flag initialised;
    std::call_once(initialised, [] { pw_init(nullptr, nullptr); });
    static const pw_core_events coreEvents = [] {
        pw_core_events events{};
        events.version = PW_VERSION_CORE_EVENTS;
        events.error = &NodeWatch::onError;
        return events;
    }();
    static const pw_registry_events registryEvents = [] {
        pw_registry_events events{};
        events.version = PW_VERSION_REGISTRY_EVENTS;
        events.global = &NodeWatch::onGlobal;
        events.global_remove = &NodeWatch::onGlobalRemove;
        return events;
    }();
    m_loop = pw_thread_loop_new("ocumetra-castwatch", nullptr);
    m_context = m_loop ? pw_context_new(pw_thread_loop_get_loop(m_loop), nullptr, 0) : nullptr;
    if (!m_context) {
        ::close(fd);
        qWarning() << "the screen-cast stream's node cannot be watched";
        return;
    }
    pw_thread_loop_lock(m_loop);
    // The core closes fd, also when it cannot connect.
    m_core = pw_context_connect_fd(m_context, fd, nullptr, 0);
    if (m_core) {
        pw_core_add_listener(m_core, &m_coreListener, &coreEvents, this);
        m_registry = pw_core_get_registry(m_core, PW_VERSION_REGISTRY, 0);
        if (m_registry)
            pw_registry_add_listener(m_registry, &m_registryListener, &registryEvents, this);
    }
    if (!m_core || !m_registry || pw_thread_loop_start(m_loop) < 0)
        qWarning() << "the screen-cast stream's node cannot be watched";
    pw_thread_loop_unlock(m_loop);
}

NodeWatch::~NodeWatch()
{
    if (m_loop)
        pw_thread_loop_stop(m_loop);
    if (m_registry)
        pw_proxy_destroy(reinterpret_cast<pw_proxy*>(m_registry));
    if (m_core)
        pw_core_disconnect(m_core);
    if (m_context)
        pw_context_destroy(m_context);
    if (m_loop)
        pw_thread_loop_destroy(m_loop);
}

void NodeWatch::onGlobal(void* data, uint32_t id, uint32_t, const char*, uint32_t, const spa_dict*)
{
    auto* watch = static_cast<NodeWatch*>(data);
    if (id == watch->m_node)
        watch->m_seen = true;
}

void NodeWatch::onGlobalRemove(void* data, uint32_t id)
{
    auto* watch = static_cast<NodeWatch*>(data);
    if (id == watch->m_node && watch->m_seen)
        *watch->m_gone = true;
}

void NodeWatch::onError(void* data, uint32_t id, int, int res, const char* message)
{
    // An error of the core itself is its connection's end.
    if (id != PW_ID_CORE)
        return;
    qDebug() << "the screen-cast stream's watch connection failed:" << res << message;
    *static_cast<NodeWatch*>(data)->m_gone = true;
}
}

// What the worker, the streaming thread and the readers share.
struct IPipeWireCapture::Stream
{
    ~Stream()
    {
        if (latest)
            gst_sample_unref(latest);
    }

    // Made and ended by the worker; read by others only from Starting on.
    GstElement* pipeline = nullptr;
    // pipewiresrc, owned by pipeline.
    GstElement* source = nullptr;
    // The portal's PipeWire connection, which pipewiresrc connects through; guarded by
    // mutex once the worker runs.
    int fd = -1;
    // The second connection, until the worker hands it to watch.
    int watchFd = -1;
    std::unique_ptr<NodeWatch> watch;
    std::atomic<bool> nodeGone{false};
    std::atomic<int> state{SettingUp};
    std::atomic<bool> failed{false};
    std::atomic<bool> done{false};
    mutable QMutex mutex;
    GstSample* latest = nullptr;
    QSize size;
    QString why;
    // Guarded by mutex; the worker ends the stream once closing is set, and also waits
    // on it for the first picture.
    QWaitCondition closeAsked;
    bool closing = false;
    QWaitCondition doneSignal;
    std::function<void()> ended;

    static GstFlowReturn onNewSample(GstElement* sink, void* data);
    void setUp(quint32 node);
    void run(quint32 node);
    void end();
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
    else
        stream->closeAsked.wakeAll();
    stream->latest = sample;
    stream->size = QSize(GST_VIDEO_INFO_WIDTH(&info), GST_VIDEO_INFO_HEIGHT(&info));
    return GST_FLOW_OK;
}

IPipeWireCapture::~IPipeWireCapture()
{
    close();
    if (!m_worker.joinable())
        return;
    // pipewiresrc waits long for a stream that does not start or end (its own bound, half
    // a minute and more); a connection cut short ends that wait at once.
    {
        QMutexLocker lock(&m_stream->mutex);
        const QDeadlineTimer grace(CLOSE_GRACE_MS);
        while (!m_stream->done && m_stream->doneSignal.wait(&m_stream->mutex, grace)) {
        }
        if (!m_stream->done) {
            qWarning() << "the screen-cast stream did not end in" << CLOSE_GRACE_MS << "ms: its connection is cut";
            if (m_stream->fd >= 0)
                ::shutdown(m_stream->fd, SHUT_RDWR);
        }
    }
    m_worker.join();
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

void IPipeWireCapture::Stream::setUp(quint32 node)
{
    // The first call reads GStreamer's plug-in registry, or makes it anew.
    if (!gst_is_initialized())
        gst_init(nullptr, nullptr);
    GstElement* pipewire = gst_element_factory_make("pipewiresrc", nullptr);
    if (!pipewire) {
        why = QStringLiteral("GStreamer has no pipewiresrc (gstreamer1.0-pipewire)");
        return;
    }
    GstElement* convert = gst_element_factory_make("videoconvert", nullptr);
    GstElement* sink = gst_element_factory_make("appsink", nullptr);
    GstElement* bin = gst_pipeline_new("screencast");
    if (!convert || !sink || !bin) {
        for (GstElement* e : {pipewire, convert, sink, bin})
            if (e)
                gst_object_unref(e);
        why = QStringLiteral("GStreamer lacks videoconvert or appsink");
        return;
    }
    g_object_set(pipewire, "fd", fd, "path", QByteArray::number(node).constData(), "do-timestamp", TRUE, nullptr);
    GstCaps* caps = gst_caps_new_simple("video/x-raw", "format", G_TYPE_STRING, "BGRx", nullptr);
    // Only the newest picture matters: older ones are dropped, never queued up.
    g_object_set(sink, "caps", caps, "max-buffers", 1, "drop", TRUE, "sync", FALSE, "emit-signals", TRUE, nullptr);
    gst_caps_unref(caps);
    g_signal_connect(sink, "new-sample", G_CALLBACK(&Stream::onNewSample), this);
    gst_bin_add_many(GST_BIN(bin), pipewire, convert, sink, nullptr);
    pipeline = bin;
    source = pipewire;
    if (!gst_element_link_many(pipewire, convert, sink, nullptr))
        why = QStringLiteral("the PipeWire stream %1 cannot be linked").arg(node);
}

void IPipeWireCapture::Stream::run(quint32 node)
{
    setUp(node);
    {
        // Closed while GStreamer was set up: its grant is ending, nothing to start.
        QMutexLocker lock(&mutex);
        if (closing && why.isEmpty())
            why = QStringLiteral("closed before it started");
    }
    if (why.isEmpty() && watchFd >= 0) {
        watch = std::make_unique<NodeWatch>(watchFd, node, &nodeGone);
        watchFd = -1;
    }
    if (why.isEmpty()) {
        state = Starting;
        if (gst_element_set_state(pipeline, GST_STATE_PLAYING) == GST_STATE_CHANGE_FAILURE)
            why = QStringLiteral("the PipeWire stream %1 cannot be played").arg(node);
    }
    if (!why.isEmpty())
        qDebug() << "screen-cast stream:" << why;
    QMutexLocker lock(&mutex);
    state = why.isEmpty() ? Playing : StartFailed;
    // Some screen-cast back ends stop handing out buffers, at some starts, once the
    // consumer pauses and resumes its stream, which pipewiresrc does on its way to
    // playing: a stream that stays without a picture is made anew on the same node.
    for (int restart = 0; state == Playing && restart < NO_PICTURE_RESTARTS; ++restart) {
        const QDeadlineTimer wait(NO_PICTURE_RESTART_MS);
        while (!closing && !latest && closeAsked.wait(&mutex, wait)) {
        }
        if (closing || latest)
            break;
        qDebug() << "the screen-cast stream gave no picture in" << NO_PICTURE_RESTART_MS << "ms: made anew";
        state = Starting;
        lock.unlock();
        const bool restarted = gst_element_set_state(pipeline, GST_STATE_READY) != GST_STATE_CHANGE_FAILURE
                               && gst_element_set_state(pipeline, GST_STATE_PLAYING) != GST_STATE_CHANGE_FAILURE;
        lock.relock();
        if (!restarted)
            why = QStringLiteral("the PipeWire stream %1 cannot be played again").arg(node);
        state = restarted ? Playing : StartFailed;
    }
    while (!closing)
        closeAsked.wait(&mutex);
    lock.unlock();
    end();
    lock.relock();
    done = true;
    doneSignal.wakeAll();
}

void IPipeWireCapture::Stream::end()
{
    watch.reset();
    if (watchFd >= 0)
        ::close(watchFd);
    watchFd = -1;
    if (pipeline) {
        gst_element_set_state(pipeline, GST_STATE_NULL);
        gst_object_unref(pipeline);
    }
    // Only now: pipewiresrc shares its PipeWire connection with every element given the
    // same descriptor number, and a number closed earlier may come back from the next
    // start's portal while this stream still holds that connection.
    std::function<void()> callback;
    {
        QMutexLocker lock(&mutex);
        // A picture still held keeps the stream's PipeWire connection open.
        if (latest)
            gst_sample_unref(latest);
        latest = nullptr;
        if (fd >= 0)
            ::close(fd);
        fd = -1;
        callback = std::move(ended);
    }
    if (callback)
        callback();
}

void IPipeWireCapture::open(int fd, quint32 node, int watchFd)
{
    if (m_stream) {
        ::close(fd);
        if (watchFd >= 0)
            ::close(watchFd);
        return;
    }
    m_stream = std::make_shared<Stream>();
    m_stream->fd = fd;
    m_stream->watchFd = watchFd;
    m_worker = std::thread([stream = m_stream, node] { stream->run(node); });
}

QString IPipeWireCapture::failure() const
{
    if (!m_stream)
        return QString();
    QMutexLocker lock(&m_stream->mutex);
    return m_stream->state == StartFailed ? m_stream->why : QString();
}

bool IPipeWireCapture::isDone() const
{
    return !m_stream || m_stream->done;
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
    {
        // A closed stream's pipeline is the worker's to end.
        QMutexLocker lock(&s.mutex);
        if (s.closing)
            return true;
    }
    if (s.state == SettingUp)
        return false;
    if (s.state == StartFailed) {
        s.failed = true;
        return true;
    }
    if (s.nodeGone) {
        qDebug() << "the screen-cast stream's node left PipeWire";
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
    QMutexLocker lock(&m_stream->mutex);
    if (m_stream->closing) {
        lock.unlock();
        if (ended)
            ended();
        return;
    }
    // A stream under way is read by the desktop until it ends; one that is still starting,
    // or failed to, may end long after (when pipewiresrc gives up), and is not waited for.
    const bool waitForEnd = m_stream->state == Playing;
    if (waitForEnd)
        m_stream->ended = std::move(ended);
    m_stream->closing = true;
    m_stream->closeAsked.wakeAll();
    lock.unlock();
    if (!waitForEnd && ended)
        ended();
}
