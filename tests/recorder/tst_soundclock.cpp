// The microphone's capture clock on made-up arrivals, as the sound server hands them over
// (40 ms fragments, a poll every 10 ms): every sample handed on once, each at its capture
// time within a few tens of milliseconds, through arrivals late by up to 60 ms, a clock
// 0.5 % slow or fast, dropouts of 100 and 250 ms, and a stall whose sound comes late but
// whole.

#include <QtTest>
#include <numeric>

#include "ffmpeg/isoundclock.h"

namespace {
const int RATE = 8000;
const qint64 SECOND = 1000000;
}

class TestSoundClock : public QObject
{
    Q_OBJECT
private slots:
    void samplesKeepTheirCaptureTime_data();
    void samplesKeepTheirCaptureTime();
};

void TestSoundClock::samplesKeepTheirCaptureTime_data()
{
    QTest::addColumn<double>("pace");        // above 1: the microphone's clock is slow
    QTest::addColumn<qint64>("jitter");      // arrivals late by up to this much
    QTest::addColumn<QVector<qint64>>("dropouts");  // at 10 s, 20 s, ...: that long without sound
    QTest::addColumn<qint64>("stall");       // at 15 s: held back that long, then 4 times as fast
    QTest::newRow("steady, busy machine") << 1.0 << 60000LL << QVector<qint64>{} << 0LL;
    QTest::newRow("0.5 % slow") << 1.005 << 10000LL << QVector<qint64>{} << 0LL;
    QTest::newRow("0.5 % fast") << 0.995 << 10000LL << QVector<qint64>{} << 0LL;
    QTest::newRow("dropouts, 0.2 % slow") << 1.002 << 10000LL << QVector<qint64>{100000, 250000} << 0LL;
    QTest::newRow("late sound") << 1.0 << 10000LL << QVector<qint64>{} << 2000000LL;
}

void TestSoundClock::samplesKeepTheirCaptureTime()
{
    QFETCH(double, pace);
    QFETCH(qint64, jitter);
    QFETCH(QVector<qint64>, dropouts);
    QFETCH(qint64, stall);
    // When each sample was captured, and when its fragment reached the reader.
    QVector<qint64> captured;
    QVector<qint64> arrives;
    quint32 noise = 1;
    qint64 skipped = 0;
    int applied = 0;
    for (qint64 n = 0; n < 40 * RATE; n += 320) {
        // The microphone gives nothing for a while: what follows is captured that much later.
        if (applied < dropouts.size() && skipped + qint64(n * pace * SECOND / RATE) >= (applied + 1) * 10 * SECOND)
            skipped += dropouts[applied++];
        const qint64 start = skipped + qint64(n * pace * SECOND / RATE);
        const qint64 done = start + qint64(320 * pace * SECOND / RATE);
        noise = noise * 1664525u + 1013904223u;
        qint64 at = done + 2000 + qint64(noise % 1000) * jitter / 1000;
        if (stall > 0 && at >= 15 * SECOND && at < 15 * SECOND + stall * 4 / 3)
            at = 15 * SECOND + stall + (at - 15 * SECOND) / 4;
        for (int i = 0; i < 320; ++i) {
            captured << start + qint64(i * pace * SECOND / RATE);
            arrives << at;
        }
    }
    ISoundClock clock(RATE);
    qint64 handed = 0;
    qint64 told = 0;
    qint64 worst = 0;
    // Looks every 10 ms, and a stop at the end.
    for (qint64 now = 0; now <= 42 * SECOND; now += 10000) {
        qint64 ready = 0;
        while (handed + ready < arrives.size() && arrives[int(handed + ready)] <= now)
            ++ready;
        qint64 dropout = 0;
        const qint64 samples = clock.arrive(now, ready, now == 42 * SECOND, &dropout);
        told += dropout;
        for (qint64 i = 0; i < samples; ++i) {
            const qint64 error = clock.next() + i * SECOND / RATE - captured[int(handed + i)];
            // Within 40 ms of its capture once the first arrivals have set the clock.
            if (captured[int(handed + i)] > SECOND && (error < -15000 || error > 40000))
                QFAIL(qPrintable(QStringLiteral("sample %1 placed %2 ms from its capture").arg(handed + i).arg(error / 1000)));
            worst = qMax(worst, qAbs(error));
        }
        clock.handOn(samples);
        handed += samples;
    }
    qInfo("worst %lld ms; dropouts told %lld ms", worst / 1000, told / 1000);
    QCOMPARE(handed, qint64(arrives.size()));
    const qint64 lost = std::accumulate(dropouts.begin(), dropouts.end(), 0LL);
    QVERIFY2(qAbs(told - lost) < 20000, qPrintable(QStringLiteral("%1 ms of dropouts told").arg(told / 1000)));
}

QTEST_GUILESS_MAIN(TestSoundClock)

#include "tst_soundclock.moc"
