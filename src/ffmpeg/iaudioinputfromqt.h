#ifndef IAUDIOINPUTFROMQT_H
#define IAUDIOINPUTFROMQT_H

#include <QByteArray>
#include <QMutex>
#include <QObject>
#include <QWaitCondition>
#include <atomic>
#include <functional>
#include <memory>

class IAudioInputPulse;
class QThread;
class QTimer;

// The microphone for the screen recorder: 8000 Hz mono signed 16-bit PCM from the sound
// server found anew at each start, taken on a worker thread of its own and handed on in
// blocks of at most 4096 bytes.
// Every control call from another thread is carried out on that worker, which owns the
// audio input; no caller waits for it (the sound system can hold the worker inside the
// input's start for as long as the microphone gives nothing). Each block comes with the
// moment its first sample was captured, on the monotonic clock of av_gettime_relative(),
// also after a stretch in which the microphone gave nothing.
class IAudioInputFromQt : public QObject
{
    Q_OBJECT
public:
    // Why the sound of the last capture stopped before its end, as far as the microphone
    // tells.
    enum Loss { NoLoss, Disconnected, NoMoreSound, SoundSystemError };

    static IAudioInputFromQt* instance();
    // Releases the microphone and the worker; called before the application object goes.
    // A worker still held by the sound system is left behind (with its object), not waited
    // for: see workersLeftBehind().
    static void destroyInstance();
    // Workers that did not end at destroyInstance. The process then ends without its
    // static teardown, which would wait for them or free what they still use.
    static int workersLeftBehind() { return s_leftBehind; }

    // Each start records from the source whose name occurs in name (empty names never
    // match), else the default source of the sound server there at that moment.
    virtual bool initializeAudioCapture(const QString& name);
    // False when the worker did not end within a bounded time; it is then left running.
    virtual bool destroyAudioCapture();
    virtual void audioInputInfo(int& format, int& rate, int& channels);

    bool isInitialised() const { return m_initialised; }
    // Asks the worker to open the microphone and returns at once: sgStarted(attempt, ok)
    // follows (queued), ok when it opened and delivers. 0 when nothing was asked: no input,
    // or an earlier start is still held by the sound system.
    quint64 requestStart();
    // How long a caller waits for sgStarted before it goes on without sound.
    static const int START_LIMIT_MS = 3000;
    // The caller of that attempt no longer waits: an input it opened is stopped again.
    void abandonStart(quint64 attempt);
    // An earlier start is still held by the sound system.
    bool startPending() const;
    // Why the sound stopped, while it stays away; NoLoss while it flows.
    Loss loss() const { return m_loss; }
    // Why the sound first went away during the last capture, also once it came back.
    Loss firstLoss() const { return m_firstLoss; }
    // Stop and pause return at once. The worker first hands on what the microphone still
    // holds up to the moment of the call (waiting for it as long as the microphone has
    // been seen to hold sound, at most DRAIN_LIMIT_MS), so the sound reaches that moment;
    // then it stops or suspends the input. stopped runs on the worker once the last block
    // is handed on (at once when capture never started).
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
    void sgDestroy();
    void sgReadAudioData(QByteArray data, int size, int channels, int sampleFormat, int sampleRate);

public slots:
    void readData();
    void slDestroy();

private:
    IAudioInputFromQt();
    ~IAudioInputFromQt() override;
    // Opens the input for the start numbered attempt and tells the result, or stops the
    // input again when its caller no longer waits.
    void startOnWorker(quint64 attempt);
    // Places the sample clock of the current stretch after an arrival of ready samples;
    // false while they are held back to tell a gap from late sound still streaming in
    // (never when settle).
    bool followClock(qint64 now, qint64 ready, bool settle);
    bool openInput();
    // The microphone gave nothing for LOSS_LIMIT_US while capturing: tells why, once.
    void noteSilence(qint64 now);
    // A suspend or stop waits (on the worker's event loop) until the samples captured
    // before its moment are handed on, or a time limit.
    enum class Pending { None, Suspend, Stop };
    void stopOnWorker(qint64 until, std::function<void()> stopped);
    void suspendOnWorker(qint64 until);
    void resumeOnWorker();
    // settle: decides at once on sound held back by followClock (a stop or pause).
    void readAvailable(bool settle = false);
    void awaitSound(Pending action, qint64 until);
    // Carries out the waiting suspend or stop once its sound is in, or its time is up.
    void checkPending();
    // Carries out the waiting suspend or stop now, with what has come so far.
    void finishPending();
    void completePending();
    void closeInput();
    // Forgets the sample clock: the next samples start a new stretch of sound.
    void restartClock();

    bool m_initialised = false;
    int m_channels = 0;
    int m_sampleRate = 0;
    int m_sampleSize = 0;
    int m_sampleFormat = 0;
    QThread* m_thread = nullptr;
    QByteArray m_buffer;
    QString m_cameraName;
    // Made at each start, on the worker; null while nothing is open.
    std::unique_ptr<IAudioInputPulse> m_input;
    bool m_suspended = false;
    QTimer* m_poll = nullptr;
    // The sample clock of the current stretch: samples read since it began, and the
    // capture time of its first sample (earliest that fits every arrival so far).
    qint64 m_samplesRead = 0;
    qint64 m_origin = 0;
    bool m_originKnown = false;
    // The most an arrival has run behind the sample clock without a gap (its jitter), and
    // the most sound that came at once: how long a sample may wait to be handed on.
    qint64 m_jitter = 0;
    qint64 m_held = 0;
    qint64 m_lastEstimate = 0;
    // An arrival far behind the clock: since when its sound is held back, and how much was
    // there at the last look (0: none held).
    qint64 m_holdSince = 0;
    qint64 m_holdLook = 0;
    qint64 m_holdReady = 0;
    qint64 m_blockCapture = 0;
    // Monotonic time of the last sound read, and whether its absence was noted.
    qint64 m_lastSound = 0;
    bool m_silenceNoted = false;
    std::atomic<Loss> m_loss{NoLoss};
    std::atomic<Loss> m_firstLoss{NoLoss};
    Pending m_pending = Pending::None;
    qint64 m_pendingUntil = 0;
    qint64 m_pendingLimit = 0;
    std::function<void()> m_stopped;

    // The start a caller waits for (0: none), whether the worker is inside a start, and
    // the attempt whose input is open; under m_startMutex. destroyed marks the end of
    // slDestroy.
    mutable QMutex m_startMutex;
    QWaitCondition m_destroyedCondition;
    quint64 m_attempts = 0;
    quint64 m_awaited = 0;
    quint64 m_openAttempt = 0;
    bool m_starting = false;
    bool m_destroyed = false;

    static IAudioInputFromQt* s_instance;
    static int s_leftBehind;
};

#endif
