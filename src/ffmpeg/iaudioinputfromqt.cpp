#include "ffmpeg/iaudioinputfromqt.h"

#include <QCoreApplication>
#include <QDebug>
#include <QThread>
#include <QTimer>

#include "ffmpeg/iaudioinputpulse.h"

extern "C" {
#include <libavutil/time.h>
}

namespace {
const int BLOCK_BYTES = 4096;
// The sound server's default hands sound over in blocks of about two seconds, which
// would be that late and lost at a stop; small blocks keep it close to the picture.
const int BUFFER_MS = 40;
// The sound is looked for this often (ms): the moment a block becomes ready tells when it
// was captured.
const int POLL_MS = 10;
// Beyond what the microphone holds at once, a stop or pause waits this long for the
// sound captured before it.
const qint64 DRAIN_MARGIN_US = 200000;
// A capturing microphone hands on sound every few tens of milliseconds (some sources every
// second or two): none for this long beyond the most it gave at once means it went away.
const qint64 LOSS_LIMIT_US = 1000000;
// A microphone that went away is looked for this often, each look bounded, so that it
// is used again within two seconds of its return.
const qint64 LOOK_AGAIN_US = 500000;
const int LOOK_LIMIT_MS = 1000;
}

IAudioInputFromQt* IAudioInputFromQt::s_instance = nullptr;

IAudioInputFromQt* IAudioInputFromQt::instance()
{
    if (!s_instance)
        s_instance = new IAudioInputFromQt;
    return s_instance;
}

void IAudioInputFromQt::destroyInstance()
{
    IAudioInputFromQt* input = s_instance;
    s_instance = nullptr;
    if (!input)
        return;
    if (input->m_thread) {
        // A start or a look under way gives up at its next check, so the worker answers
        // at once.
        input->m_awaited = 0;
        input->m_stopAsked = true;
        QMetaObject::invokeMethod(input, [input] { input->destroyOnWorker(); }, Qt::BlockingQueuedConnection);
        input->m_thread->quit();
        input->m_thread->wait();
    }
    delete input;
}

IAudioInputFromQt::IAudioInputFromQt()
    : m_buffer(BLOCK_BYTES, '\0')
{
}

IAudioInputFromQt::~IAudioInputFromQt()
{
    delete m_thread;
}

void IAudioInputFromQt::destroyOnWorker()
{
    finishPending();
    delete m_poll;
    m_poll = nullptr;
    m_input.reset();
    // Back to the application's thread, so the object outlives its worker safely.
    if (QCoreApplication* app = QCoreApplication::instance())
        moveToThread(app->thread());
}

bool IAudioInputFromQt::initializeAudioCapture(const QString& name)
{
    m_channels = 1;
    m_sampleRate = 8000;
    m_sampleSize = 16;
    m_sampleFormat = 1;  // AV_SAMPLE_FMT_S16
    {
        QMutexLocker lock(&m_nameMutex);
        m_cameraName = name;
    }
    m_initialised = true;
    return true;
}

void IAudioInputFromQt::audioInputInfo(int& format, int& rate, int& channels)
{
    format = m_sampleFormat;
    rate = m_sampleRate;
    channels = m_channels;
}

quint64 IAudioInputFromQt::requestStart()
{
    if (!m_initialised)
        return 0;
    if (!m_thread) {
        m_thread = new QThread;
        m_thread->setObjectName(QStringLiteral("microphone"));
        m_thread->start();
        moveToThread(m_thread);
    }
    // A start still under way is given up for this one.
    const quint64 attempt = ++m_attempts;
    m_awaited = attempt;
    m_starting = true;
    m_stopAsked = false;
    QMetaObject::invokeMethod(this, [this, attempt] { startOnWorker(attempt); }, Qt::QueuedConnection);
    return attempt;
}

void IAudioInputFromQt::abandonStart(quint64 attempt)
{
    quint64 awaited = attempt;
    m_awaited.compare_exchange_strong(awaited, 0);
    // Already open: its sound belongs to no recording.
    QMetaObject::invokeMethod(
        this,
        [this, attempt] {
            if (m_openAttempt == attempt)
                closeInput();
        },
        Qt::QueuedConnection);
}

