// An imperfect microphone in a screen recording, on a PulseAudio server of the test's own:
// one whose clock runs 0.2 % slow and that drops out for 100 and 250 ms, then for a few
// seconds and three times 0.7 s (its pipe kept open, nothing written), one whose sound
// comes late, one
// whose sound comes about a second late (the server's sine source), and a server that
// stops answering at Start (SIGSTOP), resumes and restarts. Sound after each dropout meets its
// picture in the file, the gaps are told where they were, sound after Stop stays out, late
// sound is no loss, the window goes on running its event loop while the microphone does
// not answer, and the microphone of a resumed or restarted server joins the recording at
// its place.
// OCUMETRA_TEST_PACE sets the microphone's pace (1.002: 0.2 % slow, 0.998: fast) and
// OCUMETRA_TEST_SECONDS how long the recording goes on after the long gap, for longer
// measurements.

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QtTest>
#include <algorithm>
#include <csignal>

#include "avsync.h"
#include "board/widget/itimemsgbox.h"
#include "customui/ivideorecordframe.h"
#include "ffmpeg/iaudioinputfromqt.h"
#include "ffmpeg/iffmpegapi.h"
#include "iglobal.h"
#include "pulsedaemon.h"
#include "service/iconfigureservice.h"
#include "testenv.h"
#include "threadtimes.h"

using namespace AvSync;

namespace {
// Sound within this of its picture, plus the rounding of a picture to its slot.
const qint64 SYNC_US = 40000;
const qint64 SLOT_US = 20000;
// A picture goes to its rounded slot, or the next one when an earlier late picture holds
// that: it can stand up to a slot and a half after it was taken.
const qint64 LATEST_SLOT_US = SLOT_US * 3 / 2;
// Where the short dropouts and the gap begin, in the recording.
const qint64 DROPOUT_AT_US[] = {2100000, 3700000};
const int DROPOUT_MS[] = {100, 250};
const qint64 GAP_AT_US = 5800000;
// The stall the window may show at Start on a busy machine (the goal is under 100 ms).
const qint64 STALL_LIMIT_MS = 500;

// Longest time between two runs of the event loop's timers while the condition is false,
// less the time the GUI thread waited meanwhile for a CPU, which a busy machine adds.
template <typename Done>
qint64 longestStallUntil(Done done, int timeoutMs)
{
    QElapsedTimer clock;
    clock.start();
    qint64 last = 0;
    qint64 lastQueued = ThreadTimes::of().queued;
    qint64 longest = 0;
    const auto tock = [&] {
        const qint64 now = clock.nsecsElapsed();
        const qint64 queued = ThreadTimes::of().queued;
        longest = qMax(longest, (now - last) - (queued - lastQueued));
        last = now;
        lastQueued = queued;
    };
    QTimer tick;
    tick.setTimerType(Qt::PreciseTimer);
    QObject::connect(&tick, &QTimer::timeout, tock);
    tick.start(2);
    (void)QTest::qWaitFor(done, timeoutMs);
    tock();
    return longest / 1000000;
}

// The PulseAudio process under the daemon's time limit.
pid_t serverProcess(const PulseDaemon& pulse)
{
    QFile children(QStringLiteral("/proc/%1/task/%1/children").arg(pulse.pid()));
    if (!children.open(QIODevice::ReadOnly))
        return 0;
    return pid_t(children.readAll().trimmed().split(' ').value(0).toLongLong());
}

QString median(QVector<qint64> values)
{
    if (values.isEmpty())
        return QStringLiteral("none");
    std::sort(values.begin(), values.end());
    return QStringLiteral("median %1 ms, range %2 to %3 ms")
        .arg(values[values.size() / 2] / 1000)
        .arg(values.first() / 1000)
        .arg(values.last() / 1000);
}
}

class TestRecordGap : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanupTestCase();
    void soundAfterAGapMeetsItsPicture();
    void lateSoundIsNoLoss();
    void stalledServerDoesNotFreezeStart();
    void lateSourceIsNoLoss();

private:
    // Starts a recording of the flash and waits until it runs; the monotonic moment of its 0.
    qint64 record();
    Decoded stop(QSignalSpy& finished, QString* note);

    PulseDaemon m_pulse;
    ToneWriter m_writer;
    QTemporaryDir m_videos;
    Flash m_flash;
};

