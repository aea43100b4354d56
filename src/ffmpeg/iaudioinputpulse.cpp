#include "ffmpeg/iaudioinputpulse.h"

#include <QDebug>
#include <QStringList>
#include <QThread>
#include <pulse/pulseaudio.h>

extern "C" {
#include <libavutil/time.h>
}

namespace {
// What the buffer keeps at most for a caller that does not read: the newest sound.
const int BUFFER_LIMIT_SECONDS = 10;
const int LOOK_MS = 5;

struct SourceList
{
    // Inputs only: a sink's monitor plays back what the computer plays, no microphone.
    QStringList inputs;
    QString defaultName;
    int answers = 0;
};

void onSourceInfo(pa_context*, const pa_source_info* info, int eol, void* list)
{
    auto* sources = static_cast<SourceList*>(list);
    if (eol != 0) {
        ++sources->answers;
        return;
    }
    if (info && info->name && info->monitor_of_sink == PA_INVALID_INDEX)
        sources->inputs << QString::fromUtf8(info->name);
}

void onServerInfo(pa_context*, const pa_server_info* info, void* list)
{
    auto* sources = static_cast<SourceList*>(list);
    if (info && info->default_source_name)
        sources->defaultName = QString::fromUtf8(info->default_source_name);
    ++sources->answers;
}
}

IAudioInputPulse::~IAudioInputPulse()
{
    close();
}

template <typename Done>
bool IAudioInputPulse::waitFor(Done done, qint64 deadline)
{
    for (;;) {
        if (m_cancelled && m_cancelled())
            return false;
        pa_threaded_mainloop_lock(m_loop);
        const int result = done();
        pa_threaded_mainloop_unlock(m_loop);
        if (result != 0)
            return result > 0;
        if (av_gettime_relative() >= deadline)
            return false;
        QThread::msleep(LOOK_MS);
    }
}