void IAudioInputFromQt::startOnWorker(quint64 attempt)
{
    finishPending();
    closeInput();
    m_clock.restart();
    m_held = 0;
    m_waiting = 0;
    m_loss = NoLoss;
    m_firstLoss = NoLoss;
    m_away = false;
    m_awayLog.reset();
    m_suspended = false;
    m_lookFailure.clear();
    // A stop asked meanwhile gives the start up too: its caller may have stopped waiting.
    const bool ok = m_awaited == attempt
                    && openInput(START_LIMIT_MS, [this, attempt] { return m_awaited != attempt || m_stopAsked; });
    quint64 awaited = attempt;
    const bool wanted = m_awaited.compare_exchange_strong(awaited, 0);
    if (m_attempts == attempt)
        m_starting = false;
    if (ok && !wanted) {
        qWarning() << "the microphone started after its recording went on without it: stopped";
        m_input.reset();
    } else if (wanted) {
        m_openAttempt = attempt;
        m_capturing = true;
        m_lastSound = av_gettime_relative();
        m_nextLook = m_lastSound + LOOK_AGAIN_US;
        m_poll->start(POLL_MS);
    }
    emit sgStarted(attempt, ok && wanted);
    // None answered: it is looked for as one that went away, so that a server resumed or
    // a headset plugged in later in the recording is used from then on.
    if (wanted && !ok) {
        setAway(true, m_openLoss);
        // The failure just logged tells it; the line for its return follows.
        m_awayLog.note(true, av_gettime_relative());
    }
}

bool IAudioInputFromQt::openInput(int limitMs, const std::function<bool()>& cancelled)
{
    if (!m_poll) {
        m_poll = new QTimer(this);
        m_poll->setTimerType(Qt::PreciseTimer);
        connect(m_poll, &QTimer::timeout, this, &IAudioInputFromQt::readData);
    }
    QString name;
    {
        QMutexLocker lock(&m_nameMutex);
        name = m_cameraName;
    }
    // A new connection each time: the server may have come up or restarted since.
    m_input = std::make_unique<IAudioInputPulse>();
    if (m_input->open(m_sampleRate, name, limitMs, BUFFER_MS, cancelled)) {
        m_lookFailure.clear();
        return true;
    }
    const IAudioInputPulse::Failure failure = m_input->failure();
    m_openLoss = failure == IAudioInputPulse::NoMicrophone ? Disconnected
                 : failure == IAudioInputPulse::NoSound    ? NoMoreSound
                                                           : SoundSystemError;
    // Looks that fail alike, twice a second for as long as it is away, make one line.
    if (m_input->failureText() != m_lookFailure) {
        m_lookFailure = m_input->failureText();
        qWarning().noquote() << m_lookFailure;
    }
    m_input.reset();
    return false;
}

void IAudioInputFromQt::stopCapture(std::function<void()> stopped)
{
    const qint64 now = av_gettime_relative();
    if (!m_thread) {
        if (stopped)
            stopped();
        return;
    }
    m_stopAsked = true;
    QMetaObject::invokeMethod(
        this,
        [this, now, stopped] {
            finishPending();
            m_stopped = stopped;
            awaitSound(Pending::Stop, now);
        },
        Qt::QueuedConnection);
}

void IAudioInputFromQt::pauseCapture()
{
    const qint64 now = av_gettime_relative();
    if (m_thread)
        QMetaObject::invokeMethod(
            this,
            [this, now] {
                finishPending();
                awaitSound(Pending::Suspend, now);
            },
            Qt::QueuedConnection);
}

void IAudioInputFromQt::resumeCapture()
{
    if (!m_thread)
        return;
    QMetaObject::invokeMethod(
        this,
        [this] {
            // A resume right after a pause ends the pause's wait with what has come.
            finishPending();
            // The samples after the pause continue the count but not the time.
            m_clock.restart();
            m_waiting = 0;
            if (m_input)
                m_input->suspend(false);
            m_suspended = false;
            m_lastSound = av_gettime_relative();
            if (m_poll && m_capturing)
                m_poll->start(POLL_MS);
        },
        Qt::QueuedConnection);
}

void IAudioInputFromQt::awaitSound(Pending action, qint64 until)
{
    m_pending = action;
    m_pendingUntil = until;
    // Only sound that can still come is waited for: none from a microphone that gave none
    // or went away.
    if (!m_input || m_suspended || !m_clock.started() || m_away || !m_poll || !m_poll->isActive()) {
        completePending();
        return;
    }
    // Sound captured before the moment may still be held by the microphone, as much as it
    // was seen to hand over at once.
    m_pendingLimit = qMax<qint64>(av_gettime_relative(), until)
                     + qMin<qint64>(m_held + DRAIN_MARGIN_US, DRAIN_LIMIT_MS * 1000);
    readAvailable();
    checkPending();
}

void IAudioInputFromQt::checkPending()
{
    if (m_pending == Pending::None)
        return;
    // The poll timer brings the next look; the sound server's client thread keeps
    // receiving meanwhile.
    const int frameBytes = qMax(1, m_channels * m_sampleSize / 8);
    const qint64 ready = m_input ? m_input->bytesReady() / frameBytes : 0;
    const qint64 end = m_clock.next() + ready * 1000000 / qMax(1, m_sampleRate);
    if ((m_clock.started() && end >= m_pendingUntil) || av_gettime_relative() >= m_pendingLimit)
        completePending();
}