void TestRecordGap::initTestCase()
{
    QVERIFY(m_videos.isValid());
    QVERIFY2(m_pulse.start(TestEnv::homePath() + QStringLiteral("/run/pulse-gap"),
                           400 + qEnvironmentVariableIntValue("OCUMETRA_TEST_SECONDS"), true),
             "could not start the private PulseAudio server");
    const double pace = qEnvironmentVariableIsSet("OCUMETRA_TEST_PACE")
                            ? qEnvironmentVariable("OCUMETRA_TEST_PACE").toDouble()
                            : 1.002;
    QVERIFY(m_writer.start(m_pulse.pipePath(), 10, pace));
    g_camera_info.description = QStringLiteral("Test camera");
    g_video_format = QStringLiteral("mp4");
    IConfigureService::instance()->setVideoPath(m_videos.path());
    IFFmpegApi::instance()->initData();
    IFFmpegApi::instance()->ffmpegcmdGetDeviceInfo();
    m_flash.setGeometry(0, 0, 320, 240);
    m_flash.show();
    QVERIFY(QTest::qWaitForWindowExposed(&m_flash));
}

void TestRecordGap::cleanupTestCase()
{
    IFFmpegApi::destroyInstance();
    m_writer.stop();
    m_pulse.stop();
}

qint64 TestRecordGap::record()
{
    IFFmpegApi* api = IFFmpegApi::instance();
    m_flash.setWhite(false);
    if (!api->startRecordVideo(m_videos.path(), QRect(0, 0, 320, 240))
        || !QTest::qWaitFor([api] { return api->isRecording(); }, 15000))
        return -1;
    const qint64 now = av_gettime_relative();
    return now - api->inputStream().stampAt(now);
}

Decoded TestRecordGap::stop(QSignalSpy& finished, QString* note)
{
    IFFmpegApi::instance()->stopRecordVideo();
    if (!finished.wait(60000))
        return Decoded();
    *note = finished.last().at(1).toString();
    return decode(finished.last().at(0).toString());
}