bool IAudioInputPulse::open(int rate, const QString& cameraName, int limitMs, int bufferMs,
                            std::function<bool()> cancelled)
{
    close();
    m_cancelled = std::move(cancelled);
    m_failure = NoFailure;
    m_failureText.clear();
    const qint64 deadline = av_gettime_relative() + qint64(limitMs) * 1000;
    m_streamLost = false;
    m_serverLost = false;
    m_loop = pa_threaded_mainloop_new();
    if (!m_loop || pa_threaded_mainloop_start(m_loop) < 0) {
        fail(NoServer, QStringLiteral("no sound client could be started"));
        return false;
    }
    pa_threaded_mainloop_lock(m_loop);
    m_context = pa_context_new(pa_threaded_mainloop_get_api(m_loop), "Ocumetra");
    bool connecting = false;
    if (m_context) {
        pa_context_set_state_callback(m_context, &IAudioInputPulse::onContextState, this);
        connecting = pa_context_connect(m_context, nullptr, PA_CONTEXT_NOAUTOSPAWN, nullptr) >= 0;
    }
    pa_threaded_mainloop_unlock(m_loop);
    const bool connected = connecting && waitFor(
                                             [this] {
                                                 const pa_context_state_t state = pa_context_get_state(m_context);
                                                 return state == PA_CONTEXT_READY ? 1 : PA_CONTEXT_IS_GOOD(state) ? 0 : -1;
                                             },
                                             deadline);
    if (!connected) {
        // A server that never answered leaves no error of its own: the time is the reason.
        const int error = m_context ? pa_context_errno(m_context) : 0;
        fail(NoServer, QStringLiteral("no sound server answered: %1")
                           .arg(!m_context             ? QStringLiteral("no client")
                                : error != PA_OK       ? QString::fromUtf8(pa_strerror(error))
                                : m_cancelled && m_cancelled() ? QStringLiteral("given up")
                                                               : QStringLiteral("no answer in time")));
        return false;
    }
    bool known = false;
    m_sourceName = chooseSource(cameraName, deadline, &known);
    if (known && m_sourceName.isNull()) {
        fail(NoMicrophone, QStringLiteral("the sound server has no microphone, only what the computer plays"));
        return false;
    }

    const pa_sample_spec sampleFormat{PA_SAMPLE_S16LE, uint32_t(rate), 1};
    m_bufferLimit = qint64(rate) * 2 * BUFFER_LIMIT_SECONDS;
    pa_buffer_attr attributes;
    attributes.maxlength = uint32_t(-1);
    attributes.tlength = uint32_t(-1);
    attributes.prebuf = uint32_t(-1);
    attributes.minreq = uint32_t(-1);
    attributes.fragsize = uint32_t(pa_usec_to_bytes(pa_usec_t(bufferMs) * 1000, &sampleFormat));
    pa_threaded_mainloop_lock(m_loop);
    m_stream = pa_stream_new(m_context, "microphone", &sampleFormat, nullptr);
    bool recording = false;
    if (m_stream) {
        pa_stream_set_state_callback(m_stream, &IAudioInputPulse::onStreamState, this);
        pa_stream_set_read_callback(m_stream, &IAudioInputPulse::onRead, this);
        pa_stream_set_moved_callback(m_stream, &IAudioInputPulse::onMoved, this);
        const QByteArray source = m_sourceName.toUtf8();
        recording = pa_stream_connect_record(m_stream, source.isEmpty() ? nullptr : source.constData(), &attributes,
                                             PA_STREAM_ADJUST_LATENCY)
                    >= 0;
    }
    pa_threaded_mainloop_unlock(m_loop);
    // A source that gives nothing never readies its stream.
    const bool ready = recording && waitFor(
                                        [this] {
                                            const pa_stream_state_t state = pa_stream_get_state(m_stream);
                                            return state == PA_STREAM_READY ? 1 : PA_STREAM_IS_GOOD(state) ? 0 : -1;
                                        },
                                        deadline);
    if (!ready) {
        fail(NoSound, QStringLiteral("the microphone %1 did not start: %2")
                          .arg(m_sourceName.isEmpty() ? QStringLiteral("(default)") : m_sourceName,
                               QString::fromUtf8(pa_strerror(pa_context_errno(m_context)))));
        return false;
    }
    pa_threaded_mainloop_lock(m_loop);
    m_sourceName = QString::fromUtf8(pa_stream_get_device_name(m_stream));
    pa_threaded_mainloop_unlock(m_loop);
    qDebug() << "recording sound from" << m_sourceName;
    return true;
}

void IAudioInputPulse::fail(Failure failure, const QString& text)
{
    m_failure = failure;
    m_failureText = text;
    close();
}

QString IAudioInputPulse::chooseSource(const QString& cameraName, qint64 deadline, bool* known)
{
    SourceList sources;
    pa_threaded_mainloop_lock(m_loop);
    pa_operation* listing = pa_context_get_source_info_list(m_context, onSourceInfo, &sources);
    pa_operation* asking = pa_context_get_server_info(m_context, onServerInfo, &sources);
    pa_threaded_mainloop_unlock(m_loop);
    *known = listing && asking && waitFor([&sources] { return sources.answers == 2 ? 1 : 0; }, deadline);
    pa_threaded_mainloop_lock(m_loop);
    // The callbacks may still come for a question given up: they must not find the list gone.
    for (pa_operation* operation : {listing, asking}) {
        if (operation) {
            pa_operation_cancel(operation);
            pa_operation_unref(operation);
        }
    }
    const SourceList found = sources;
    pa_threaded_mainloop_unlock(m_loop);
    if (!*known)
        return QString();
    for (const QString& name : found.inputs) {
        if (!cameraName.isEmpty() && cameraName.contains(name))
            return name;
    }
    // The desktop's default input, unnamed so that the stream follows the user's choice
    // of another; a monitor in its place gives way to the first input there is.
    if (found.inputs.contains(found.defaultName))
        return QStringLiteral("");
    if (!found.inputs.isEmpty())
        qWarning() << "the default source" << found.defaultName << "is no microphone: recording from"
                   << found.inputs.first();
    return found.inputs.value(0);
}

