#include <QLabel>
#include <QScreen>
#include <QSignalSpy>
#include <QtTest>
#include <csignal>
#include <sys/resource.h>
#include <unistd.h>

#include "ffmpeg/iaudioinputfromqt.h"
#include "ffmpeg/icavinputstream.h"
#include "ffmpeg/icavoutputstream.h"
#include "ffmpeg/iffmpegapi.h"
#include "ffmpeg/istreamthread.h"
#include "iglobal.h"
#include "mediaprobe.h"
#include "noisewidget.h"
#include "pulsedaemon.h"
#include "screenpattern.h"
#include "screensetup.h"
#include "stillpage.h"
#include "testenv.h"
#include "videoprobe.h"

namespace {

bool withoutMicrophone()
{
    return qEnvironmentVariableIsSet("OCUMETRA_TEST_NO_MIC");
}

}

class TestScreenRecord : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanupTestCase();
    void init();

    void regionIsEvenAndOnScreen();
    void recordsSelectionOnEveryScreen();
    void tickThreadTicksOnceEvenWhenStoppedAtOnce();
    void recordsRegionWithSound();
    void pauseRemovesThePausedSpan();
    void startDuringFinalisingIsRefused();
    void writeFailureIsReportedNotAnnounced();
    void shutdownFinalisesARunningRecording();
    void deletedRecorderEndsItsEncoderFirst();
    void killedRecordingStillPlays();
    void killedStillPictureLosesOnlyTheLastSeconds();
    void failedOutputLeavesNothingOpen();
    void sameSecondGetsItsOwnName();
    void pictureQueueIsBounded();
    void noMicrophoneGivesVideoOnly();

private:
    QString record(int ms, const QRect& region, bool* announcedComplete = nullptr);
    // What the capture handed to the encoder: the end of its last picture and of its last
    // sound, in seconds of the recording. A busy machine starts and ends the capture late,
    // so these, not the wall clock, are what the file must hold.
    double takenPictures() const { return m_pictureEnd / 1e6; }
    double takenSound() const { return qMax(m_pictureEnd.load(), m_soundEnd.load()) / 1e6; }
    // The file's length against what was taken: within 10 %, also for the sound.
    void compareWithTaken(const MediaProbe& probe, bool sound);
    // Microseconds of the recording, from the capture's stamps.
    std::atomic<qint64> m_pictureEnd{0};
    std::atomic<qint64> m_soundEnd{0};

    PulseDaemon m_pulse;
    QTemporaryDir m_videos;
    NoiseWidget m_noise;
};

void TestScreenRecord::initTestCase()
{
    const QString screens = screenSetupProblem();
    QVERIFY2(screens.isEmpty(), qPrintable(screens));
    if (!withoutMicrophone()) {
        QVERIFY2(m_pulse.start(TestEnv::homePath() + QStringLiteral("/run/pulse-test"), 300),
                 "could not start the private PulseAudio server");
    } else {
        // No sound server at all, not even the machine's own.
        qputenv("PULSE_SERVER", QFile::encodeName(TestEnv::homePath() + QStringLiteral("/run/none")));
    }
    g_camera_info.description = QStringLiteral("Test camera");
    g_video_format = QStringLiteral("mp4");
    IFFmpegApi::instance()->initData();
    const ICAVInputStream* input = &IFFmpegApi::instance()->inputStream();
    connect(input, &ICAVInputStream::sgWriteVideoFrame, this,
            [this](AVFrame*, qint64 stamp) { m_pictureEnd = qMax(m_pictureEnd.load(), stamp); }, Qt::DirectConnection);
    connect(input, &ICAVInputStream::sgWriteAudioFrame, this, [this](AVFrame* frame, qint64 stamp) {
        if (frame->sample_rate > 0)
            m_soundEnd = qMax(m_soundEnd.load(), stamp + qint64(frame->nb_samples) * 1000000 / frame->sample_rate);
    }, Qt::DirectConnection);
    m_noise.setGeometry(0, 0, 800, 600);
    m_noise.show();
    QVERIFY(QTest::qWaitForWindowExposed(&m_noise));
}

void TestScreenRecord::cleanupTestCase()
{
    IFFmpegApi::destroyInstance();
    m_pulse.stop();
}

void TestScreenRecord::init()
{
    TestEnv::clearMessages();
    m_pictureEnd = 0;
    m_soundEnd = 0;
}

