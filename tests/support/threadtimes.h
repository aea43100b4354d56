#ifndef OCUMETRA_TEST_THREADTIMES_H
#define OCUMETRA_TEST_THREADTIMES_H

// How long a thread ran and how long it waited for a CPU, from the scheduler's figures:
// what a test of the window's responsiveness leaves out on a busy machine.

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QHash>
#include <QList>
#include <QString>
#include <time.h>
#include <unistd.h>

namespace ThreadTimes {

// Nanoseconds on a CPU and queued for one.
struct Times
{
    qint64 running = 0;
    qint64 queued = 0;
};

inline Times of(const QString& schedstat = QStringLiteral("/proc/thread-self/schedstat"))
{
    Times times;
    QFile file(schedstat);
    if (file.open(QIODevice::ReadOnly)) {
        const QList<QByteArray> fields = file.readAll().simplified().split(' ');
        if (fields.size() >= 2) {
            times.running = fields.at(0).toLongLong();
            times.queued = fields.at(1).toLongLong();
            return times;
        }
    }
    if (schedstat != QLatin1String("/proc/thread-self/schedstat"))
        return times;
    // Without the scheduler's figures: the CPU time alone.
    timespec cpu{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &cpu);
    times.running = qint64(cpu.tv_sec) * 1000000000 + cpu.tv_nsec;
    return times;
}

// Time each other thread of this process has waited for a CPU, by thread id.
inline QHash<QString, qint64> othersQueued()
{
    QHash<QString, qint64> queued;
    const QString self = QString::number(gettid());
    for (const QString& tid : QDir(QStringLiteral("/proc/self/task")).entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        if (tid != self)
            queued.insert(tid, of(QStringLiteral("/proc/self/task/%1/schedstat").arg(tid)).queued);
    }
    return queued;
}

// Nanoseconds a process has run, its ended threads' time included.
inline qint64 processRunning(qint64 pid)
{
    QFile file(QStringLiteral("/proc/%1/stat").arg(pid));
    if (!file.open(QIODevice::ReadOnly))
        return 0;
    const QByteArray stat = file.readAll();
    // After the command's name (which may hold spaces): state, then utime and stime as
    // the 12th and 13th fields.
    const QList<QByteArray> fields = stat.mid(stat.lastIndexOf(')') + 2).split(' ');
    if (fields.size() < 13)
        return 0;
    const qint64 ticks = fields.at(11).toLongLong() + fields.at(12).toLongLong();
    return ticks * 1000000000 / sysconf(_SC_CLK_TCK);
}

}

#endif