void IAudioInputPulse::close()
{
    if (m_loop) {
        pa_threaded_mainloop_lock(m_loop);
        if (m_stream) {
            pa_stream_set_state_callback(m_stream, nullptr, nullptr);
            pa_stream_set_read_callback(m_stream, nullptr, nullptr);
            pa_stream_set_moved_callback(m_stream, nullptr, nullptr);
            pa_stream_disconnect(m_stream);
            pa_stream_unref(m_stream);
            m_stream = nullptr;
        }
        if (m_context) {
            pa_context_set_state_callback(m_context, nullptr, nullptr);
            pa_context_disconnect(m_context);
            pa_context_unref(m_context);
            m_context = nullptr;
        }
        pa_threaded_mainloop_unlock(m_loop);
        pa_threaded_mainloop_stop(m_loop);
        pa_threaded_mainloop_free(m_loop);
        m_loop = nullptr;
    }
    std::lock_guard<std::mutex> lock(m_bufferMutex);
    m_buffer.clear();
}

void IAudioInputPulse::suspend(bool on)
{
    if (!m_stream)
        return;
    pa_threaded_mainloop_lock(m_loop);
    if (pa_operation* corking = pa_stream_cork(m_stream, on ? 1 : 0, nullptr, nullptr))
        pa_operation_unref(corking);
    pa_threaded_mainloop_unlock(m_loop);
}

qint64 IAudioInputPulse::bytesReady() const
{
    std::lock_guard<std::mutex> lock(m_bufferMutex);
    return m_buffer.size();
}

qint64 IAudioInputPulse::read(char* data, qint64 max)
{
    std::lock_guard<std::mutex> lock(m_bufferMutex);
    const qint64 bytes = qMin<qint64>(max, m_buffer.size());
    memcpy(data, m_buffer.constData(), size_t(bytes));
    m_buffer.remove(0, int(bytes));
    return bytes;
}

void IAudioInputPulse::onContextState(pa_context* context, void* self)
{
    if (!PA_CONTEXT_IS_GOOD(pa_context_get_state(context)))
        static_cast<IAudioInputPulse*>(self)->m_serverLost = true;
}

void IAudioInputPulse::onStreamState(pa_stream* stream, void* self)
{
    if (!PA_STREAM_IS_GOOD(pa_stream_get_state(stream)))
        static_cast<IAudioInputPulse*>(self)->m_streamLost = true;
}

void IAudioInputPulse::onMoved(pa_stream* stream, void* self)
{
    // The server moves a stream whose source went to another, which may be a monitor.
    pa_operation* asking = pa_context_get_source_info_by_index(
        pa_stream_get_context(stream), pa_stream_get_device_index(stream),
        [](pa_context*, const pa_source_info* info, int eol, void* input) {
            if (eol == 0 && info && info->monitor_of_sink != PA_INVALID_INDEX)
                static_cast<IAudioInputPulse*>(input)->m_streamLost = true;
        },
        self);
    if (asking)
        pa_operation_unref(asking);
}

void IAudioInputPulse::onRead(pa_stream* stream, size_t, void* self)
{
    auto* input = static_cast<IAudioInputPulse*>(self);
    const void* data = nullptr;
    size_t bytes = 0;
    while (pa_stream_readable_size(stream) > 0) {
        if (pa_stream_peek(stream, &data, &bytes) < 0 || bytes == 0)
            return;
        // A hole (no data) is sound the server lost: the arrival times tell the gap.
        if (data) {
            std::lock_guard<std::mutex> lock(input->m_bufferMutex);
            input->m_buffer.append(static_cast<const char*>(data), int(bytes));
            const qint64 excess = input->m_buffer.size() - input->m_bufferLimit;
            if (excess > 0)
                input->m_buffer.remove(0, int(excess + excess % 2));
        }
        pa_stream_drop(stream);
    }
}