void TestScreenRecord::compareWithTaken(const MediaProbe& probe, bool sound)
{
    const QString times = QStringLiteral("picture %1 of %2, sound %3 of %4")
                              .arg(probe.videoSeconds).arg(takenPictures())
                              .arg(probe.audioSeconds).arg(takenSound());
    QVERIFY2(takenPictures() > 0, "no picture was taken");
    QVERIFY2(qAbs(probe.videoSeconds - takenPictures()) <= 0.1 * takenPictures(), qPrintable(times));
    if (sound)
        QVERIFY2(qAbs(probe.audioSeconds - takenSound()) <= 0.1 * takenSound(), qPrintable(times));
}

QString TestScreenRecord::record(int ms, const QRect& region, bool* announcedComplete)
{
    IFFmpegApi* api = IFFmpegApi::instance();
    QSignalSpy finished(api, &IFFmpegApi::sgRecordVideo);
    QMetaObject::Connection check;
    if (announcedComplete) {
        *announcedComplete = false;
        // At the moment of the announcement the file must already be whole.
        check = connect(api, &IFFmpegApi::sgRecordVideo, this, [=](const QString& path) {
            const MediaProbe probe = probeMedia(path);
            *announcedComplete = !api->isFinalising() && probe.opened && probe.videoPackets > 0;
        });
    }
    if (!api->startRecordVideo(m_videos.path(), region))
        return QString();
    QElapsedTimer span;
    span.start();
    // A stop before the first picture keeps no file: a busy machine may take long for it.
    (void)QTest::qWaitFor([&] { return span.elapsed() >= ms && api->outputStream().videoFramesWritten() > 0; },
                          60000);
    api->stopRecordVideo();
    const bool done = finished.wait(60000) || finished.count() == 1;
    disconnect(check);
    return done ? finished.at(0).at(0).toString() : QString();
}

void TestScreenRecord::regionIsEvenAndOnScreen()
{
    const QRect desktop(0, 0, 1920, 1080);
    QCOMPARE(ICAVInputStream::normaliseRect(QRect(10, 20, 801, 601), desktop, 1, desktop), QRect(10, 20, 802, 602));
    // Past the right edge: moved left to end at the edge, width kept.
    QCOMPARE(ICAVInputStream::normaliseRect(QRect(1500, 0, 640, 480), desktop, 1, desktop),
             QRect(1280, 0, 640, 480));
    // Negative positions and an oversized region are brought onto the screen.
    QCOMPARE(ICAVInputStream::normaliseRect(QRect(-30, -5, 4000, 301), desktop, 1, desktop),
             QRect(0, 0, 1920, 302));
    QCOMPARE(ICAVInputStream::normaliseRect(QRect(10, 20, 100, 50), QRect(0, 0, 960, 540), 2, desktop),
             QRect(20, 40, 200, 100));
    // A right-hand screen of ratio 2 beside one of ratio 1 (5760 x 2160 device pixels): its
    // origin stays where it is in device pixels, only what lies beyond it is doubled.
    const QRect pair(0, 0, 5760, 2160);
    const QRect right(1920, 0, 1920, 1080);
    QCOMPARE(ICAVInputStream::normaliseRect(QRect(2480, 240, 800, 600), right, 2, pair),
             QRect(3040, 480, 1600, 1200));
    // Past that screen's bottom: moved up inside the desktop.
    QCOMPARE(ICAVInputStream::normaliseRect(QRect(3000, 900, 800, 600), right, 2, pair),
             QRect(4080, 960, 1600, 1200));
    // A screen at a ratio of 1.5: sides still even.
    QCOMPARE(ICAVInputStream::normaliseRect(QRect(1930, 10, 101, 51), QRect(1920, 0, 1280, 720), 1.5,
                                            QRect(0, 0, 3840, 1080)),
             QRect(1935, 15, 152, 78));
}

