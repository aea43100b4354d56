#ifndef IAUDIOINPUTFROMQT_H
#define IAUDIOINPUTFROMQT_H

#include <QAudioDeviceInfo>
#include <QAudioFormat>
#include <QByteArray>
#include <QMutex>
#include <QObject>
#include <QWaitCondition>
#include <atomic>
#include <functional>

class QAudioInput;
class QIODevice;
class QThread;
class QTimer;

// The microphone for the screen recorder: 8000 Hz mono signed 16-bit PCM read with Qt
// Multimedia on a worker thread of its own, handed on in blocks of at most 4096 bytes.
// Every control call from another thread is carried out on that worker, which owns the
// audio input; only the start waits for it, and only a bounded time: the sound system can
// hold the worker inside the input's start for as long as the microphone gives nothing.
// Each block comes with the moment its first sample was captured, on the monotonic clock
// of av_gettime_relative().
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

    // Chooses the input whose name occurs in name (empty device names never match), else
    // the default input. False when there is no input at all.
    virtual bool initializeAudioCapture(const QString& name);
    // False when the worker did not end within a bounded time; it is then left running.
    virtual bool destroyAudioCapture();
    virtual void audioInputInfo(int& format, int& rate, int& channels);

    bool isInitialised() const { return m_initialised; }
    // True when the microphone was opened and is delivering (or about to deliver) sound.
    // False when it did not open within START_LIMIT_MS, or while an earlier start that ran
    // out of time is still held by the sound system; such a start, once it completes, stops
    // the input again and hands nothing on.
    bool startCapture();
    static const int START_LIMIT_MS = 3000;
    // An earlier start that ran out of time is still held by the sound system.
    bool startPending() const;
    // Why the sound of the last capture stopped before its end; NoLoss while it flows.
    Loss loss() const { return m_loss; }
    // Stop and pause return at once. The worker first hands on what the microphone still
    // holds up to the moment of the call (waiting a bounded time for it), so the sound
    // reaches that moment; then it stops or suspends the input. stopped runs on the
    // worker once the last block is handed on (at once when capture never started).
    void stopCapture(std::function<void()> stopped = {});
    void pauseCapture();
    void resumeCapture();
    bool isStop() const;
    // Capture time (microseconds, monotonic) of the first sample of the block being
    // handed on; valid during the emission of sgReadAudioData.
    qint64 blockCaptureTime() const { return m_blockCapture; }

signals:
    void sgDestroy();
    void sgReadAudioData(QByteArray data, int size, int channels, int sampleFormat, int sampleRate);

public slots:
    void readData();
    void slDestroy();

private:
    IAudioInputFromQt();
    ~IAudioInputFromQt() override;
    // Opens the input for the start numbered attempt; hands the result to its caller, or
    // stops the input again when the caller no longer waits.
    void startOnWorker(quint64 attempt);
    bool openInput();
    // The microphone gave nothing for LOSS_LIMIT_US while capturing: tells why, once.
    void noteSilence(qint64 now);
    // A suspend or stop waits (on the worker's event loop) until the samples captured
    // before its moment are handed on, or a time limit.
    enum class Pending { None, Suspend, Stop };
    void stopOnWorker(qint64 until, std::function<void()> stopped);
    void suspendOnWorker(qint64 until);
    void resumeOnWorker();
    void readAvailable();
    void awaitSound(Pending action, qint64 until);
    // Carries out the waiting suspend or stop once its sound is in, or its time is up.
    void checkPending();
    // Carries out the waiting suspend or stop now, with what has come so far.
    void finishPending();
    void completePending();
    // Forgets the sample clock: the next samples start a new stretch of sound.
    void restartClock();

    bool m_initialised = false;
    int m_channels = 0;
    int m_sampleRate = 0;
    int m_sampleSize = 0;
    int m_sampleFormat = 0;
    QThread* m_thread = nullptr;
    QByteArray m_buffer;
    QIODevice* m_device = nullptr;
    QAudioInput* m_input = nullptr;
    QTimer* m_poll = nullptr;
    QAudioFormat m_format;
    QAudioDeviceInfo m_deviceInfo;
    // The sample clock of the current stretch: samples read since it began, and the
    // capture time of its first sample (earliest that fits every arrival so far).
    qint64 m_samplesRead = 0;
    qint64 m_origin = 0;
    bool m_originKnown = false;
    qint64 m_lastEstimate = 0;
    qint64 m_blockCapture = 0;
    // Monotonic time of the last sound read, and whether its absence was noted.
    qint64 m_lastSound = 0;
    bool m_silenceNoted = false;
    std::atomic<Loss> m_loss{NoLoss};
    Pending m_pending = Pending::None;
    qint64 m_pendingUntil = 0;
    qint64 m_pendingLimit = 0;
    std::function<void()> m_stopped;

    // The start a caller waits for (0: none), whether the worker is inside a start, and
    // the answer; under m_startMutex. destroyed marks the end of slDestroy.
    mutable QMutex m_startMutex;
    QWaitCondition m_startAnswered;
    quint64 m_attempts = 0;
    quint64 m_awaited = 0;
    bool m_starting = false;
    bool m_answered = false;
    bool m_startResult = false;
    bool m_destroyed = false;

    static IAudioInputFromQt* s_instance;
    static int s_leftBehind;
};

#endif
