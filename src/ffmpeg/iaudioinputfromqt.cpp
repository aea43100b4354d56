#include "ffmpeg/iaudioinputfromqt.h"

#include <QAudioInput>
#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDebug>
#include <QThread>
#include <QTimer>

extern "C" {
#include <libavutil/time.h>
}

namespace {
const int BLOCK_BYTES = 4096;
// The sound system's default hands sound over in blocks of about two seconds, which
// would be that late and lost at a stop; small blocks keep it close to the picture.
const int BUFFER_MS = 40;
// The sound is looked for this often (ms), beside Qt's own notice once a block has come:
// the moment a block becomes ready tells when it was captured.
const int POLL_MS = 10;
// Longest wait of the worker at a stop or pause for sound captured before it.
const qint64 DRAIN_LIMIT_US = 500000;
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
    m_format.setSampleRate(m_sampleRate);
    m_format.setChannelCount(m_channels);
    m_format.setSampleSize(m_sampleSize);
    m_format.setSampleType(QAudioFormat::SignedInt);
    m_format.setByteOrder(QAudioFormat::LittleEndian);
    m_format.setCodec(QStringLiteral("audio/pcm"));

    const QList<QAudioDeviceInfo> devices = QAudioDeviceInfo::availableDevices(QAudio::AudioInput);
    if (devices.isEmpty()) {
        qDebug() << "No Audio Input Device Available.";
        return false;
    }
    m_deviceInfo = QAudioDeviceInfo();
    for (const QAudioDeviceInfo& device : devices) {
        // An empty name occurs in every text; it would always win.
        if (!device.deviceName().isEmpty() && name.contains(device.deviceName())) {
            m_deviceInfo = device;
            break;
        }
    }
    if (m_deviceInfo.isNull())
        m_deviceInfo = QAudioDeviceInfo::defaultInputDevice();
    qDebug() << "Qt Audio Capture Input Device Name: " << m_deviceInfo.deviceName() << " Camera Name: " << name;
    if (m_deviceInfo.isNull())
        return false;
    m_initialised = true;
    return true;
}

void IAudioInputFromQt::audioInputInfo(int& format, int& rate, int& channels)
{
    format = m_sampleFormat;
    rate = m_sampleRate;
    channels = m_channels;
}

bool IAudioInputFromQt::startCapture()
{
    if (m_deviceInfo.isNull())
        return false;
    if (!m_thread) {
        m_thread = new QThread;
        m_thread->setObjectName(QStringLiteral("microphone"));
        m_thread->start();
        moveToThread(m_thread);
    }
    QMutexLocker lock(&m_startMutex);
    if (m_starting) {
        qWarning() << "the microphone is still held by an earlier start: recording without sound";
        return false;
    }
    const quint64 attempt = ++m_attempts;
    m_awaited = attempt;
    m_starting = true;
    m_answered = false;
    QMetaObject::invokeMethod(this, [this, attempt] { startOnWorker(attempt); }, Qt::QueuedConnection);
    QDeadlineTimer deadline(START_LIMIT_MS);
    while (!m_answered) {
        if (!m_startAnswered.wait(&m_startMutex, deadline))
            break;
    }
    m_awaited = 0;
    if (!m_answered) {
        qWarning() << "the microphone did not start within" << START_LIMIT_MS << "ms: recording without sound";
        return false;
    }
    return m_startResult;
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
        if (awaited) {
            m_answered = true;
            m_startResult = ok;
            m_startAnswered.wakeAll();
        }
    }
    if (!ok)
        return;
    if (!awaited) {
        // Its recording went on without sound: what the microphone gives now belongs to
        // no recording.
        qWarning() << "the microphone started after its recording went on without it: stopped";
        m_input->stop();
        m_device = nullptr;
        return;
    }
    m_poll->start(POLL_MS);
}