void TestScreenRecord::recordsSelectionOnEveryScreen()
{
    // On each monitor, scaled or not, the file holds what the screen shows in the
    // selection, in that screen's device pixels.
    for (QScreen* screen : QGuiApplication::screens()) {
        const QRect geometry = screen->geometry();
        const qreal ratio = screen->devicePixelRatio();
        const QRect selection(geometry.topLeft() + QPoint(560, 240), QSize(800, 600));
        QLabel page;
        page.setWindowFlags(Qt::FramelessWindowHint);
        page.setGeometry(selection.adjusted(-60, -40, 60, 40));
        page.setPixmap(blockPattern(page.size(), ratio));
        page.show();
        QVERIFY(QTest::qWaitForWindowExposed(&page));
        QCOMPARE(page.windowHandle()->screen(), screen);
        const QPoint at = selection.topLeft() - geometry.topLeft();
        const QImage pattern = page.pixmap(Qt::ReturnByValue).toImage().convertToFormat(QImage::Format_RGB32).copy(
            QRectF(QPointF(60, 40) * ratio, QSizeF(800, 600) * ratio).toRect());
        QImage shown;
        // The screen shows the page once it has painted it.
        QTRY_VERIFY_WITH_TIMEOUT(
            meanDifference(shown = screen->grabWindow(0, at.x(), at.y(), 800, 600).toImage().convertToFormat(
                               QImage::Format_RGB32),
                           pattern) < 8.0,
            10000);

        const QString path = record(1500, selection);
        QVERIFY2(!path.isEmpty(), qPrintable(screen->name()));
        const VideoProbe probe = probeVideo(path);
        QVERIFY(probe.opened);
        QCOMPARE(probe.lastFrame.size(), shown.size());
        const double difference = meanDifference(probe.lastFrame, shown);
        QVERIFY2(difference < 8.0, qPrintable(QStringLiteral("%1 at ratio %2: %3 of 255 off the screen")
                                                  .arg(screen->name()).arg(ratio).arg(difference)));
    }
}

void TestScreenRecord::tickThreadTicksOnceEvenWhenStoppedAtOnce()
{
    IStreamThread thread;
    QAtomicInt ticks = 0;
    connect(&thread, &IStreamThread::sgReadStream, &thread, [&] { ticks.fetchAndAddOrdered(1); },
            Qt::DirectConnection);
    thread.setSleepTime(5);
    thread.startThread();
    thread.stopThread();  // a stop right after the start is not undone by the thread
    QVERIFY(thread.wait(5000));
    QCOMPARE(int(ticks), 1);
}

void TestScreenRecord::recordsRegionWithSound()
{
    if (withoutMicrophone())
        QSKIP("needs the microphone");
    bool complete = false;
    const QString path = record(3000, QRect(101, 51, 301, 201), &complete);
    QVERIFY(!path.isEmpty());
    QVERIFY(QFileInfo(path).fileName().endsWith(QStringLiteral(".mp4")));
    QVERIFY2(complete, "announced before the file was finalised");
    // The microphone was read on its own worker, never on this (the GUI) thread.
    QVERIFY(IAudioInputFromQt::instance()->thread() != QThread::currentThread());
    const MediaProbe probe = probeMedia(path);
    QVERIFY(probe.opened);
    QCOMPARE(probe.videoCodec, AV_CODEC_ID_H264);
    QCOMPARE(probe.width, 302);
    QCOMPARE(probe.height, 202);
    QCOMPARE(probe.audioCodec, AV_CODEC_ID_AAC);
    compareWithTaken(probe, true);
    // Every picture queued before the stop was encoded and the encoder was flushed.
    QCOMPARE(probe.decodedFrames, probe.videoPackets);
    QCOMPARE(qint64(probe.videoPackets), IFFmpegApi::instance()->outputStream().videoFramesWritten());
    QVERIFY(TestEnv::messages().isEmpty());
}

void TestScreenRecord::pauseRemovesThePausedSpan()
{
    IFFmpegApi* api = IFFmpegApi::instance();
    QSignalSpy finished(api, &IFFmpegApi::sgRecordVideo);
    QVERIFY(api->startRecordVideo(m_videos.path(), QRect(0, 0, 320, 240)));
    QElapsedTimer clock;
    clock.start();
    (void)QTest::qWaitFor(
        [&] { return clock.elapsed() >= 1500 && api->outputStream().videoFramesWritten() > 0; }, 60000);
    api->pauseRecordVideo(false);  // a resume without a pause changes nothing
    api->pauseRecordVideo(true);
    double running = clock.restart() / 1000.0;
    QTest::qWait(2000);
    api->pauseRecordVideo(true);   // nor does a second pause
    api->pauseRecordVideo(false);
    const double paused = clock.restart() / 1000.0;
    QTest::qWait(1500);
    api->stopRecordVideo();
    running += clock.elapsed() / 1000.0;
    QVERIFY(finished.wait(60000));
    const MediaProbe probe = probeMedia(finished.at(0).at(0).toString());
    QVERIFY(probe.opened);
    compareWithTaken(probe, !withoutMicrophone());
    // The paused span is not in the recording's time: nothing taken lies past the time
    // that ran (a busy machine may take less).
    QVERIFY2(takenSound() <= running * 1.1,
             qPrintable(QStringLiteral("%1 taken of %2 (paused %3)").arg(takenSound()).arg(running).arg(paused)));
}

