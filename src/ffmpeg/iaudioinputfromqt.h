#ifndef IAUDIOINPUTFROMQT_H
#define IAUDIOINPUTFROMQT_H

#include <QByteArray>
#include <QMutex>
#include <QObject>
#include <atomic>
#include <functional>
#include <memory>

#include "ffmpeg/isoundclock.h"
#include "istatelog.h"

class IAudioInputPulse;
class QThread;
class QTimer;

// The screen recorder's microphone, captured through the PulseAudio protocol
// (IAudioInputPulse): 8000 Hz mono signed 16-bit PCM from the sound server found anew at
// each start, taken on a worker thread of its own and handed on in blocks of at most 4096
// bytes, each with the moment its first sample was captured (ISoundClock, on the monotonic
// clock of av_gettime_relative()).
// Every control call from another thread is carried out on that worker, which owns the
// input; no caller waits for it. A microphone that goes away during a capture (removed,
// moved to a monitor, its server restarted), or that did not answer at its start, is
// looked for again until it comes back or the capture stops.
class IAudioInputFromQt : public QObject
{
    Q_OBJECT
public:
    // Why the sound of the last capture stopped before its end, as far as the microphone
    // tells.
    enum Loss { NoLoss, Disconnected, NoMoreSound, SoundSystemError };

    static IAudioInputFromQt* instance();
    // Releases the microphone and ends the worker; called before the application object
    // goes. Every wait of the worker is bounded and a start under way is given up, so the
    // worker ends at once.
    static void destroyInstance();

    // Each start records from the input whose name occurs in name (empty names never
    // match), else the desktop's default input, never a monitor of what the computer plays.
    virtual bool initializeAudioCapture(const QString& name);
    virtual void audioInputInfo(int& format, int& rate, int& channels);

    bool isInitialised() const { return m_initialised; }
    // Asks the worker to open the microphone and returns at once: sgStarted(attempt, ok)
    // follows (queued), ok when it opened and delivers; when not, the capture goes on
    // looking for it (sgAway(true) follows) until stopped or abandoned. 0 when there is no
    // input.
    quint64 requestStart();
    // How long a caller waits for sgStarted before it goes on without sound.
    static const int START_LIMIT_MS = 3000;
    // The caller of that attempt no longer waits: a start under way is given up, an input
    // it opened is stopped again.
    void abandonStart(quint64 attempt);
    // A start is under way on the worker.
    bool startPending() const { return m_starting; }
    // Why the sound stopped, while it stays away; NoLoss while it flows.
    Loss loss() const { return m_loss; }
    // Why the sound first went away during the last capture, also once it came back.
    Loss firstLoss() const { return m_firstLoss; }
    // Stop and pause return at once. The worker first hands on what the microphone still
    // holds up to the moment of the call (waiting for it as long as the microphone has
    // been seen to hold sound, at most DRAIN_LIMIT_MS; not at all when it gave none or is
    // away), so the sound reaches that moment; then it stops or suspends the input.
    // stopped runs on the worker once the last block is handed on.
    void stopCapture(std::function<void()> stopped = {});
    void pauseCapture();
    void resumeCapture();
    // Capture time (microseconds, monotonic) of the first sample of the block being
    // handed on; valid during the emission of sgReadAudioData.
    qint64 blockCaptureTime() const { return m_blockCapture; }

    static const int DRAIN_LIMIT_MS = 2000;

signals:
    // From the worker: the start numbered attempt ended; ok when the microphone delivers.
    void sgStarted(quint64 attempt, bool ok);
    // From the worker while capturing: the microphone went away (true), or gives sound
    // again (false).
    void sgAway(bool away);
    void sgReadAudioData(QByteArray data, int size, int channels, int sampleFormat, int sampleRate);

private:
    IAudioInputFromQt();
    ~IAudioInputFromQt() override;
    void startOnWorker(quint64 attempt);
    // Opens a new input for the capture; cancelled tells when to give up. On failure
    // m_openLoss says why.
    bool openInput(int limitMs, const std::function<bool()>& cancelled);
    void readData();
    // settle: decides at once on sound the clock holds back (a stop or a pause).
    void readAvailable(bool settle = false);
    // The microphone gave nothing for LOSS_LIMIT_US, or its input was lost: tells why and
    // looks for it again.
    void checkPresence(qint64 now);
    void setAway(bool away, Loss why);
    void reconnect();
    // A suspend or stop waits (on the worker's event loop) until the samples captured
    // before its moment are handed on, or a time limit.
    enum class Pending { None, Suspend, Stop };
    void awaitSound(Pending action, qint64 until);
    void checkPending();
    void finishPending();
    void completePending();
    void closeInput();
    void destroyOnWorker();

    bool m_initialised = false;
    int m_channels = 0;
    int m_sampleRate = 0;
    int m_sampleSize = 0;
    int m_sampleFormat = 0;
    QThread* m_thread = nullptr;
    QByteArray m_buffer;
    QMutex m_nameMutex;
    QString m_cameraName;
    // Made at each start, on the worker; null while nothing is open.
    std::unique_ptr<IAudioInputPulse> m_input;
    // Between a start and its stop, paused or not.
    bool m_capturing = false;
    bool m_suspended = false;
    QTimer* m_poll = nullptr;
    ISoundClock m_clock;
    // The most sound that came at once: how long a stop waits for the rest; and the
    // samples the clock held back at the last look.
    qint64 m_held = 0;
    qint64 m_waiting = 0;
    qint64 m_blockCapture = 0;
    // Monotonic time of the last sound read, whether the microphone is away, and when
    // it is looked for next.
    qint64 m_lastSound = 0;
    bool m_away = false;
    qint64 m_nextLook = 0;
    IStateLog m_awayLog;
    std::atomic<Loss> m_loss{NoLoss};
    std::atomic<Loss> m_firstLoss{NoLoss};
    Loss m_openLoss = NoLoss;
    // The failure of the last look, logged once while it stays the same.
    QString m_lookFailure;
    Pending m_pending = Pending::None;
    qint64 m_pendingUntil = 0;
    qint64 m_pendingLimit = 0;
    std::function<void()> m_stopped;

    // The start a caller waits for (0: none) and the attempt whose input is open; a stop
    // asked (which gives up a reconnection under way).
    std::atomic<quint64> m_awaited{0};
    std::atomic<quint64> m_attempts{0};
    std::atomic<bool> m_starting{false};
    std::atomic<bool> m_stopAsked{false};
    quint64 m_openAttempt = 0;

    static IAudioInputFromQt* s_instance;
};

#endif
