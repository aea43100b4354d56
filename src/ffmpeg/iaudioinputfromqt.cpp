#include "ffmpeg/iaudioinputfromqt.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
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
// An arrival this much later than the sample clock (beyond twice the microphone's jitter)
// follows a stretch in which the microphone gave nothing.
const qint64 GAP_MIN_US = 250000;
const qint64 JITTER_LIMIT_US = 500000;
// Sound that comes far behind the clock may be late sound streaming in (a busy machine)
// rather than the end of a gap: it is held back while more than twice its length in
// time comes each look, a look this often, for this long at most.
const qint64 HOLD_LOOK_US = 100000;
const qint64 HOLD_LIMIT_US = 2000000;
// How fast the sample clock may drift later than the system clock (microseconds per
// second): a microphone whose clock runs slow is followed, a late arrival is not.
const qint64 DRIFT_US_PER_S = 500;
// A capturing microphone hands on sound every few tens of milliseconds: none for this
// long means it stopped.
const qint64 LOSS_LIMIT_US = 1000000;
// Longest wait at shutdown for the worker to let go of the microphone and end.
const int DESTROY_LIMIT_MS = 2000;
}

IAudioInputFromQt* IAudioInputFromQt::s_instance = nullptr;
int IAudioInputFromQt::s_leftBehind = 0;

IAudioInputFromQt* IAudioInputFromQt::instance()
{
    if (!s_instance)
        s_instance = new IAudioInputFromQt;
    return s_instance;
}

void IAudioInputFromQt::destroyInstance()
{
    if (!s_instance)
        return;
    IAudioInputFromQt* input = s_instance;
    s_instance = nullptr;
    if (!input->destroyAudioCapture()) {
        // The worker still runs in the object: both stay, and the process leaves them.
        ++s_leftBehind;
        qWarning() << "the microphone's worker is held by the sound system: left behind";
        return;
    }
    delete input;
}

IAudioInputFromQt::IAudioInputFromQt()
    : m_buffer(BLOCK_BYTES, '\0')
{
    connect(this, SIGNAL(sgDestroy()), this, SLOT(slDestroy()));
}

IAudioInputFromQt::~IAudioInputFromQt()
{
    if (m_thread) {
        m_thread->quit();
        m_thread->wait();
        delete m_thread;
    }
}

bool IAudioInputFromQt::initializeAudioCapture(const QString& name)
{
    m_channels = 1;
    m_sampleRate = 8000;
    m_sampleSize = 16;
    m_sampleFormat = 1;  // AV_SAMPLE_FMT_S16
    m_cameraName = name;
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
    QMutexLocker lock(&m_startMutex);
    if (m_starting) {
        qWarning() << "the microphone is still held by an earlier start: recording without sound";
        return 0;
    }
    const quint64 attempt = ++m_attempts;
    m_awaited = attempt;
    m_starting = true;
    QMetaObject::invokeMethod(this, [this, attempt] { startOnWorker(attempt); }, Qt::QueuedConnection);
    return attempt;
}

void IAudioInputFromQt::abandonStart(quint64 attempt)
{
    {
        QMutexLocker lock(&m_startMutex);
        if (m_awaited == attempt)
            m_awaited = 0;
    }
    // Already open: its sound belongs to no recording.
    QMetaObject::invokeMethod(
        this,
        [this, attempt] {
            if (m_openAttempt == attempt)
                closeInput();
        },
        Qt::QueuedConnection);
}

bool IAudioInputFromQt::startPending() const
{
    QMutexLocker lock(&m_startMutex);
    return m_starting;
}

void IAudioInputFromQt::startOnWorker(quint64 attempt)
{
    const bool ok = openInput();
    bool awaited = false;
    {
        QMutexLocker lock(&m_startMutex);
        m_starting = false;
        awaited = m_awaited == attempt;
        m_awaited = 0;
    }
    if (ok && !awaited) {
        qWarning() << "the microphone started after its recording went on without it: stopped";
        m_input.reset();
    } else if (ok) {
        m_openAttempt = attempt;
        m_poll->start(POLL_MS);
    }
    emit sgStarted(attempt, ok && awaited);
}

bool IAudioInputFromQt::openInput()
{
    finishPending();
    if (!m_poll) {
        m_poll = new QTimer(this);
        m_poll->setTimerType(Qt::PreciseTimer);
        connect(m_poll, &QTimer::timeout, this, &IAudioInputFromQt::readData);
    }
    restartClock();
    m_jitter = 0;
    m_held = 0;
    m_openAttempt = 0;
    m_loss = NoLoss;
    m_firstLoss = NoLoss;
    m_silenceNoted = false;
    m_suspended = false;
    // A new connection each time: the server may have come up or restarted since.
    m_input = std::make_unique<IAudioInputPulse>();
    const bool ok = m_input->open(m_sampleRate, m_cameraName, START_LIMIT_MS, BUFFER_MS);
    if (!ok)
        m_input.reset();
    // The wait above may have lasted: the clock starts with the sound.
    m_lastSound = av_gettime_relative();
    return ok;
}

