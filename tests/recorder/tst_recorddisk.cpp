// A disk that fills up during a screen recording: the user hears of it at once, with the
// system's reason, the recording ends there, and the file plays up to the failure. The
// full disk is a file-size limit on this process (RLIMIT_FSIZE), so writes past it fail
// with EFBIG; its reason is the one the user must see.
// A folder that cannot be written at all: the recording does not start, and the user
// is told why and which folder, with nothing left behind.

#include <QSignalSpy>
#include <QtTest>
#include <atomic>
#include <cerrno>
#include <cstring>
#include <optional>

#include "customui/ivideorecordframe.h"
#include "ffmpeg/iffmpegapi.h"
#include "iglobal.h"
#include "mediaprobe.h"
#include "noisewidget.h"
#include "pulsedaemon.h"
#include "service/iconfigureservice.h"
#include "testenv.h"
#include "threadtimes.h"

class TestRecordDisk : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanupTestCase();
    void fullDiskEndsTheRecordingAndSaysWhy();
    void unwritableFolderSaysWhyAndWhere_data();
    void unwritableFolderSaysWhyAndWhere();

private:
    PulseDaemon m_pulse;
    QTemporaryDir m_videos;
};

void TestRecordDisk::initTestCase()
{
    QVERIFY2(m_pulse.start(TestEnv::homePath() + QStringLiteral("/run/pulse-disk"), 300),
             "could not start the private PulseAudio server");
    g_camera_info.description = QStringLiteral("Test camera");
    g_video_format = QStringLiteral("mp4");
    IConfigureService::instance()->setVideoPath(m_videos.path());
    IFFmpegApi::instance()->initData();
}

void TestRecordDisk::cleanupTestCase()
{
    IFFmpegApi::destroyInstance();
    m_pulse.stop();
}

void TestRecordDisk::fullDiskEndsTheRecordingAndSaysWhy()
{
    IFFmpegApi* api = IFFmpegApi::instance();
    QWidget window;
    window.resize(1200, 900);
    NoiseWidget noise(&window);
    noise.setGeometry(window.rect());
    IVideoRecordFrame frame(nullptr, &window);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QSignalSpy finished(api, &IFFmpegApi::sgRecordVideo);
    TestEnv::clearMessages();

    frame.setFrameVisible(true);
    frame.onRegionClick(true, 4);
    QElapsedTimer recording;
    frame.onControlClick(false, 6);  // Start
    recording.start();
    QVERIFY(api->isRecording());
    const QString path = api->outputPath();
    QTRY_VERIFY_WITH_TIMEOUT(QFileInfo(path).size() > 0 && recording.elapsed() >= 1000, 10000);

    // Room for about two more seconds of the noise.
    const qint64 room = QFileInfo(path).size() + 400 * 1024;
    // ms since the start; the write that fails is seen where it fails, as the file that
    // reached the limit is soon cut back to its last whole fragment.
    // The window's thread waiting for a CPU on a busy machine delays the telling too: that
    // wait, from the failure on, is left out.
    std::atomic<qint64> failedAt{-1};
    std::atomic<qint64> queuedAtFailure{0};
    const QString windowThread = QStringLiteral("/proc/self/task/%1/schedstat").arg(gettid());
    const QMetaObject::Connection failing = connect(
        &api->outputStream(), &ICAVOutputStream::sgWriteFailed, this,
        [&] {
            queuedAtFailure = ThreadTimes::of(windowThread).queued;
            failedAt = recording.elapsed();
        },
        Qt::DirectConnection);
    qint64 toldAt = -1;
    qint64 starvedMs = 0;
    {
        TestEnv::FileSizeLimit full(room);
        QElapsedTimer waited;
        waited.start();
        while (toldAt < 0 && waited.elapsed() < 60000 && (failedAt < 0 || recording.elapsed() - failedAt < 3000)) {
            if (toldAt < 0 && !TestEnv::messages().isEmpty()) {
                toldAt = recording.elapsed();
                if (failedAt >= 0)
                    starvedMs = (ThreadTimes::of().queued - queuedAtFailure) / 1000000;
            }
            QTest::qWait(5);
        }
    }
    disconnect(failing);
    QVERIFY2(failedAt >= 0, "no write failed");
    const QString timing = QStringLiteral("failed at %1 ms, told at %2 ms (window thread without a CPU %3 ms)")
                               .arg(failedAt.load()).arg(toldAt).arg(starvedMs);
    qInfo() << timing;
    QVERIFY2(toldAt >= 0 && toldAt - failedAt - starvedMs <= 1000, qPrintable(timing));
    const QString reason = QString::fromLocal8Bit(std::strerror(EFBIG));
    QCOMPARE(TestEnv::messages().size(), 1);
    const QString message = TestEnv::messages().at(0);
    QVERIFY2(message.contains(reason) && message.contains(QFileInfo(path).fileName()), qPrintable(message));

    // The recording has ended: no clock, no brackets, nothing more asked of the user.
    QVERIFY(!api->isRecording());
    QVERIFY(!frame.isVisible());
    const int seconds = frame.elapsedSeconds();
    QTest::qWait(1500);
    QCOMPARE(frame.elapsedSeconds(), seconds);
    QTRY_VERIFY_WITH_TIMEOUT(!api->isFinalising(), 60000);
    frame.stopVideoRecord();
    QCOMPARE(TestEnv::messages().size(), 1);
    QCOMPARE(finished.count(), 0);

    // What was written stays and plays up to the failure (a fragment and a queue short),
    // cut back to its last whole fragment: a file that ends inside one may not open.
    QVERIFY(QFileInfo(path).size() < room);
    QVERIFY(boxesEndWithFile(path));
    const MediaProbe probe = probeMedia(path);
    QVERIFY(probe.opened);
    QVERIFY(probe.videoPackets > 0);
    QVERIFY2(probe.decodedFrames >= probe.videoPackets - 1,
             qPrintable(QStringLiteral("%1 of %2").arg(probe.decodedFrames).arg(probe.videoPackets)));
    qInfo() << probe.decodedSeconds << "s decoded";
    QVERIFY2(probe.decodedSeconds >= failedAt / 1000.0 - 1.5,
             qPrintable(QStringLiteral("%1 s decoded, %2").arg(probe.decodedSeconds).arg(timing)));
}

