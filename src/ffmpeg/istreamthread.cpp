#include "ffmpeg/istreamthread.h"

#include <QDebug>

IStreamThread::IStreamThread(QObject* parent)
    : QThread(parent)
{
}

IStreamThread::~IStreamThread()
{
    destroyThread();
}

void IStreamThread::setSleepTime(const int& ms)
{
    m_sleepTime = ms;
}

void IStreamThread::stopThread()
{
    m_running = false;
}

void IStreamThread::destroyThread()
{
    m_running = false;
    if (isRunning()) {
        quit();
        wait();
        qDebug() << "thread exit: " << QThread::currentThreadId();
    }
}

void IStreamThread::startThread()
{
    // Set before the thread runs: a stop issued right after this call must not be undone.
    m_running = true;
    start();
}

void IStreamThread::run()
{
    do {
        emit sgReadStream();
        const int ms = m_sleepTime;
        if (ms > 0)
            msleep(ulong(ms));
    } while (m_running);
    qDebug() << "stop encode thread";
}