void IAudioInputFromQt::stopCapture(std::function<void()> stopped)
{
    const qint64 now = av_gettime_relative();
    if (!m_thread) {
        if (stopped)
            stopped();
        return;
    }
    QMetaObject::invokeMethod(
        this, [this, now, stopped] { stopOnWorker(now, stopped); }, Qt::QueuedConnection);
}

void IAudioInputFromQt::stopOnWorker(qint64 until, std::function<void()> stopped)
{
    finishPending();
    m_stopped = std::move(stopped);
    awaitSound(Pending::Stop, until);
}

void IAudioInputFromQt::pauseCapture()
{
    const qint64 now = av_gettime_relative();
    if (m_thread)
        QMetaObject::invokeMethod(this, [this, now] { suspendOnWorker(now); }, Qt::QueuedConnection);
}

void IAudioInputFromQt::suspendOnWorker(qint64 until)
{
    finishPending();
    awaitSound(Pending::Suspend, until);
}

void IAudioInputFromQt::awaitSound(Pending action, qint64 until)
{
    m_pending = action;
    m_pendingUntil = until;
    // Sound captured before the moment may still be held by the microphone, as much as it
    // was seen to hand over at once.
    const qint64 wait = m_originKnown ? qMin<qint64>(m_held + m_jitter + DRAIN_MARGIN_US, DRAIN_LIMIT_MS * 1000)
                                      : DRAIN_LIMIT_MS * 1000;
    m_pendingLimit = qMax<qint64>(av_gettime_relative(), until) + wait;
    // A suspended or stopped input has nothing more to give.
    const bool delivering = m_input && !m_suspended && m_poll && m_poll->isActive();
    if (!delivering) {
        completePending();
        return;
    }
    readAvailable();
    checkPending();
}

void IAudioInputFromQt::checkPending()
{
    if (m_pending == Pending::None)
        return;
    // The poll timer brings the next look; the sound server's client thread keeps
    // receiving meanwhile.
    const qint64 next = m_origin + m_samplesRead * 1000000 / qMax(1, m_sampleRate);
    if ((m_originKnown && next >= m_pendingUntil) || av_gettime_relative() >= m_pendingLimit)
        completePending();
}

void IAudioInputFromQt::finishPending()
{
    if (m_pending == Pending::None)
        return;
    readAvailable();
    completePending();
}

void IAudioInputFromQt::completePending()
{
    if (m_holdSince != 0)
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
}

void IAudioInputFromQt::restartClock()
{
    m_holdSince = 0;
    m_samplesRead = 0;
    m_origin = 0;
    m_originKnown = false;
}

void IAudioInputFromQt::resumeCapture()
{
    if (m_thread)
        QMetaObject::invokeMethod(this, [this] { resumeOnWorker(); }, Qt::QueuedConnection);
}

void IAudioInputFromQt::resumeOnWorker()
{
    // A resume right after a pause ends the pause's wait with what has come.
    finishPending();
    // The samples after the pause continue the count but not the time.
    restartClock();
    if (m_input)
        m_input->suspend(false);
    m_suspended = false;
    m_lastSound = av_gettime_relative();
    if (m_poll && m_input)
        m_poll->start(POLL_MS);
}

void IAudioInputFromQt::readData()
{
    readAvailable();
    checkPending();
}

void IAudioInputFromQt::readAvailable(bool settle)
{
    if (!m_input)
        return;
    const int frameBytes = qMax(1, m_channels * m_sampleSize / 8);
    const qint64 rate = qMax(1, m_sampleRate);
    // Every sample that is ready was captured before now, so the stretch began at most
    // its length before now; the earliest such bound of all arrivals is the closest.
    const qint64 now = av_gettime_relative();
    const qint64 ready = qMax<qint64>(0, m_input->bytesReady()) / frameBytes;
    if (ready <= 0) {
        noteSilence(now);
        return;
    }
    m_lastSound = now;
    if (m_silenceNoted) {
        m_silenceNoted = false;
        m_loss = NoLoss;
        qWarning() << "the microphone" << m_input->sourceName() << "gives sound again";
    }
    if (!followClock(now, ready, settle))
        return;
    // Drain what is there, one block at a time.
    for (;;) {
        const qint64 bytes = qMin<qint64>(m_input->bytesReady(), BLOCK_BYTES) / frameBytes * frameBytes;
        if (bytes <= 0)
            return;
        const qint64 read = m_input->read(m_buffer.data(), bytes);
        if (read <= 0)
            return;
        m_blockCapture = m_origin + m_samplesRead * 1000000 / rate;
        m_samplesRead += read / frameBytes;
        emit sgReadAudioData(m_buffer, int(read), m_channels, m_sampleFormat, m_sampleRate);
    }
}

