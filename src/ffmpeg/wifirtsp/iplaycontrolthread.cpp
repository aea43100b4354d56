#include "ffmpeg/wifirtsp/iplaycontrolthread.h"

#include <QDebug>
#include <QMutexLocker>
#include <QTimer>

namespace {
constexpr int kFillFrames = 10;
constexpr int kFillTickMs = 10;
}

IPlayControlThread::IPlayControlThread(QObject* parent)
    : QThread(parent)
{
}

IPlayControlThread::~IPlayControlThread()
{
    requestInterruption();
    quit();
    wait();
}

void IPlayControlThread::addFrame(const QImage& frame)
{
    QMutexLocker lock(&m_mutex);
    m_frames.append(frame);
    while (m_frames.size() > kMaxQueuedFrames) {
        m_frames.removeFirst();
        ++m_dropped;
    }
}

int IPlayControlThread::queuedFrames() const
{
    QMutexLocker lock(&m_mutex);
    return m_frames.size();
}

int IPlayControlThread::droppedFrames() const
{
    QMutexLocker lock(&m_mutex);
    return m_dropped;
}

int IPlayControlThread::intervalFor(int framesLeft)
{
    if (framesLeft >= 30)
        return 25;
    if (framesLeft >= 20)
        return 28;
    if (framesLeft >= 10)
        return 33;
    return 40;
}

void IPlayControlThread::run()
{
    {
        QMutexLocker lock(&m_mutex);
        m_frames.clear();
    }
    m_playTimer = new QTimer;
    m_playTimer->setInterval(kFillTickMs);
    connect(m_playTimer, &QTimer::timeout, this, &IPlayControlThread::slPlay, Qt::DirectConnection);
    m_playTimer->start();
    exec();
    m_playTimer->stop();
    delete m_playTimer;
    m_playTimer = nullptr;
    qDebug() << "exit PlayControlThread.";
}

void IPlayControlThread::slPlay()
{
    if (m_filling && queuedFrames() < kFillFrames)
        return;
    m_filling = false;

    QImage frame;
    bool have = false;
    int left = 0;
    {
        QMutexLocker lock(&m_mutex);
        if (!m_frames.isEmpty()) {
            frame = m_frames.takeFirst();
            have = true;
        }
        left = m_frames.size();
    }
    // Emitted outside the lock: a receiver may add frames from its slot.
    if (have)
        emit sgCameraFrame(frame);
    if (m_playTimer)
        m_playTimer->start(intervalFor(left));
}
