// Sound against picture in a screen recording: a tone into the microphone and a change of
// the recorded picture at the same instants, found again in the written file. Expected
// places come from the recorder's own time line (stampAt) and from when the test really
// made each change, so a busy machine shifts the events, not the verdict. Any constant
// shift of the file's time line against the recording's must be one for all pictures and
// all sound.

#include <QSignalSpy>
#include <QtTest>

#include "avsync.h"
#include "ffmpeg/iffmpegapi.h"
#include "iglobal.h"
#include "pulsedaemon.h"
#include "testenv.h"

using namespace AvSync;

namespace {
// Within this of where it belongs (the goal), plus the rounding of a picture to its slot.
const qint64 SYNC_US = 40000;
const qint64 SLOT_US = 20000;
}

class TestRecordSync : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanupTestCase();
    void soundStaysWithThePicture();

private:
    PulseDaemon m_pulse;
    ToneWriter m_writer;
    QTemporaryDir m_videos;
    Flash m_flash;
};

void TestRecordSync::initTestCase()
{
    QVERIFY2(m_pulse.start(TestEnv::homePath() + QStringLiteral("/run/pulse-sync"), 300, true),
             "could not start the private PulseAudio server");
    QVERIFY(m_writer.start(m_pulse.pipePath()));
    g_camera_info.description = QStringLiteral("Test camera");
    g_video_format = QStringLiteral("mp4");
    IFFmpegApi::instance()->initData();
    m_flash.setGeometry(0, 0, 320, 240);
    m_flash.show();
    QVERIFY(QTest::qWaitForWindowExposed(&m_flash));
}

void TestRecordSync::cleanupTestCase()
{
    IFFmpegApi::destroyInstance();
    m_writer.stop();
    m_pulse.stop();
}

void TestRecordSync::soundStaysWithThePicture()
{
    IFFmpegApi* api = IFFmpegApi::instance();
    QSignalSpy finished(api, &IFFmpegApi::sgRecordVideo);
    m_flash.setWhite(false);
    QVERIFY(api->startRecordVideo(m_videos.path(), QRect(0, 0, 320, 240)));
    QVector<Instant> instants;
    QTest::qWait(600);
    instants << flashAndBeep(m_writer, m_flash, true, 150);
    QTest::qWait(500);
    instants << flashAndBeep(m_writer, m_flash, false, 150);
    QTest::qWait(300);
    api->pauseRecordVideo(true);
    QTest::qWait(1000);
    api->pauseRecordVideo(false);
    QTest::qWait(500);
    instants << flashAndBeep(m_writer, m_flash, true, 150);
    QTest::qWait(500);
    // The last change starts a tone that lasts past the stop: the end must have sound.
    instants << flashAndBeep(m_writer, m_flash, false, 0);
    QTest::qWait(1500);
    api->stopRecordVideo();
    QVERIFY(finished.wait(60000));
    for (int i = 0; i < instants.size(); ++i)
        instants[i].toneWritten = m_writer.writtenAt(i);
    const ICAVInputStream& input = api->inputStream();
    const Decoded file = decode(finished.at(0).at(0).toString());
    QVERIFY(!file.pictures.isEmpty());
    QVERIFY(!file.sound.isEmpty());
    const QVector<Placement> placed =
        place(file, instants, [&input](qint64 moment) { return input.stampAt(moment); });
    // The shifts of the file's time line that every picture and every tone allow.
    qint64 lowest = std::numeric_limits<qint64>::min();
    qint64 highest = std::numeric_limits<qint64>::max();
    QStringList found;
    for (const Placement& p : placed) {
        found << QStringLiteral("change %1-%2 us, pictures %3 and %4 us, tone %5-%6 us heard %7 us")
                     .arg(p.changeBegin).arg(p.changeVisible).arg(p.before).arg(p.shown)
                     .arg(p.tone).arg(p.toneLatest).arg(p.heard);
        qDebug() << "sound minus picture" << (p.heard - p.shown) / 1000 << "ms;" << found.last();
        QVERIFY2(p.tone >= 0 && p.changeBegin >= 0 && p.changeVisible >= 0 && p.shown >= 0 && p.heard >= 0,
                 qPrintable(found.last()));
        // The first picture of the new colour was grabbed after the change began, the one
        // before it before the change could be seen.
        lowest = qMax(lowest, p.before - p.changeVisible - SLOT_US);
        highest = qMin(highest, p.shown - p.changeBegin + SLOT_US);
        // The tone starts where it was captured.
        lowest = qMax(lowest, p.heard - p.toneLatest - SYNC_US);
        highest = qMin(highest, p.heard - p.tone + SYNC_US);
    }
    QVERIFY2(lowest <= highest, qPrintable(found.join(QStringLiteral("; "))));
    // Sound up to the last picture, and the last second of it is not silent.
    const double lastPicture = file.pictures.last().first;
    QVERIFY2(file.audioEnd >= lastPicture, qPrintable(QStringLiteral("%1 %2").arg(file.audioEnd).arg(lastPicture)));
    for (int tenth = 10; tenth > 0; --tenth) {
        const double t = lastPicture - tenth / 10.0;
        QVERIFY2(file.loudness(t, t + 0.1) > 0.2, qPrintable(QStringLiteral("silent at %1 s").arg(t)));
    }
}

OCUMETRA_TEST_MAIN(TestRecordSync)

#include "tst_recordsync.moc"