bool IAudioInputFromQt::openInput()
{
    finishPending();
    if (!m_input) {
        m_input = new QAudioInput(m_deviceInfo, m_format, this);
        m_input->setBufferSize(m_format.bytesForDuration(BUFFER_MS * 1000));
        m_poll = new QTimer(this);
        m_poll->setTimerType(Qt::PreciseTimer);
        connect(m_poll, &QTimer::timeout, this, &IAudioInputFromQt::readData);
    }
    restartClock();
    m_loss = NoLoss;
    m_silenceNoted = false;
    m_lastSound = av_gettime_relative();
    // Qt's PulseAudio input waits here until the server's stream is ready, which a
    // microphone that gives nothing may never be.
    m_device = m_input->start();
    if (m_device)
        connect(m_device, SIGNAL(readyRead()), this, SLOT(readData()), Qt::UniqueConnection);
    const bool ok = m_device && m_input->error() == QAudio::NoError && m_input->state() != QAudio::StoppedState;
    qDebug() << "open audio device " << m_device << (m_device && m_device->isOpen() ? "true" : "false")
             << (m_device ? m_device->readChannelCount() : 0) << "error" << m_input->error();
    if (!ok) {
        m_input->stop();
        m_device = nullptr;
    }
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
    m_pendingLimit = av_gettime_relative() + DRAIN_LIMIT_US;
    // A suspended or stopped input has nothing more to give.
    const bool delivering = m_input && m_device && m_poll && m_poll->isActive()
                            && m_input->state() != QAudio::StoppedState
                            && m_input->state() != QAudio::SuspendedState;
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
    // The poll timer brings the next look; Qt moves the sound from the sound server on
    // this thread's event loop meanwhile.
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
    const Pending action = m_pending;
    m_pending = Pending::None;
    if (action == Pending::None)
        return;
    if (m_poll)
        m_poll->stop();
    if (action == Pending::Suspend) {
        if (m_input)
            m_input->suspend();
        return;
    }
    if (m_input)
        m_input->stop();
    m_device = nullptr;
    std::function<void()> stopped = std::move(m_stopped);
    m_stopped = nullptr;
    if (stopped)
        stopped();
}

void IAudioInputFromQt::restartClock()
{
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
        m_input->resume();
    m_lastSound = av_gettime_relative();
    if (m_poll && m_device)
        m_poll->start(POLL_MS);
}

bool IAudioInputFromQt::isStop() const
{
    return !m_input || m_input->state() == QAudio::StoppedState;
}

void IAudioInputFromQt::readData()
{
    readAvailable();
    checkPending();
}

void IAudioInputFromQt::readAvailable()
{
    if (!m_input || !m_device)
        return;
    const int frameBytes = qMax(1, m_channels * m_sampleSize / 8);
    const qint64 rate = qMax(1, m_sampleRate);
    // Every sample that is ready was captured before now, so the stretch began at most
    // its length before now; the earliest such bound of all arrivals is the closest.
    const qint64 now = av_gettime_relative();
    const qint64 ready = qMax(0, m_input->bytesReady()) / frameBytes;
    if (ready <= 0) {
        noteSilence(now);
        return;
    }
    m_lastSound = now;
    const qint64 bound = now - (m_samplesRead + ready) * 1000000 / rate;
    if (!m_originKnown) {
        m_origin = bound;
        m_originKnown = true;
    } else {
        m_origin = qMin(bound, m_origin + (now - m_lastEstimate) * DRIFT_US_PER_S / 1000000);
    }
    m_lastEstimate = now;
    // Drain what is there, one block at a time.
    for (;;) {
        const qint64 bytes = qMin<qint64>(m_input->bytesReady(), BLOCK_BYTES) / frameBytes * frameBytes;
        if (bytes <= 0)
            return;
        const qint64 read = m_device->read(m_buffer.data(), bytes);
        if (read <= 0)
            return;
        m_blockCapture = m_origin + m_samplesRead * 1000000 / rate;
        m_samplesRead += read / frameBytes;
        emit sgReadAudioData(m_buffer, int(read), m_channels, m_sampleFormat, m_sampleRate);
    }
}

void IAudioInputFromQt::noteSilence(qint64 now)
{
    // Only while capturing: a pause or a stop has its own reasons to give nothing.
    if (m_silenceNoted || m_pending != Pending::None || !m_poll || !m_poll->isActive()
        || now - m_lastSound < LOSS_LIMIT_US)
        return;
    m_silenceNoted = true;
    Loss loss = NoMoreSound;
    if (m_input->error() != QAudio::NoError) {
        loss = SoundSystemError;
    } else {
        loss = Disconnected;
        for (const QAudioDeviceInfo& device : QAudioDeviceInfo::availableDevices(QAudio::AudioInput)) {
            if (device.deviceName() == m_deviceInfo.deviceName())
                loss = NoMoreSound;
        }
    }
    m_loss = loss;
    qWarning() << "the microphone" << m_deviceInfo.deviceName() << "gave no sound for"
               << (now - m_lastSound) / 1000 << "ms; cause" << loss << "error" << m_input->error();
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
            if (!m_startAnswered.wait(&m_startMutex, deadline))
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
    // The read device belongs to the audio input and goes with it.
    m_device = nullptr;
    delete m_poll;
    m_poll = nullptr;
    if (m_input) {
        m_input->stop();
        delete m_input;
        m_input = nullptr;
    }
    // Back to the application's thread, so the object outlives its worker safely.
    if (QCoreApplication* app = QCoreApplication::instance())
        moveToThread(app->thread());
    qDebug() << "IAudioInputFromQt destroy.";
    QMutexLocker lock(&m_startMutex);
    m_destroyed = true;
    m_startAnswered.wakeAll();
}