void TestScreenRecord::startDuringFinalisingIsRefused()
{
    IFFmpegApi* api = IFFmpegApi::instance();
    QSignalSpy finished(api, &IFFmpegApi::sgRecordVideo);
    QVERIFY(api->startRecordVideo(m_videos.path(), QRect(0, 0, 640, 480)));
    const QString first = api->outputPath();
    QVERIFY(!api->startRecordVideo(m_videos.path(), QRect(0, 0, 640, 480)));  // while recording
    QCOMPARE(api->outputPath(), first);
    QTRY_VERIFY_WITH_TIMEOUT(api->outputStream().videoFramesWritten() > 0, 20000);
    api->stopRecordVideo();
    QVERIFY(api->isFinalising());
    QVERIFY(!api->startRecordVideo(m_videos.path(), QRect(0, 0, 640, 480)));  // while draining
    QCOMPARE(finished.count(), 0);
    QVERIFY(finished.wait(60000));
    QCOMPARE(finished.at(0).at(0).toString(), first);

    // Once finished, the next recording starts, under a name of its own even within the
    // same second.
    QVERIFY(api->startRecordVideo(m_videos.path(), QRect(0, 0, 640, 480)));
    QVERIFY(api->outputPath() != first);
    // A recording without a picture is not saved.
    QTRY_VERIFY_WITH_TIMEOUT(api->outputStream().videoFramesWritten() > 0, 20000);
    api->stopRecordVideo();
    QVERIFY(finished.wait(60000));
    QVERIFY(probeMedia(first).videoPackets > 0);
    QVERIFY(probeMedia(finished.at(1).at(0).toString()).opened);
}

void TestScreenRecord::writeFailureIsReportedNotAnnounced()
{
    IFFmpegApi* api = IFFmpegApi::instance();
    QSignalSpy finished(api, &IFFmpegApi::sgRecordVideo);
    QVERIFY(api->startRecordVideo(m_videos.path(), QRect(0, 0, 800, 600)));
    const QString path = api->outputPath();
    // A full disk: from now on no file of this process may grow past a few kilobytes.
    std::signal(SIGXFSZ, SIG_IGN);
    rlimit old{};
    getrlimit(RLIMIT_FSIZE, &old);
    rlimit small = old;
    small.rlim_cur = 4096;
    QCOMPARE(setrlimit(RLIMIT_FSIZE, &small), 0);
    QTRY_VERIFY_WITH_TIMEOUT(!TestEnv::messages().isEmpty(), 30000);
    api->stopRecordVideo();
    QTRY_VERIFY_WITH_TIMEOUT(!api->isFinalising(), 60000);
    setrlimit(RLIMIT_FSIZE, &old);
    QCOMPARE(finished.count(), 0);
    QCOMPARE(TestEnv::messages().size(), 1);
    QVERIFY(TestEnv::messages().at(0).contains(QFileInfo(path).fileName()));
}

void TestScreenRecord::shutdownFinalisesARunningRecording()
{
    // The window's shutdown (and a termination signal, which runs it) calls destoryRecord.
    IFFmpegApi* api = IFFmpegApi::instance();
    QSignalSpy finished(api, &IFFmpegApi::sgRecordVideo);
    QVERIFY(api->startRecordVideo(m_videos.path(), QRect(0, 0, 400, 300)));
    const QString path = api->outputPath();
    QTRY_VERIFY_WITH_TIMEOUT(takenPictures() >= 1.5, 30000);
    api->destoryRecord();
    QVERIFY(!api->isRecording());
    QVERIFY(!api->isFinalising());
    const MediaProbe probe = probeMedia(path);
    QVERIFY(probe.opened);
    QVERIFY2(probe.videoSeconds >= 1.2, qPrintable(QString::number(probe.videoSeconds)));
    QCOMPARE(probe.decodedFrames, probe.videoPackets);
    QCOMPARE(finished.count(), 0);  // the closing window shows no box
}

