// The play-out buffer: waits for ten frames, then plays at a rate set by the queue.

#include <QElapsedTimer>
#include <QMutex>
#include <QtTest>

#include <atomic>
#include <memory>

#include "ffmpeg/wifirtsp/iplaycontrolthread.h"
#include "testenv.h"

namespace {
// Records what the play thread emits, with the time of each emission.
struct Collector
{
    QMutex mutex;
    QList<int> numbers;
    QList<qint64> times;
    QElapsedTimer clock;

    explicit Collector(IPlayControlThread* player)
    {
        clock.start();
        QObject::connect(player, &IPlayControlThread::sgCameraFrame, player,
                         [this](const QImage& frame) {
                             QMutexLocker lock(&mutex);
                             numbers << frame.text(QStringLiteral("n")).toInt();
                             times << clock.elapsed();
                         },
                         Qt::DirectConnection);
    }
    int count()
    {
        QMutexLocker lock(&mutex);
        return numbers.size();
    }
};

// run() empties the queue as it starts: frames added before its loop runs may be lost.
bool waitForLoop(IPlayControlThread& player)
{
    auto ran = std::make_shared<std::atomic<bool>>(false);
    auto* probe = new QObject;
    probe->moveToThread(&player);
    QObject::connect(&player, &QThread::finished, probe, &QObject::deleteLater);
    QMetaObject::invokeMethod(probe, [ran, probe] {
        *ran = true;
        probe->deleteLater();
    }, Qt::QueuedConnection);
    return QTest::qWaitFor([&] { return bool(*ran); }, 10000);
}

QImage numbered(int n)
{
    QImage image(4, 4, QImage::Format_RGB32);
    image.fill(QColor(n % 256, 0, 0));
    image.setText(QStringLiteral("n"), QString::number(n));
    return image;
}
}

class TestPlayControl : public QObject
{
    Q_OBJECT

private slots:
    void intervalsByDepth()
    {
        QCOMPARE(IPlayControlThread::intervalFor(0), 40);
        QCOMPARE(IPlayControlThread::intervalFor(9), 40);
        QCOMPARE(IPlayControlThread::intervalFor(10), 33);
        QCOMPARE(IPlayControlThread::intervalFor(20), 28);
        QCOMPARE(IPlayControlThread::intervalFor(29), 28);
        QCOMPARE(IPlayControlThread::intervalFor(30), 25);
    }

    void waitsForTenThenPlaysInOrder()
    {
        IPlayControlThread player;
        Collector played(&player);
        player.start();
        QVERIFY(waitForLoop(player));
        for (int i = 0; i < 9; ++i)
            player.addFrame(numbered(i));
        QTest::qWait(300);
        QCOMPARE(played.count(), 0);

        player.addFrame(numbered(9));
        QTRY_COMPARE_WITH_TIMEOUT(played.count(), 10, 5000);
        QCOMPARE(played.numbers, (QList<int>{0, 1, 2, 3, 4, 5, 6, 7, 8, 9}));
    }

    void playsAtTheSetRate()
    {
        IPlayControlThread player;
        Collector played(&player);
        player.start();
        QVERIFY(waitForLoop(player));
        for (int i = 0; i < 40; ++i)
            player.addFrame(numbered(i));
        QTRY_COMPARE_WITH_TIMEOUT(played.count(), 40, 10000);
        // Timers never fire early: each gap is at least the interval for the frames left
        // after the previous one (39 left: 25 ms ... 9 or fewer: 40 ms).
        QMutexLocker lock(&played.mutex);
        for (int i = 1; i < 40; ++i) {
            const int left = 40 - i;
            const qint64 gap = played.times.at(i) - played.times.at(i - 1);
            QVERIFY2(gap >= IPlayControlThread::intervalFor(left) - 2,
                     qPrintable(QStringLiteral("frame %1: %2 ms").arg(i).arg(gap)));
        }
    }

    // A burst larger than the bound drops the oldest frames and counts them.
    void boundedUnderBurst()
    {
        IPlayControlThread player;
        for (int i = 0; i < IPlayControlThread::kMaxQueuedFrames + 30; ++i)
            player.addFrame(numbered(i));
        QCOMPARE(player.queuedFrames(), IPlayControlThread::kMaxQueuedFrames);
        QCOMPARE(player.droppedFrames(), 30);
    }

    // A receiver on the play thread may add a frame from its slot without deadlock.
    void receiverMayAddFrames()
    {
        IPlayControlThread player;
        int seen = 0;
        connect(&player, &IPlayControlThread::sgCameraFrame, &player,
                [&](const QImage& frame) {
                    ++seen;
                    if (seen == 1)
                        player.addFrame(frame);
                },
                Qt::DirectConnection);
        player.start();
        QVERIFY(waitForLoop(player));
        for (int i = 0; i < 10; ++i)
            player.addFrame(numbered(i));
        QTRY_COMPARE_WITH_TIMEOUT(seen, 11, 5000);
    }
};

OCUMETRA_TEST_MAIN(TestPlayControl)
#include "tst_playcontrol.moc"
