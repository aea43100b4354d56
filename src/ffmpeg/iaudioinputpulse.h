#ifndef IAUDIOINPUTPULSE_H
#define IAUDIOINPUTPULSE_H

#include <QByteArray>
#include <QString>
#include <atomic>
#include <functional>
#include <mutex>

struct pa_context;
struct pa_stream;
struct pa_threaded_mainloop;

// One microphone capture through the PulseAudio protocol (PulseAudio, or PipeWire in its
// place): a new connection each time, so a server that came up or restarted since the
// last one is found. Signed 16-bit mono samples are read on the client's own thread into
// a buffer the caller takes from. Every wait is bounded: a server that does not answer is
// given up, never waited for. A failed open logs nothing: its caller, which may look again
// and again, tells what it needs to.
class IAudioInputPulse
{
public:
    IAudioInputPulse() = default;
    ~IAudioInputPulse();
    IAudioInputPulse(const IAudioInputPulse&) = delete;
    IAudioInputPulse& operator=(const IAudioInputPulse&) = delete;

    // Records at rate from the input whose name occurs in cameraName, else the desktop's
    // default input, else (the default being a monitor of what the computer plays) the
    // first input there is; handed over in blocks of about bufferMs. False (and closed)
    // when there is no server or microphone, it did not start delivering within limitMs, or
    // cancelled() became true meanwhile.
    bool open(int rate, const QString& cameraName, int limitMs, int bufferMs,
              std::function<bool()> cancelled = {});
    // Why the last open failed, and in words for the log.
    enum Failure { NoFailure, NoServer, NoMicrophone, NoSound };
    Failure failure() const { return m_failure; }
    QString failureText() const { return m_failureText; }
    void close();
    bool isOpen() const { return m_stream != nullptr; }
    // Corks or uncorks the stream.
    void suspend(bool on);
    qint64 bytesReady() const;
    qint64 read(char* data, qint64 max);
    // The stream was ended by the server (its source went away, or it was moved to a
    // monitor), or the server itself.
    bool streamLost() const { return m_streamLost; }
    bool serverLost() const { return m_serverLost; }
    QString sourceName() const { return m_sourceName; }

private:
    static void onContextState(pa_context* context, void* self);
    static void onStreamState(pa_stream* stream, void* self);
    static void onRead(pa_stream* stream, size_t bytes, void* self);
    static void onMoved(pa_stream* stream, void* self);
    // Closes what the open began, with why.
    void fail(Failure failure, const QString& text);
    // Waits (polling, the client's lock taken only to look) until done() or the deadline.
    template <typename Done>
    bool waitFor(Done done, qint64 deadline);
    // The source to record (empty: the default); null when there is none or, known false,
    // the server did not list its sources in time.
    QString chooseSource(const QString& cameraName, qint64 deadline, bool* known);

    pa_threaded_mainloop* m_loop = nullptr;
    pa_context* m_context = nullptr;
    pa_stream* m_stream = nullptr;
    QString m_sourceName;
    mutable std::mutex m_bufferMutex;
    QByteArray m_buffer;
    qint64 m_bufferLimit = 0;
    std::atomic<bool> m_streamLost{false};
    std::atomic<bool> m_serverLost{false};
    std::function<bool()> m_cancelled;
    Failure m_failure = NoFailure;
    QString m_failureText;
};

#endif