void IAudioInputFromQt::finishPending()
{
    if (m_pending != Pending::None)
        completePending();
}

void IAudioInputFromQt::completePending()
{
    readAvailable(true);
    const Pending action = m_pending;
    m_pending = Pending::None;
    if (action == Pending::None)
        return;
    if (m_poll)
        m_poll->stop();
    if (action == Pending::Suspend) {
        if (m_input)
            m_input->suspend(true);
        m_suspended = true;
        return;
    }
    closeInput();
    std::function<void()> stopped = std::move(m_stopped);
    m_stopped = nullptr;
    if (stopped)
        stopped();
}

void IAudioInputFromQt::closeInput()
{
    if (m_poll)
        m_poll->stop();
    m_input.reset();
    m_openAttempt = 0;
    m_capturing = false;
    m_away = false;
}

void IAudioInputFromQt::readData()
{
    readAvailable();
    checkPresence(av_gettime_relative());
    checkPending();
}

void IAudioInputFromQt::readAvailable(bool settle)
{
    if (!m_input)
        return;
    const int frameBytes = qMax(1, m_channels * m_sampleSize / 8);
    const qint64 now = av_gettime_relative();
    const qint64 ready = m_input->bytesReady() / frameBytes;
    if (ready <= 0)
        return;
    m_lastSound = now;
    if (m_away && !m_input->streamLost() && !m_input->serverLost())
        setAway(false, NoLoss);
    // The most that came at once (not what the clock held back).
    m_held = qMax(m_held, (ready - m_waiting) * 1000000 / qMax(1, m_sampleRate));
    qint64 dropout = 0;
    qint64 samples = m_clock.arrive(now, ready, settle, &dropout);
    m_waiting = ready - samples;
    if (dropout > 0)
        qDebug() << "the microphone gave no sound for" << dropout / 1000 << "ms: its sound goes on at its place";
    // What the clock placed, one block at a time.
    while (samples > 0) {
        const qint64 read = m_input->read(m_buffer.data(), qMin<qint64>(samples * frameBytes, BLOCK_BYTES));
        if (read <= 0)
            return;
        m_blockCapture = m_clock.next();
        m_clock.handOn(read / frameBytes);
        samples -= read / frameBytes;
        emit sgReadAudioData(m_buffer, int(read), m_channels, m_sampleFormat, m_sampleRate);
    }
}

void IAudioInputFromQt::checkPresence(qint64 now)
{
    // Only while capturing: a pause or a stop has its own reasons to give nothing.
    if (m_capturing && !m_suspended && m_pending == Pending::None) {
        const bool lost = !m_input || m_input->streamLost() || m_input->serverLost();
        if (lost) {
            if (m_input)
                setAway(true, m_input->serverLost() ? SoundSystemError : Disconnected);
            m_input.reset();
            if (now >= m_nextLook)
                reconnect();
        } else if (now - m_lastSound >= LOSS_LIMIT_US + m_held) {
            setAway(true, NoMoreSound);
        }
    }
    if (m_awayLog.note(m_away, now)) {
        const int changes = m_awayLog.changes();
        const QString often = changes > 1 ? QStringLiteral("(%1 changes since the last line)").arg(changes) : QString();
        if (!m_away)
            qWarning().noquote() << "the microphone gives sound again" << often;
        else if (m_loss == NoMoreSound)
            qWarning().noquote() << "the microphone gave no sound for" << (now - m_lastSound) / 1000 << "ms" << often;
        else
            qWarning().noquote() << (m_loss == Disconnected ? "the microphone went away" : "the sound server went away")
                                 << often;
    }
}

void IAudioInputFromQt::setAway(bool away, Loss why)
{
    // A cause found later (the input was lost) replaces silence as the reason.
    if (away)
        m_loss = why;
    if (away && m_firstLoss == NoLoss)
        m_firstLoss = why;
    if (away == m_away)
        return;
    m_away = away;
    if (!away)
        m_loss = NoLoss;
    emit sgAway(away);
}

void IAudioInputFromQt::reconnect()
{
    m_nextLook = av_gettime_relative() + LOOK_AGAIN_US;
    if (!openInput(LOOK_LIMIT_MS, [this] { return m_stopAsked.load(); }))
        return;
    // Its sound starts a new stretch, placed where it is captured.
    m_clock.restart();
    m_waiting = 0;
    qWarning() << "the microphone is back:" << m_input->sourceName();
}