void TestRecordGap::soundAfterAGapMeetsItsPicture()
{
    const int gapMs = qEnvironmentVariableIsSet("OCUMETRA_TEST_GAP_MS") ? qEnvironmentVariableIntValue("OCUMETRA_TEST_GAP_MS") : 3000;
    IFFmpegApi* api = IFFmpegApi::instance();
    QSignalSpy finished(api, &IFFmpegApi::sgRecordVideo);
    const qint64 zero = record();
    QVERIFY2(zero > 0, "the recording did not start");
    QVERIFY2(api->outputStream().hasSound(), "the microphone did not start");
    QVector<Instant> instants;
    // The first moments of a grab may lag: the first change comes after them.
    waitUntil(zero + 800000);
    instants << flashAndBeep(m_writer, m_flash, true, 150);
    // Short dropouts, each followed by two changes.
    const int beforeDropouts = instants.size();
    for (int d = 0; d < 2; ++d) {
        m_writer.gapAt(zero + DROPOUT_AT_US[d], DROPOUT_MS[d]);
        waitUntil(zero + DROPOUT_AT_US[d] + DROPOUT_MS[d] * 1000 + 100000);
        for (int i = 0; i < 2; ++i) {
            instants << flashAndBeep(m_writer, m_flash, instants.size() % 2 == 0, 150);
            waitUntil(av_gettime_relative() + 400000);
        }
    }
    // The microphone gives nothing for the gap, then goes on.
    m_writer.gapAt(zero + GAP_AT_US, gapMs);
    const int beforeGap = instants.size();
    waitUntil(zero + GAP_AT_US + gapMs * 1000 + 600000);
    const qint64 tail = qEnvironmentVariableIsSet("OCUMETRA_TEST_SECONDS")
                            ? qEnvironmentVariableIntValue("OCUMETRA_TEST_SECONDS") * 1000000LL
                            : 1000000;
    const qint64 tailFrom = av_gettime_relative();
    do {
        instants << flashAndBeep(m_writer, m_flash, instants.size() % 2 == 0, 150);
        waitUntil(av_gettime_relative() + 400000);
    } while (av_gettime_relative() - tailFrom < tail);
    // Three more gaps of 0.7 s: the box names the first few and counts the rest.
    for (int i = 0; i < 3; ++i) {
        const qint64 at = av_gettime_relative() + 200000;
        m_writer.gapAt(at, 700);
        waitUntil(at + 1200000);
    }
    // A tone a quarter second after Stop belongs to no recording.
    const qint64 stopAt = av_gettime_relative();
    m_writer.toneAt(stopAt + 250000, 300);
    QString note;
    const Decoded file = stop(finished, &note);
    QVERIFY(!file.pictures.isEmpty());
    QVERIFY(!file.sound.isEmpty());
    for (int i = 0; i < instants.size(); ++i)
        instants[i].toneWritten = m_writer.writtenAt(i);
    const ICAVInputStream& input = api->inputStream();
    QVector<Placement> placed = place(file, instants, [&input](qint64 at) { return input.stampAt(at); });
    // Each tone is found in the file alone: the first onset after the one before it.
    double from = 0.0;
    for (Placement& p : placed) {
        const double onset = file.onsetAfter(from);
        p.heard = onset < 0 ? -1 : qint64(onset * 1e6);
        from = onset + 0.3;
    }
    QVector<qint64> healthy;
    QVector<qint64> dropouts;
    QVector<qint64> after;
    // Where the sound is against its capture, alone: over the whole recording, and over
    // its last minute.
    QVector<qint64> own;
    QVector<qint64> ownAtEnd;
    QStringList wrong;
    for (int i = 0; i < placed.size(); ++i) {
        const Placement& p = placed[i];
        const qint64 shift = p.heard - p.shown;
        (i < beforeDropouts ? healthy : i < beforeGap ? dropouts : after) << shift;
        own << p.heard - p.tone;
        if (p.heard > file.videoEnd * 1e6 - 60e6)
            ownAtEnd << p.heard - p.tone;
        // Each at its own capture time: the tone where it was captured, and no picture stamped
        // before the change began shows it, none stamped after it was visible misses it. A grab
        // thread a busy machine holds up takes the next picture late, but stamps it right.
        const bool heardInPlace = p.heard >= p.tone - SYNC_US && p.heard <= p.toneLatest + SYNC_US;
        const bool shownInPlace = p.shown >= p.changeBegin - SLOT_US && p.before <= p.changeVisible + LATEST_SLOT_US;
        if (p.heard < 0 || p.shown < 0 || !heardInPlace || !shownInPlace)
            wrong << QStringLiteral("event %1: heard at %2 ms (tone at %3-%4), shown at %5 ms, after one at %8 ms (changed at %6-%7)")
                         .arg(i)
                         .arg(p.heard / 1000)
                         .arg(p.tone / 1000)
                         .arg(p.toneLatest / 1000)
                         .arg(p.shown / 1000)
                         .arg(p.changeBegin / 1000)
                         .arg(p.changeVisible / 1000)
                         .arg(p.before / 1000);
    }
    qInfo("pace %.4f; sound minus picture at first: %s; after dropouts of 100 and 250 ms: %s; after a gap of %d "
          "ms, to %.0f s: %s; sound against its capture: %s, in the last minute %s; the box says \"%s\"",
          qEnvironmentVariable("OCUMETRA_TEST_PACE", QStringLiteral("1.002")).toDouble(), qPrintable(median(healthy)),
          qPrintable(median(dropouts)), gapMs, file.videoEnd, qPrintable(median(after)), qPrintable(median(own)),
          qPrintable(median(ownAtEnd)), qPrintable(note));
    QVERIFY2(wrong.isEmpty(), qPrintable(wrong.join(QStringLiteral("; "))));
    // Nothing from after the Stop click: the last tone in the file is the last event's.
    const double lastEvent = placed.last().heard / 1e6;
    const double later = file.onsetAfter(lastEvent + 0.3);
    QVERIFY2(later < 0, qPrintable(QStringLiteral("a tone from after Stop is in the file at %1 s").arg(later)));
    // The box tells every gap, the long one first where it was, and no stop.
    const auto mmss = [](qint64 us) { return QTime(0, 0).addSecs(int(us / 1000000)).toString(QStringLiteral("mm:ss")); };
    const QString missing = QStringLiteral("The sound is missing in 4 places, %1 s in all: %2-%3, ")
                                .arg(gapMs / 1000 + 2)
                                .arg(mmss(GAP_AT_US), mmss(GAP_AT_US + gapMs * 1000));
    QVERIFY2(note.startsWith(missing) && note.contains(QStringLiteral(" and 1 more.")), qPrintable(note));
    QVERIFY2(!note.contains(QStringLiteral("stopped")), qPrintable(note));
}