void TestScreenRecord::deletedRecorderEndsItsEncoderFirst()
{
    // A recorder deleted while it records, with no stop first: the encoder thread must end
    // before the output it writes into is destroyed, and the file is finalised.
    class Recorder : public IFFmpegApi
    {
    public:
        Recorder() = default;
        ~Recorder() override = default;
    };
    auto* recorder = new Recorder;
    QVERIFY(recorder->startRecordVideo(m_videos.path(), QRect(0, 0, 320, 240)));
    const QString path = recorder->outputPath();
    QTRY_VERIFY_WITH_TIMEOUT(recorder->outputStream().videoFramesWritten() >= 10, 30000);
    delete recorder;
    const MediaProbe probe = probeMedia(path);
    QVERIFY(probe.opened);
    QVERIFY(probe.videoPackets >= 10);
    QCOMPARE(probe.decodedFrames, probe.videoPackets);
}

void TestScreenRecord::killedRecordingStillPlays()
{
    // A child process records and is killed without warning; the fragments written so far
    // must play.
    QTemporaryDir folder;
    QProcess child;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("OCUMETRA_TEST_RECORD_INTO"), folder.path());
    child.setProcessEnvironment(env);
    child.setProcessChannelMode(QProcess::ForwardedChannels);
    child.start(QCoreApplication::applicationFilePath(), QStringList());
    QVERIFY(child.waitForStarted(10000));
    // Wait until a few fragments are in the file.
    QString path;
    QTRY_VERIFY_WITH_TIMEOUT(!(path = QDir(folder.path()).entryList({"*.mp4"}).value(0)).isEmpty(), 30000);
    path = folder.path() + QLatin1Char('/') + path;
    QTRY_VERIFY_WITH_TIMEOUT(probeMedia(path).videoSeconds >= 3.5, 60000);
    ::kill(pid_t(child.processId()), SIGKILL);
    QVERIFY(child.waitForFinished(10000));
    const MediaProbe probe = probeMedia(path);
    QVERIFY(probe.opened);
    QCOMPARE(probe.videoCodec, AV_CODEC_ID_H264);
    QVERIFY2(probe.videoSeconds >= 3.5, qPrintable(QString::number(probe.videoSeconds)));
    // Only a packet cut by the kill may fail to decode.
    QVERIFY2(probe.decodedFrames >= probe.videoPackets - 1, qPrintable(QString::number(probe.decodedFrames)));
}

void TestScreenRecord::killedStillPictureLosesOnlyTheLastSeconds()
{
    // A still picture gives tiny packets, so nothing but the fragment cut itself makes the
    // file grow; killed at about 8 s, the recording must play to within 2.5 s of the kill.
    QTemporaryDir folder;
    QProcess child;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("OCUMETRA_TEST_RECORD_INTO"), folder.path());
    env.insert(QStringLiteral("OCUMETRA_TEST_RECORD_STILL"), QStringLiteral("1"));
    child.setProcessEnvironment(env);
    child.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    child.start(QCoreApplication::applicationFilePath(), QStringList());
    QVERIFY(child.waitForStarted(10000));
    QTRY_VERIFY_WITH_TIMEOUT(child.canReadLine() || child.state() != QProcess::Running, 60000);
    const QString path = QString::fromUtf8(child.readLine()).trimmed();
    QVERIFY2(QFileInfo(path).isFile(), qPrintable(path));
    QElapsedTimer recorded;
    recorded.start();
    // The first fragments are in the file well before the kill.
    QTRY_VERIFY_WITH_TIMEOUT(probeMedia(path).decodedSeconds >= 3.0, 20000);
    QTest::qWait(int(qMax<qint64>(0, 8000 - recorded.elapsed())));
    ::kill(pid_t(child.processId()), SIGKILL);
    const double atKill = recorded.elapsed() / 1000.0;
    QVERIFY(child.waitForFinished(10000));
    const MediaProbe probe = probeMedia(path);
    QVERIFY(probe.opened);
    QCOMPARE(probe.videoCodec, AV_CODEC_ID_H264);
    qInfo() << "killed at" << atKill << "s," << probe.decodedSeconds << "s decoded";
    QVERIFY2(probe.decodedSeconds >= qMax(5.5, atKill - 2.5),
             qPrintable(QStringLiteral("%1 s decoded, killed at %2 s").arg(probe.decodedSeconds).arg(atKill)));
}

