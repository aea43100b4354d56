// The ffmpeg child-process recorder: its command lines, the device listing, and a real
// recording of the X screen in segments joined at the stop.

#include <QFile>
#include <QScreen>
#include <QtTest>

#include "opencv/irecordvideo.h"
#include "testenv.h"
#include "videoprobe.h"

namespace {
// The most frames ffmpeg has reported encoding (its progress lines, which the recorder
// logs), so a segment is ended once it holds pictures, however slowly ffmpeg started.
int g_framesReported = 0;
QtMessageHandler g_nextHandler = nullptr;
void watchProgress(QtMsgType type, const QMessageLogContext& context, const QString& text)
{
    static const QRegularExpression frames(QStringLiteral("frame=\\s*(\\d+)"));
    QRegularExpressionMatchIterator it = frames.globalMatch(text);
    while (it.hasNext())
        g_framesReported = qMax(g_framesReported, it.next().captured(1).toInt());
    g_nextHandler(type, context, text);
}
}

class TestRecordVideo : public QObject
{
    Q_OBJECT

    IRecordVideo* recorder() { return IRecordVideo::instance(); }

private slots:
    void initTestCase()
    {
        QVERIFY2(!IRecordVideo::ffmpegProgram().isEmpty(), "the ffmpeg program is needed");
        g_nextHandler = qInstallMessageHandler(watchProgress);
        recorder()->initData();
    }

    void deviceListing()
    {
        const QString text = QStringLiteral(
            "[AVFoundation input device @ 0x1] AVFoundation video devices:\n"
            "[AVFoundation input device @ 0x1] [0] FaceTime HD Camera\n"
            "[AVFoundation input device @ 0x1] [12] Capture screen 0\n"
            "\n"
            "[AVFoundation input device @ 0x1] AVFoundation audio devices:\n"
            "[AVFoundation input device @ 0x1] [0] Built-in Microphone\n"
            "[AVFoundation input device @ 0x1] [10] External Microphone\n"
            "unrelated line [7]\n");
        const IRecordVideo::Devices found = IRecordVideo::parseDeviceListing(text, {"1", "0"});
        QCOMPARE(found.video, QStringLiteral("12"));
        QCOMPARE(found.audio, QStringLiteral("10"));

        // Nothing matching keeps what was there.
        const IRecordVideo::Devices kept = IRecordVideo::parseDeviceListing(QStringLiteral("nothing\n"), {"3", "4"});
        QCOMPARE(kept.video, QStringLiteral("3"));
        QCOMPARE(kept.audio, QStringLiteral("4"));
    }

    void commandLines()
    {
        QCOMPARE(recorder()->getConcatVideoCommand("/c/l.txt", "/v/out.flv"),
                 (QStringList{"-f", "concat", "-safe", "0", "-i", "/c/l.txt", "-c", "copy", "/v/out.flv"}));
        const QStringList unix = recorder()->getRecordVideoCommandForUnix(QStringLiteral("s.flv"));
        const int grab = unix.indexOf(QStringLiteral("x11grab"));
        QVERIFY(grab > 0);
        // The screen is this program's display, never a fixed ":0.0".
        QCOMPARE(unix.at(grab + 6), QStringLiteral("%1+0,0").arg(qEnvironmentVariable("DISPLAY")));
        QCOMPARE(unix.last(), recorder()->cacheFolder() + QStringLiteral("s.flv"));
        const QStringList mac = recorder()->getRecordVideoCommandForMacx(QStringLiteral("s.flv"));
        QCOMPARE(mac.at(mac.indexOf(QStringLiteral("-vf")) + 1), QStringLiteral("crop=640:480:0:0"));
    }

    // A paused and resumed recording: two segments, joined into one video of the first
    // start's rectangle (odd sizes rounded up), announced once the file exists.
    void recordPauseResumeStop()
    {
        QSignalSpy done(recorder(), &IRecordVideo::sgRecordVideo);
        QSignalSpy failed(recorder(), &IRecordVideo::sgRecordFailed);
        const QString prefix = TestEnv::homePath() + QStringLiteral("/rec-");
        g_framesReported = 0;
        QVERIFY(recorder()->startRecordVideo(prefix, QRect(8, 8, 319, 239)));
        QCOMPARE(recorder()->recordRect(), QRect(8, 8, 320, 240));
        QVERIFY(!recorder()->startRecordVideo(prefix, QRect(0, 0, 100, 100))); // already recording
        const QString list = recorder()->listFilePath();
        QTRY_VERIFY_WITH_TIMEOUT(g_framesReported >= 10, 30000);
        recorder()->pauseRecordVideo();
        QVERIFY(!recorder()->isRecording());
        g_framesReported = 0;
        QVERIFY(recorder()->startRecordVideo(QStringLiteral("/elsewhere/"), QRect(0, 0, 100, 100)));
        QCOMPARE(recorder()->recordRect(), QRect(8, 8, 320, 240));
        QTRY_VERIFY_WITH_TIMEOUT(g_framesReported >= 10, 30000);
        recorder()->pauseRecordVideo();

        QFile listFile(list);
        QVERIFY(listFile.open(QIODevice::ReadOnly));
        const QList<QByteArray> lines = listFile.readAll().split('\n');
        QCOMPARE(lines.size(), 3); // two lines and the empty entry after the last newline
        QVERIFY(lines.at(0).startsWith("file '") && lines.at(0) < lines.at(1));

        recorder()->stopRecordVideo(); // stop while paused: nothing to quit, just join
        QTRY_COMPARE_WITH_TIMEOUT(done.size() + failed.size(), 1, 20000);
        QCOMPARE(failed.size(), 0);
        const QString video = done.at(0).at(0).toString();
        QVERIFY(video.startsWith(prefix));
        const VideoProbe probe = probeVideo(video);
        QVERIFY(probe.opened);
        QCOMPARE(probe.width, 320);
        QCOMPARE(probe.height, 240);
        QVERIFY2(probe.packets >= 15, qPrintable(QString::number(probe.packets)));
        QVERIFY(!recorder()->isRecording());
    }

    // A join that fails is reported as a failure, never as a saved video, and the next
    // start is not ignored.
    void failuresAreReported()
    {
        QSignalSpy done(recorder(), &IRecordVideo::sgRecordVideo);
        QSignalSpy failed(recorder(), &IRecordVideo::sgRecordFailed);
        const QByteArray display = qgetenv("DISPLAY");
        // No such screen, for anyone: no server can listen in this test's own folder.
        qputenv("DISPLAY", QFile::encodeName(TestEnv::homePath()) + "/no-screen:0");
        QVERIFY(recorder()->startRecordVideo(TestEnv::homePath() + QStringLiteral("/bad-"), QRect(0, 0, 64, 64)));
        QTest::qWait(500);
        recorder()->stopRecordVideo();
        qputenv("DISPLAY", display);
        QTRY_COMPARE_WITH_TIMEOUT(failed.size(), 1, 20000);
        QCOMPARE(done.size(), 0);
        QVERIFY(!recorder()->isRecording());

        const QByteArray path = qgetenv("PATH");
        qputenv("PATH", "/nonexistent");
        const bool started = recorder()->startRecordVideo(QStringLiteral("/tmp/x-"), QRect(0, 0, 64, 64));
        qputenv("PATH", path);
        QVERIFY(!started);
        QCOMPARE(failed.size(), 2);
        QVERIFY(!recorder()->isRecording());
    }

    void cleanupTestCase() { IRecordVideo::destroyInstance(); }
};

OCUMETRA_TEST_MAIN(TestRecordVideo)
#include "tst_recordvideo.moc"