void TestRecordGap::lateSoundIsNoLoss()
{
    // A tone all through; the microphone's sound of 2 s comes late, all at once.
    IFFmpegApi* api = IFFmpegApi::instance();
    QTRY_VERIFY_WITH_TIMEOUT(!api->isFinalising(), 30000);
    QTRY_VERIFY_WITH_TIMEOUT(m_pulse.pactl({QStringLiteral("info")}, false), 30000);
    QSignalSpy finished(api, &IFFmpegApi::sgRecordVideo);
    const qint64 zero = record();
    QVERIFY2(zero > 0, "the recording did not start");
    QVERIFY2(api->outputStream().hasSound(), "the microphone did not start");
    m_writer.toneAt(av_gettime_relative(), 0);
    m_writer.stallAt(zero + 1500000, 2000);
    waitUntil(zero + 5500000);
    QString note;
    const Decoded file = stop(finished, &note);
    m_writer.silence();
    QVERIFY(!file.sound.isEmpty());
    qInfo("late sound: the box says \"%s\"", qPrintable(note));
    QCOMPARE(note, QString());
    for (double t = 1.0; t < file.videoEnd - 0.15; t += 0.1)
        QVERIFY2(file.loudness(t, t + 0.1) > 0.3, qPrintable(QStringLiteral("silent at %1 s").arg(t)));
}

void TestRecordGap::lateSourceIsNoLoss()
{
    // The microphone of the same name becomes the server's sine source.
    m_writer.stop();
    for (const char* module : {"module-loopback", "module-null-sink", "module-pipe-source"})
        QVERIFY(m_pulse.pactl({QStringLiteral("unload-module"), QLatin1String(module)}));
    QVERIFY(m_pulse.pactl({QStringLiteral("load-module"), QStringLiteral("module-sine-source"),
                           QStringLiteral("source_name=testmic"), QStringLiteral("rate=8000")}));
    IFFmpegApi* api = IFFmpegApi::instance();
    QTRY_VERIFY_WITH_TIMEOUT(!api->isFinalising(), 30000);
    QSignalSpy finished(api, &IFFmpegApi::sgRecordVideo);
    const qint64 zero = record();
    QVERIFY2(zero > 0, "the recording did not start");
    QVERIFY2(api->outputStream().hasSound(), "the microphone did not start");
    waitUntil(zero + 4000000);
    QString note;
    const Decoded file = stop(finished, &note);
    QVERIFY(!file.pictures.isEmpty());
    QVERIFY(!file.sound.isEmpty());
    qInfo("late source: picture ends at %.3f s, sound at %.3f s; the box says \"%s\"", file.videoEnd, file.audioEnd,
          qPrintable(note));
    QCOMPARE(note, QString());
    // The sine plays to the Stop click.
    const double level = file.loudness(1.0, 2.0);
    QVERIFY(level > 0.0);
    for (double t = file.videoEnd - 1.0; t < file.videoEnd - 0.15; t += 0.1)
        QVERIFY2(file.loudness(t, t + 0.1) > level / 2, qPrintable(QStringLiteral("silent at %1 s").arg(t)));
}

