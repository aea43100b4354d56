// A microphone that fails the screen recorder, on a PulseAudio server of the test's own:
// one nobody feeds, one removed in the middle of a recording and added again, and a
// default source that is a monitor of what the computer plays. Start answers at once and
// the silence is told at Stop, the program still ends at SIGTERM, the next Start records
// sound once the microphone delivers, a microphone that comes back is used again at its
// place, the bar tells while it is away and the box tells the gap, and a monitor is never
// recorded. A recording that got no picture is not announced as saved and leaves no file.

#include <QDir>
#include <QLabel>
#include <QElapsedTimer>
#include <QProcess>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QtTest>
#include <atomic>
#include <csignal>
#include <thread>
#include <unistd.h>

#include "avsync.h"
#include "customui/ivideorecordframe.h"
#include "ffmpeg/iaudioinputfromqt.h"
#include "ffmpeg/iffmpegapi.h"
#include "iapplication.h"
#include "iglobal.h"
#include "mediaprobe.h"
#include "pulsedaemon.h"
#include "service/iconfigureservice.h"
#include "testenv.h"
#include "testprogram.h"

namespace {

// Start's bound and what a busy machine adds to it.
const qint64 ANSWER_MS = IAudioInputFromQt::START_LIMIT_MS + 2500;
// When the unfed microphone gets its sound: well after Start's bound.
const int FED_AFTER_MS = 9000;
const char* PROGRAM_ARGUMENT = "--program-with-held-microphone";
const int PROGRAM_STATUS = 7;

void askForSound()
{
    // A named camera asks for sound from the system's default microphone.
    g_camera_info.description = QStringLiteral("Test camera");
    IFFmpegApi::instance()->ffmpegcmdGetDeviceInfo();
}

// Presses the bar's Start and waits for the recording; the milliseconds it took, -1 when
// nothing started.
qint64 startThroughTheBar(IVideoRecordFrame& frame)
{
    frame.setFrameVisible(true);
    frame.onRegionClick(true, 4);
    QElapsedTimer clock;
    clock.start();
    frame.onControlClick(false, 6);
    IFFmpegApi* api = IFFmpegApi::instance();
    if (!QTest::qWaitFor([api] { return api->isRecording(); }, 30000))
        return -1;
    return clock.elapsed();
}

// The recording bar over a shown window.
struct ShownBar
{
    QWidget window;
    IVideoRecordFrame frame{nullptr, &window};
    ShownBar()
    {
        window.resize(1200, 900);
        window.show();
    }
};

// The program's side of terminationEndsTheProgram: Start with a microphone that gives
// nothing, the answer on stdout, then the event loop until a signal ends it.
int runProgram(int argc, char** argv, const QString& videos)
{
    IApplication app(QStringLiteral("OcumetraHeldMicrophoneTest"), argc, argv);
    TestEnv::afterApplication();
    app.handleTerminationSignals();
    IConfigureService::instance()->setVideoPath(videos);
    g_video_format = QStringLiteral("mp4");
    IFFmpegApi::instance()->initData();
    askForSound();
    ShownBar bar;
    const qint64 ms = startThroughTheBar(bar.frame);
    QTextStream(stdout) << "answered " << ms << " ms" << Qt::endl;
    // A status of its own after a clean loop: what main returns survives the way out.
    return QApplication::exec() == 0 ? PROGRAM_STATUS : 1;
}

}

class TestRecordMic : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanupTestCase();
    void shortRecordingWithoutSoundSaysSo();
    void unfedMicrophoneDoesNotHoldUpStart();
    void microphoneBackIsUsedAgain();
    void monitorIsNoMicrophone();
    void terminationEndsTheProgramWithTheMicrophoneHeld();
    void recordingWithoutPictureIsNotSaved();

private:
    PulseDaemon m_pulse;
    AvSync::ToneWriter m_microphone;
    QTemporaryDir m_videos;
};

