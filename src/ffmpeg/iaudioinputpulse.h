#ifndef IAUDIOINPUTPULSE_H
#define IAUDIOINPUTPULSE_H

#include <QByteArray>
#include <QString>
#include <atomic>
#include <mutex>

struct pa_context;
struct pa_stream;
struct pa_threaded_mainloop;

// One capture from the sound server that is there when it opens (PulseAudio, or PipeWire
// in its place): a new connection each time, so a server that came up or restarted since
// the last one is found. Signed 16-bit mono samples are read on the client's own thread
// into a buffer the caller takes from. Every wait is bounded: a server that does not
// answer is given up, never waited for.
class IAudioInputPulse
{
public:
    IAudioInputPulse() = default;
    ~IAudioInputPulse();
    IAudioInputPulse(const IAudioInputPulse&) = delete;
    IAudioInputPulse& operator=(const IAudioInputPulse&) = delete;

    // Records at rate from the source whose name occurs in cameraName, else the default
    // source, handed over in blocks of about bufferMs. False (and closed) when there is no
    // server or source, or it did not start delivering within limitMs.
    bool open(int rate, const QString& cameraName, int limitMs, int bufferMs);
    void close();
    bool isOpen() const { return m_stream != nullptr; }
    // Corks or uncorks the stream.
    void suspend(bool on);
    qint64 bytesReady() const;
    qint64 read(char* data, qint64 max);
    // The stream was ended by the server (its source went away), or the server itself.
    bool streamLost() const { return m_streamLost; }
    bool serverLost() const { return m_serverLost; }
    QString sourceName() const { return m_sourceName; }

private:
    static void onContextState(pa_context* context, void* self);
    static void onStreamState(pa_stream* stream, void* self);
    static void onRead(pa_stream* stream, size_t bytes, void* self);
    // Waits (polling, the client's lock taken only to look) until done() or the deadline.
    template <typename Done>
    bool waitFor(Done done, qint64 deadline);
    QString chooseSource(const QString& cameraName, qint64 deadline);

    pa_threaded_mainloop* m_loop = nullptr;
    pa_context* m_context = nullptr;
    pa_stream* m_stream = nullptr;
    QString m_sourceName;
    mutable std::mutex m_bufferMutex;
    QByteArray m_buffer;
    qint64 m_bufferLimit = 0;
    std::atomic<bool> m_streamLost{false};
    std::atomic<bool> m_serverLost{false};
};

#endif