void TestScreenRecord::failedOutputLeavesNothingOpen()
{
    IFFmpegApi* api = IFFmpegApi::instance();
    // A folder that cannot exist: the output fails after the screen was opened.
    QVERIFY(!api->startRecordVideo(QStringLiteral("/proc/ocumetra-none/"), QRect(0, 0, 320, 240)));
    QCOMPARE(TestEnv::messages().size(), 1);
    QVERIFY2(TestEnv::messages().at(0).startsWith(QStringLiteral("Initialization output failed")),
             qPrintable(TestEnv::messages().at(0)));
    QVERIFY(!api->isRecording());
    QVERIFY(!api->isFinalising());
    QVERIFY(api->outputPath().isEmpty() || !api->outputPath().startsWith(QStringLiteral("/proc/")));
    // The devices were released: the next recording opens them again.
    QVERIFY(!record(500, QRect(0, 0, 320, 240)).isEmpty());
}

void TestScreenRecord::sameSecondGetsItsOwnName()
{
    // Files already named for this second and the next: the new one takes "_1".
    QTemporaryDir folder;
    const QDateTime now = QDateTime::currentDateTime();
    for (int s = 0; s < 2; ++s) {
        QFile f(folder.path() + QLatin1Char('/') + now.addSecs(s).toString(QStringLiteral("yyyyMMddhhmmss")) +
                QStringLiteral(".mp4"));
        QVERIFY(f.open(QIODevice::WriteOnly));
    }
    IFFmpegApi* api = IFFmpegApi::instance();
    QSignalSpy finished(api, &IFFmpegApi::sgRecordVideo);
    QVERIFY(api->startRecordVideo(folder.path(), QRect(0, 0, 320, 240)));
    QVERIFY2(api->outputPath().endsWith(QStringLiteral("_1.mp4")), qPrintable(api->outputPath()));
    // A recording without a picture is not saved.
    QTRY_VERIFY_WITH_TIMEOUT(api->outputStream().videoFramesWritten() > 0, 20000);
    api->stopRecordVideo();
    QVERIFY(finished.wait(60000));
    QCOMPARE(QFileInfo(finished.at(0).at(0).toString()).size() > 0, true);
}

void TestScreenRecord::pictureQueueIsBounded()
{
    // The encoder is held up (not started) while pictures come, then writes every picture
    // queued at the stop, each on its own frame slot. A stall within the queue's bounds
    // loses nothing; past the memory bound the pictures lost are spread over the stall,
    // never two in a row; past the kill budget the newest moments wait, one picture a slot.
    // The first picture opens the file at 0 whatever its stamp, so gaps count from the
    // second one.
    struct Stall
    {
        const char* what;
        qint64 stepUs;
        int fed;
        int kept;
        int longestGapSlots;
    };
    const int most = ICAVOutputStream::MAX_QUEUED_PICTURES;
    const qint64 budget = ICAVOutputStream::MAX_QUEUED_MICROSECONDS;
    const Stall stalls[] = {
        {"within the bounds", 20000, most, most, 1},
        {"twice the memory bound", 20000, 2 * most - 1, most, 2},
        {"past the kill budget", budget / 10, 25, 11, 1},
    };
    for (const Stall& s : stalls) {
        QTemporaryDir folder;
        ICAVOutputStream output;
        const int fps = int(1000000 / s.stepUs);
        output.setVideoCodecProp(AV_CODEC_ID_H264, fps, 64 * 48, 100, 64, 48, AV_PIX_FMT_YUV420P);
        const QString path = folder.path() + QStringLiteral("/q.mp4");
        QVERIFY(output.openOutputStream(path));
        IAVFramePtr picture(av_frame_alloc());
        picture->format = AV_PIX_FMT_BGR0;
        picture->width = 64;
        picture->height = 48;
        QVERIFY(av_frame_get_buffer(picture.get(), 0) >= 0);
        for (int n = 0; n < s.fed; ++n) {
            memset(picture->data[0], n * 5, size_t(picture->linesize[0]) * 48);
            output.write_video_frame(picture.get(), n * s.stepUs);
        }
        QVERIFY2(output.videoFramesDropped() == s.fed - s.kept, s.what);
        output.stopEncode();  // asked before the loop runs: still honoured
        QCOMPARE(output.startEncode(), 1);
        QVERIFY2(output.videoFramesWritten() == s.kept, s.what);
        const PacketTimes times = probePacketTimes(path, fps);
        const StreamTimes& v = times.video;
        QVERIFY2(v.packets == s.kept && v.offGrid == 0 && v.outOfOrder == 0, s.what);
        const qint64 slot = v.timeBaseDen / fps;
        QVERIFY2(v.last == (s.fed - 1) * slot, qPrintable(QStringLiteral("%1: the newest picture, slot %2, is at %3")
                                                             .arg(QLatin1String(s.what)).arg(s.fed - 1)
                                                             .arg(double(v.last) / slot)));
        StreamTimes fromSecond = v;
        fromSecond.times.removeFirst();
        QVERIFY2(longestStep(fromSecond) == s.longestGapSlots * slot,
                 qPrintable(QStringLiteral("%1: longest gap %2 slots").arg(QLatin1String(s.what))
                                .arg(double(longestStep(fromSecond)) / slot)));
        QCOMPARE(probeMedia(path).decodedFrames, s.kept);
    }
}