bool IAudioInputFromQt::followClock(qint64 now, qint64 ready, bool settle)
{
    const qint64 rate = qMax(1, m_sampleRate);
    const qint64 bound = now - (m_samplesRead + ready) * 1000000 / rate;
    if (!m_originKnown) {
        m_held = qMax(m_held, ready * 1000000 / rate);
        m_origin = bound;
        m_originKnown = true;
        m_lastEstimate = now;
        return true;
    }
    // A slow microphone clock is followed a little at a time; an arrival far behind the
    // clock ends a gap, and its sound goes where it was captured, not right after the
    // sound before the gap.
    const qint64 followed = m_origin + (now - m_lastEstimate) * DRIFT_US_PER_S / 1000000;
    const qint64 late = bound - followed;
    if (late > qMax(GAP_MIN_US, 2 * m_jitter)) {
        if (!settle && m_holdSince == 0) {
            m_holdSince = m_holdLook = now;
            m_holdReady = ready;
            return false;
        }
        const bool streaming = (ready - m_holdReady) * 1000000 / rate > 2 * (now - m_holdLook);
        if (!settle && now - m_holdSince < HOLD_LIMIT_US && (now - m_holdLook < HOLD_LOOK_US || streaming)) {
            if (now - m_holdLook >= HOLD_LOOK_US) {
                m_holdLook = now;
                m_holdReady = ready;
            }
            return false;
        }
        qWarning() << "the microphone gave no sound for" << late / 1000 << "ms: its sound goes on after the gap";
        m_origin = bound;
    } else {
        if (m_holdSince != 0)
            qWarning() << "the microphone's late sound caught up in" << (now - m_holdSince) / 1000 << "ms: none lost";
        m_jitter = qMin(JITTER_LIMIT_US, qMax(m_jitter, late));
        m_origin = qMin(bound, followed);
    }
    m_held = qMax(m_held, ready * 1000000 / rate);
    m_holdSince = 0;
    m_lastEstimate = now;
    return true;
}

void IAudioInputFromQt::noteSilence(qint64 now)
{
    // Only while capturing: a pause or a stop has its own reasons to give nothing.
    if (m_silenceNoted || m_pending != Pending::None || !m_poll || !m_poll->isActive()
        || now - m_lastSound < LOSS_LIMIT_US)
        return;
    m_silenceNoted = true;
    const Loss loss = m_input->serverLost()   ? SoundSystemError
                      : m_input->streamLost() ? Disconnected
                                              : NoMoreSound;
    m_loss = loss;
    if (m_firstLoss == NoLoss)
        m_firstLoss = loss;
    qWarning() << "the microphone" << m_input->sourceName() << "gave no sound for" << (now - m_lastSound) / 1000
               << "ms; cause" << loss;
}

bool IAudioInputFromQt::destroyAudioCapture()
{
    if (!m_thread) {
        // Never started: nothing lives on a worker.
        return true;
    }
    {
        QMutexLocker lock(&m_startMutex);
        // A start the sound system holds holds the worker too: nothing queued to it runs.
        if (m_starting)
            return false;
        m_destroyed = false;
    }
    QMetaObject::invokeMethod(this, "slDestroy", Qt::QueuedConnection);
    QDeadlineTimer deadline(DESTROY_LIMIT_MS);
    {
        QMutexLocker lock(&m_startMutex);
        while (!m_destroyed) {
            if (!m_destroyedCondition.wait(&m_startMutex, deadline))
                return false;
        }
    }
    m_thread->quit();
    if (!m_thread->wait(deadline))
        return false;
    delete m_thread;
    m_thread = nullptr;
    return true;
}

void IAudioInputFromQt::slDestroy()
{
    finishPending();
    delete m_poll;
    m_poll = nullptr;
    m_input.reset();
    // Back to the application's thread, so the object outlives its worker safely.
    if (QCoreApplication* app = QCoreApplication::instance())
        moveToThread(app->thread());
    qDebug() << "IAudioInputFromQt destroy.";
    QMutexLocker lock(&m_startMutex);
    m_destroyed = true;
    m_destroyedCondition.wakeAll();
}