void TestRecordDisk::unwritableFolderSaysWhyAndWhere_data()
{
    QTest::addColumn<QString>("locked");  // made read-only first, when given
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("error");
    const QString locked = QStringLiteral("locked");
    QTest::newRow("read-only folder") << locked << locked << EACCES;
    QTest::newRow("missing folder in a read-only one") << locked << QStringLiteral("locked/videos") << EACCES;
    QTest::newRow("folder below a file") << QString() << QStringLiteral("plain.txt/videos") << ENOTDIR;
}

void TestRecordDisk::unwritableFolderSaysWhyAndWhere()
{
    QFETCH(QString, locked);
    QFETCH(QString, name);
    QFETCH(int, error);
    const QString reason = QString::fromLocal8Bit(std::strerror(error));
    QTemporaryDir base;
    const QString folder = base.filePath(name);
    const QString plain = base.filePath(QStringLiteral("plain.txt"));
    {
        QFile file(plain);
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write("text") == 4);
    }
    std::optional<TestEnv::ReadOnlyFolder> readOnly;
    if (!locked.isEmpty()) {
        QVERIFY(QDir().mkpath(base.filePath(locked)));
        readOnly.emplace(base.filePath(locked));
    }
    // What is wrong with the user's view after a failed start; empty when nothing.
    const auto problem = [&] {
        const QString told = TestEnv::messages().join(QStringLiteral("\n---\n"));
        const bool toldOnce = TestEnv::messages().size() == 1 &&
                              told.startsWith(QStringLiteral("Initialization output failed")) &&
                              told.contains(reason) && told.contains(QDir::toNativeSeparators(folder));
        // No file, not even an empty one, and the file beside untouched.
        const QStringList left = QDir(folder).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden);
        if (toldOnce && left.isEmpty() && QFileInfo(plain).size() == 4)
            return QString();
        return QStringLiteral("told: %1; left in the folder: %2").arg(told, left.join(QStringLiteral(", ")));
    };

    IFFmpegApi* api = IFFmpegApi::instance();
    QSignalSpy finished(api, &IFFmpegApi::sgRecordVideo);
    QSignalSpy codes(api, &IFFmpegApi::recordMessage);
    TestEnv::clearMessages();
    QVERIFY(!api->startRecordVideo(folder, QRect(0, 0, 640, 480)));
    QVERIFY(!api->isRecording());
    QVERIFY2(problem().isEmpty(), qPrintable(problem()));

    // The same start from the recording bar: the box, and the bar gone.
    QWidget window;
    window.resize(800, 600);
    IVideoRecordFrame frame(nullptr, &window);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    IConfigureService::instance()->setVideoPath(folder);
    TestEnv::clearMessages();
    frame.setFrameVisible(true);
    frame.onRegionClick(true, 4);
    frame.onControlClick(false, 6);  // Start
    QVERIFY(!api->isRecording());
    QVERIFY(!frame.isVisible());
    QVERIFY2(problem().isEmpty(), qPrintable(problem()));
    QTest::qWait(500);
    QCOMPARE(finished.count(), 0);
    // Each of the two starts reports only that it did not start.
    QCOMPARE(codes.count(), 2);
    for (const QList<QVariant>& code : codes)
        QCOMPARE(code.at(0).toInt(), 3);
    QCOMPARE(TestEnv::messages().size(), 1);
    IConfigureService::instance()->setVideoPath(m_videos.path());
}

OCUMETRA_TEST_MAIN(TestRecordDisk)

#include "tst_recorddisk.moc"