void TestScreenRecord::noMicrophoneGivesVideoOnly()
{
    if (!withoutMicrophone())
        QSKIP("runs in the entry without a sound server");
    const QString path = record(2000, QRect(0, 0, 320, 240));
    QVERIFY(!path.isEmpty());
    const MediaProbe probe = probeMedia(path);
    QCOMPARE(probe.videoCodec, AV_CODEC_ID_H264);
    // The picture does not wait for the microphone: the sound track it kept a place for
    // stays silent, and the recording is told to have no sound.
    QVERIFY(IFFmpegApi::instance()->inputStream().microphoneMissing());
    compareWithTaken(probe, false);
}

// Child mode for the kill tests: record the screen until killed; the still variant
// records an unchanging picture of its own, with sound when a sound server is there.
static int recordUntilKilled(const QString& folder)
{
    const bool still = qEnvironmentVariableIsSet("OCUMETRA_TEST_RECORD_STILL");
    QLabel picture;
    QRect region(0, 0, 320, 240);
    if (still) {
        region = QRect(1000, 100, 320, 240);
        showStillPage(picture, region);
        if (!QTest::qWaitForWindowExposed(&picture))
            return 3;
    }
    // No sound unless asked: the noise child needs no sound server.
    g_camera_info.description = still && !withoutMicrophone() ? QStringLiteral("Test camera") : QString();
    IFFmpegApi::instance()->initData();
    if (!IFFmpegApi::instance()->startRecordVideo(folder, region))
        return 2;
    QTextStream(stdout) << IFFmpegApi::instance()->outputPath() << Qt::endl;
    return QCoreApplication::exec();
}

int main(int argc, char** argv)
{
    TestEnv::prepare();
    QApplication app(argc, argv);
    TestEnv::afterApplication();
    const QString childFolder = qEnvironmentVariable("OCUMETRA_TEST_RECORD_INTO");
    if (!childFolder.isEmpty())
        return recordUntilKilled(childFolder);
    TestScreenRecord tc;
    QTEST_SET_MAIN_SOURCE_PATH
    if (argc > 1 || withoutMicrophone())
        return QTest::qExec(&tc, argc, argv);
    // With a sound server every case runs but the one that needs none, which its own
    // entry runs: a skipped case counts as a failure.
    QStringList names{QString::fromLocal8Bit(argv[0])};
    const QMetaObject* meta = tc.metaObject();
    for (int i = meta->methodOffset(); i < meta->methodCount(); ++i) {
        const QMetaMethod method = meta->method(i);
        const QByteArray name = method.name();
        if (method.methodType() == QMetaMethod::Slot && method.access() == QMetaMethod::Private
            && name != "noMicrophoneGivesVideoOnly" && !name.endsWith("TestCase") && name != "init")
            names << QString::fromLatin1(name);
    }
    return QTest::qExec(&tc, names);
}

#include "tst_screenrecord.moc"