void TestRecordMic::initTestCase()
{
    QVERIFY(m_videos.isValid());
    // Nobody writes into the pipe yet: the microphone gives nothing.
    QVERIFY2(m_pulse.start(TestEnv::homePath() + QStringLiteral("/run/pulse-mic"), 300, true),
             "could not start the private PulseAudio server");
    g_video_format = QStringLiteral("mp4");
    IConfigureService::instance()->setVideoPath(m_videos.path());
    IFFmpegApi::instance()->initData();
}

void TestRecordMic::cleanupTestCase()
{
    IFFmpegApi::destroyInstance();
    m_microphone.stop();
    m_pulse.stop();
}

// Stopped before the bar could tell the microphone's silence, a recording that got no
// sound at all still says so.
void TestRecordMic::shortRecordingWithoutSoundSaysSo()
{
    IFFmpegApi* api = IFFmpegApi::instance();
    askForSound();
    ShownBar bar;
    QSignalSpy finished(api, &IFFmpegApi::sgRecordVideo);
    QVERIFY(startThroughTheBar(bar.frame) >= 0);
    QTRY_VERIFY_WITH_TIMEOUT(api->outputStream().videoFramesWritten() > 0, 15000);
    bar.frame.stopVideoRecord();
    QVERIFY(finished.wait(60000));
    const QString note = finished.at(0).at(1).toString();
    QVERIFY2(note.startsWith(QStringLiteral("The sound stopped at 00:00 of the recording.")), qPrintable(note));
}

void TestRecordMic::unfedMicrophoneDoesNotHoldUpStart()
{
    IFFmpegApi* api = IFFmpegApi::instance();
    askForSound();
    ShownBar bar;
    IVideoRecordFrame& frame = bar.frame;
    QVERIFY(QTest::qWaitForWindowExposed(&bar.window));
    QSignalSpy finished(api, &IFFmpegApi::sgRecordVideo);

    // The microphone delivers later, from another thread: a Start that waits for it
    // answers only then.
    std::atomic<bool> fed{false};
    const QString pipe = m_pulse.pipePath();
    std::thread feeder([&] {
        QThread::msleep(FED_AFTER_MS);
        fed = m_microphone.start(pipe);
    });
    const qint64 answered = startThroughTheBar(frame);
    // The picture is recorded meanwhile; the microphone's silence is told in the bar, and
    // at the end.
    const QLabel* away = bar.window.findChild<QLabel*>(QStringLiteral("microphoneAway"));
    QVERIFY(away);
    QTRY_VERIFY_WITH_TIMEOUT(away->isVisible() && api->outputStream().videoFramesWritten() > 0, 15000);
    QElapsedTimer stopping;
    stopping.start();
    frame.stopVideoRecord();
    const bool saved = finished.wait(60000);
    const qint64 stopMs = stopping.elapsed();
    feeder.join();
    QVERIFY(fed);
    qInfo("Start answered after %lld ms; Stop to finished %lld ms", answered, stopMs);
    QVERIFY2(answered >= 0 && answered < ANSWER_MS,
             qPrintable(QStringLiteral("Start answered after %1 ms, not within %2 ms").arg(answered).arg(ANSWER_MS)));
    QVERIFY(saved);
    QCOMPARE(finished.at(0).at(1).toString(),
             QStringLiteral("The sound stopped at 00:00 of the recording. The microphone sent no sound."));
    QVERIFY(probeMedia(finished.at(0).at(0).toString()).videoPackets > 0);

    // Once the microphone delivers, the next Start records its sound.
    QTRY_VERIFY_WITH_TIMEOUT(!IAudioInputFromQt::instance()->startPending(), 15000);
    QVERIFY(startThroughTheBar(frame) >= 0);
    QVERIFY2(api->outputStream().hasSound(), "the microphone did not start once it delivered");
    QTRY_VERIFY_WITH_TIMEOUT(api->inputStream().microphoneStarted() && api->outputStream().videoFramesWritten() > 25,
                             15000);
    frame.stopVideoRecord();
    QVERIFY(finished.wait(60000));
    const MediaProbe probe = probeMedia(finished.at(1).at(0).toString());
    QVERIFY(probe.videoPackets > 0);
    QVERIFY(probe.audioPackets > 0);
    QCOMPARE(finished.at(1).at(1).toString(), QString());
}

