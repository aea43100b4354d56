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

}

#endif