void TestRecordGap::stalledServerDoesNotFreezeStart()
{
    IFFmpegApi* api = IFFmpegApi::instance();
    QTRY_VERIFY_WITH_TIMEOUT(!api->isFinalising(), 30000);
    QWidget window;
    window.resize(800, 600);
    window.show();
    IVideoRecordFrame frame(nullptr, &window);
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    pid_t server = serverProcess(m_pulse);
    QVERIFY(server > 0);
    QSignalSpy messages(api, &IFFmpegApi::recordMessage);
    QSignalSpy finished(api, &IFFmpegApi::sgRecordVideo);

    // A Start with the server stopped: the picture is recorded at once, the microphone's
    // start ends at its bound and the user is told; once the server resumes, and again once
    // it restarts, its sound joins the recording at its place and the box tells the gaps.
    const int before = QDir(m_videos.path()).entryList(QDir::Files).size();
    QCOMPARE(::kill(server, SIGSTOP), 0);
    frame.setFrameVisible(true);
    frame.onRegionClick(true, 4);
    QTimer::singleShot(20, &frame, [&frame] { frame.onControlClick(false, 6); });
    const qint64 stall = longestStallUntil([&] { return messages.size() >= 3; }, 15000);
    QList<int> told;
    for (const QList<QVariant>& message : qAsConst(messages))
        told << message.at(0).toInt();
    ITimeMsgBox* box = ITimeMsgBox::instance();
    const QString notice = box->isVisible() ? box->findChild<QLabel*>()->text() : QString();
    const qint64 resumed = av_gettime_relative();
    m_writer.toneAt(resumed, 0);
    ::kill(server, SIGCONT);
    QTRY_VERIFY_WITH_TIMEOUT(messages.contains(QList<QVariant>{7}), 10000);
    const qint64 backAfter = av_gettime_relative() - resumed;
    m_writer.silence();
    const qint64 beep = m_writer.toneAt(av_gettime_relative() + 800000, 300);
    waitUntil(beep + 800000);
    // The server restarted in the same recording: its microphone is used again.
    m_writer.stop();
    m_pulse.stop();
    // Away for a second at least, so the gap is one the box tells (from 0.5 s) however
    // fast the server comes back.
    QTRY_VERIFY_WITH_TIMEOUT(messages.count(QList<QVariant>{6}) == 2, 10000);
    waitUntil(av_gettime_relative() + 1000000);
    QVERIFY(m_pulse.start(TestEnv::homePath() + QStringLiteral("/run/pulse-gap"), 120, true));
    QVERIFY(m_writer.start(m_pulse.pipePath()));
    const qint64 restarted = m_writer.toneAt(av_gettime_relative(), 0);
    QTRY_VERIFY_WITH_TIMEOUT(messages.count(QList<QVariant>{7}) == 2, 10000);
    frame.stopVideoRecord();
    const bool saved = finished.wait(60000);
    const QString note = saved ? finished.last().at(1).toString() : QString();
    const Decoded file = saved ? decode(finished.last().at(0).toString()) : Decoded();
    const qint64 resumedAt = api->inputStream().stampAt(resumed);
    const double joined = file.onsetAfter(resumedAt / 1e6 - 0.3);
    const qint64 beepAt = api->inputStream().stampAt(beep);
    const double heard = file.onsetAfter(beepAt / 1e6 - 0.3);
    const qint64 restartedAt = api->inputStream().stampAt(restarted);
    const double rejoined = file.onsetAfter(restartedAt / 1e6);

    // A Stop while the microphone still starts ends the recording without it.
    server = serverProcess(m_pulse);
    QCOMPARE(::kill(server, SIGSTOP), 0);
    messages.clear();
    frame.setFrameVisible(true);
    frame.onRegionClick(true, 4);
    frame.onControlClick(false, 6);
    QVERIFY(api->isRecording());
    QTRY_VERIFY_WITH_TIMEOUT(api->outputStream().videoFramesWritten() > 0, 15000);
    QElapsedTimer stopping;
    stopping.start();
    frame.stopVideoRecord();
    const bool stopped = finished.wait(60000);
    const qint64 stopMs = stopping.elapsed();
    ::kill(server, SIGCONT);
    qInfo("longest stall of the event loop during a Start with the sound server stopped: %lld ms; "
          "the server resumed %lld ms into the recording, the bar told the microphone back after %lld ms, "
          "its sound in the file from %lld ms after the resume, a beep %lld ms from its capture, the sound of "
          "the restarted server %lld ms after its start; a Stop while the microphone starts took %lld ms; the box "
          "says \"%s\"",
          stall, resumedAt / 1000, backAfter / 1000, qint64(joined * 1000) - resumedAt / 1000,
          qint64(heard * 1000) - beepAt / 1000, qint64(rejoined * 1000) - restartedAt / 1000, stopMs,
          qPrintable(note));
    QCOMPARE(told, (QList<int>{2, 5, 6}));
    QCOMPARE(notice, QStringLiteral("No microphone: recording without sound"));
    QVERIFY2(stall < STALL_LIMIT_MS, qPrintable(QStringLiteral("the window froze for %1 ms").arg(stall)));
    QVERIFY(saved);
    QVERIFY2(joined * 1e6 >= resumedAt - SYNC_US && joined * 1e6 < resumedAt + 2000000,
             "the microphone was not used within 2 s of its server's return");
    QVERIFY2(qAbs(qint64(heard * 1e6) - beepAt) < SYNC_US, "the sound after the return is not at its place");
    QVERIFY2(rejoined >= 0 && rejoined * 1e6 < restartedAt + 2000000,
             "the restarted server's microphone was not used within 2 s");
    // Sound held in the stopped server may fill a little of the first gap, never past the
    // tone; the restart makes the second.
    const QRegularExpressionMatch gap = QRegularExpression(QStringLiteral(
        "^The sound is missing in 2 places, \\d+ s in all: 00:00-00:(\\d\\d), 00:\\d\\d-00:\\d\\d\\. "
        "The sound system reported an error\\.$")).match(note);
    QVERIFY2(gap.hasMatch() && gap.captured(1).toInt() <= int(joined), qPrintable(note));
    QVERIFY(stopped);
    QVERIFY2(stopMs < IAudioInputFromQt::START_LIMIT_MS, "the Stop waited for the microphone's start");
    QCOMPARE(QDir(m_videos.path()).entryList(QDir::Files).size(), before + 2);
    QTRY_VERIFY_WITH_TIMEOUT(!IAudioInputFromQt::instance()->startPending(), 15000);
}

OCUMETRA_TEST_MAIN(TestRecordGap)

#include "tst_recordgap.moc"