void TestRecordMic::microphoneBackIsUsedAgain()
{
    IFFmpegApi* api = IFFmpegApi::instance();
    askForSound();
    ShownBar bar;
    IVideoRecordFrame& frame = bar.frame;
    QSignalSpy finished(api, &IFFmpegApi::sgRecordVideo);
    TestEnv::clearMessages();
    QElapsedTimer recording;
    recording.start();
    const qint64 answered = startThroughTheBar(frame);
    QVERIFY(answered >= 0);
    QVERIFY2(api->outputStream().hasSound(), "the microphone did not start");
    QTRY_VERIFY_WITH_TIMEOUT(api->outputStream().videoFramesWritten() > 0 && recording.elapsed() > 2500, 15000);
    // The microphone goes (its pipe closed first); the server moves the stream to the
    // listener's monitor, which is no microphone. The bar says so while it is away.
    const qint64 fedFor = recording.elapsed();
    m_microphone.stop();
    QVERIFY(m_pulse.pactl({QStringLiteral("unload-module"), QStringLiteral("module-pipe-source")}));
    const QLabel* away = bar.window.findChild<QLabel*>(QStringLiteral("microphoneAway"));
    QVERIFY(away);
    QTRY_VERIFY_WITH_TIMEOUT(away->isVisible(), 5000);
    const qint64 awayToldAfter = recording.elapsed() - fedFor;
    QTRY_VERIFY_WITH_TIMEOUT(recording.elapsed() > fedFor + 2000, 5000);
    // Back, with a tone from its first moment: recorded again, at its place.
    QVERIFY(m_pulse.pactl({QStringLiteral("load-module"), QStringLiteral("module-pipe-source"),
                           QStringLiteral("source_name=testmic"), QStringLiteral("file=") + m_pulse.pipePath(),
                           QStringLiteral("format=s16le"), QStringLiteral("rate=8000"), QStringLiteral("channels=1")}));
    QVERIFY(m_microphone.start(m_pulse.pipePath()));
    const qint64 tone = m_microphone.toneAt(av_gettime_relative(), 0);
    const qint64 backAt = recording.elapsed();
    QTRY_VERIFY_WITH_TIMEOUT(!away->isVisible(), 10000);
    const qint64 usedAfter = recording.elapsed() - backAt;
    QTRY_VERIFY_WITH_TIMEOUT(recording.elapsed() > backAt + 2000, 5000);
    frame.stopVideoRecord();
    QVERIFY(finished.wait(60000));
    m_microphone.silence();

    const QString path = QDir::toNativeSeparators(finished.at(0).at(0).toString());
    const QString note = frame.finishedBox()->note();
    const AvSync::Decoded file = AvSync::decode(finished.at(0).at(0).toString());
    const qint64 toneAt = api->inputStream().stampAt(tone);
    const double heard = file.onsetAfter((toneAt - 300000) / 1e6);
    qInfo("microphone removed %lld ms into the recording, told in the bar after %lld ms, back after %lld ms and "
          "used again after %lld ms; its tone is heard %lld ms from its capture; the box says: %s",
          fedFor, awayToldAfter, backAt - fedFor, usedAfter, qint64(heard * 1000) - toneAt / 1000, qPrintable(note));
    QVERIFY2(usedAfter < 2000, "the microphone was not used again within 2 s of its return");
    QVERIFY2(heard >= 0 && qAbs(qint64(heard * 1e6) - toneAt) < 40000, "the sound after the return is not at its place");
    // The gap is told from when the sound stopped (counted from the recording's start, at
    // most as long after the Start as its answer) to its return.
    const QRegularExpressionMatch told =
        QRegularExpression(QStringLiteral("^The sound is missing from 00:(\\d\\d) to 00:(\\d\\d) of the recording\\. "
                                          "The microphone was disconnected\\.$"))
            .match(note);
    const qint64 earliest = qMax<qint64>(0, fedFor - answered - 1000) / 1000;
    QVERIFY2(told.hasMatch() && told.captured(1).toInt() >= earliest && told.captured(1).toInt() <= fedFor / 1000
                 && told.captured(2).toInt() >= told.captured(1).toInt(),
             qPrintable(QStringLiteral("the finished box does not tell the gap (removed %1 ms in, Start answered "
                                       "after %2 ms): \"%3\"").arg(fedFor).arg(answered).arg(note)));
    // "Open file" opens the path, which stands apart from the note.
    QCOMPARE(frame.finishedBox()->text(), path);
    QCOMPARE(TestEnv::messages(), QStringList{note + QLatin1Char('\n') + path});
}

void TestRecordMic::monitorIsNoMicrophone()
{
    // The default source is the listener's monitor (what the computer plays, silent
    // here); the microphone plays a tone. Without the loopback, only the microphone has it.
    // (The loopback also ends by itself when its microphone goes, as in the case before;
    // pactl's unload by name succeeds either way.)
    IFFmpegApi* api = IFFmpegApi::instance();
    askForSound();
    QByteArray modules;
    QVERIFY(m_pulse.pactl({QStringLiteral("unload-module"), QStringLiteral("module-loopback")}, false));
    QVERIFY(m_pulse.pactl({QStringLiteral("list"), QStringLiteral("short"), QStringLiteral("modules")}, true, &modules));
    QVERIFY2(!modules.contains("module-loopback"), modules.constData());
    QVERIFY(m_pulse.pactl({QStringLiteral("set-default-source"), QStringLiteral("listener.monitor")}));
    m_microphone.toneAt(av_gettime_relative(), 0);
    ShownBar bar;
    QSignalSpy finished(api, &IFFmpegApi::sgRecordVideo);
    QSignalSpy messages(api, &IFFmpegApi::recordMessage);
    QElapsedTimer recording;
    recording.start();
    QVERIFY(startThroughTheBar(bar.frame) >= 0);
    QTRY_VERIFY_WITH_TIMEOUT(api->inputStream().microphoneStarted(), 10000);
    QTRY_VERIFY_WITH_TIMEOUT(api->outputStream().videoFramesWritten() > 0 && recording.elapsed() > 2500, 15000);
    bar.frame.stopVideoRecord();
    QVERIFY(finished.wait(60000));
    const AvSync::Decoded withMicrophone = AvSync::decode(finished.at(0).at(0).toString());
    QVERIFY2(withMicrophone.loudness(0.5, withMicrophone.videoEnd - 0.2) > 0.3, "the microphone was not recorded");

    // With only the monitor left, the recording goes on without sound, and says so.
    m_microphone.stop();
    QVERIFY(m_pulse.pactl({QStringLiteral("unload-module"), QStringLiteral("module-pipe-source")}));
    QTRY_VERIFY_WITH_TIMEOUT(!api->isFinalising(), 30000);
    messages.clear();
    QVERIFY(startThroughTheBar(bar.frame) >= 0);
    QTRY_VERIFY_WITH_TIMEOUT(messages.contains(QList<QVariant>{5}), 10000);
    // A recording without a picture is not saved: Stop once one is in.
    QTRY_VERIFY_WITH_TIMEOUT(api->outputStream().videoFramesWritten() > 0, 15000);
    bar.frame.stopVideoRecord();
    QVERIFY(finished.wait(60000));
    QCOMPARE(finished.at(1).at(1).toString(), QStringLiteral("The recording has no sound: no microphone answered."));
}

void TestRecordMic::terminationEndsTheProgramWithTheMicrophoneHeld()
{
    // A server of its own whose microphone nobody feeds, for the program started here.
    PulseDaemon pulse;
    QVERIFY2(pulse.start(TestEnv::homePath() + QStringLiteral("/run/pulse-held"), 120, true),
             "could not start the second PulseAudio server");
    QTemporaryDir videos;
    QVERIFY(videos.isValid());
    QProcess program;
    program.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    program.start(QCoreApplication::applicationFilePath(), {QLatin1String(PROGRAM_ARGUMENT), videos.path()});
    QVERIFY(program.waitForStarted(5000));
    QByteArray answer;
    QElapsedTimer clock;
    clock.start();
    while (!answer.contains('\n') && clock.elapsed() < 30000 && program.state() == QProcess::Running) {
        program.waitForReadyRead(200);
        answer += program.readAllStandardOutput();
    }
    const bool answered = answer.contains("answered");
    QElapsedTimer ending;
    ending.start();
    ::kill(pid_t(program.processId()), SIGTERM);
    const bool ended = program.waitForFinished(15000);
    const qint64 endedMs = ending.elapsed();
    if (!ended) {
        program.kill();
        program.waitForFinished(5000);
    }
    pulse.stop();
    qInfo("program: %s; SIGTERM to exit %lld ms", answer.trimmed().constData(), endedMs);
    QVERIFY2(answered, "Start did not answer within 30 s: the window froze");
    const qint64 ms = answer.mid(answer.indexOf("answered ") + 9).split(' ').value(0).toLongLong();
    QVERIFY2(ms >= 0 && ms < ANSWER_MS, answer.constData());
    QVERIFY2(ended, "the program did not end within 15 s of SIGTERM");
    QCOMPARE(TestProgram::exitProblem(program, PROGRAM_STATUS), QString());
}

void TestRecordMic::recordingWithoutPictureIsNotSaved()
{
    // Sound is taken from the first picture on: without a picture nothing is recorded.
    g_camera_info.description.clear();
    IFFmpegApi* api = IFFmpegApi::instance();
    api->ffmpegcmdGetDeviceInfo();
    QSignalSpy finished(api, &IFFmpegApi::sgRecordVideo);
    const QRect region(0, 0, 320, 240);
    // Stop at once after Start, as a double click does: the screen has had no time to
    // give a picture. A busy machine may let one through; such a try is repeated.
    for (int attempt = 0; attempt < 5; ++attempt) {
        QTRY_VERIFY_WITH_TIMEOUT(!api->isFinalising(), 30000);
        finished.clear();
        TestEnv::clearMessages();
        const QStringList before = QDir(m_videos.path()).entryList(QDir::Files);
        QVERIFY(api->startRecordVideo(m_videos.path(), region));
        api->stopRecordVideo();
        QTRY_VERIFY_WITH_TIMEOUT(!api->isFinalising(), 30000);
        if (api->outputStream().videoFramesWritten() > 0)
            continue;
        QVERIFY2(finished.isEmpty(), "a recording without a picture was announced as saved");
        QCOMPARE(TestEnv::messages(), QStringList{QStringLiteral("No picture of the screen arrived before the "
                                                                 "recording was stopped. Nothing was recorded, "
                                                                 "and no file was kept.")});
        QCOMPARE(QDir(m_videos.path()).entryList(QDir::Files), before);
        return;
    }
    QFAIL("every recording got a picture before its stop");
}

int main(int argc, char** argv)
{
    TestEnv::prepare();
    if (argc == 3 && qstrcmp(argv[1], PROGRAM_ARGUMENT) == 0) {
        const QString videos = QString::fromLocal8Bit(argv[2]);
        int programArgc = 1;
        return runProgram(programArgc, argv, videos);
    }
    QApplication app(argc, argv);
    TestEnv::afterApplication();
    TestRecordMic tc;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&tc, argc, argv);
}

#include "tst_recordmic.moc"
