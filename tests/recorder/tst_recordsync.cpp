// Sound against picture in a screen recording: a tone into the microphone and a change of
// the recorded picture at the same instants, found again in the written file. Expected
// places come from the recorder's own time line (stampAt) and from when the test really
// made each change, so a busy machine shifts the events, not the verdict. Any constant
// shift of the file's time line against the recording's must be one for all pictures and
// all sound. The end of the sound is also checked on short recordings fed straight to the
// encoder, for stops all across one sound frame.

#include <QSignalSpy>
#include <QtTest>

#include "avsync.h"
#include "encoderfeed.h"
#include "ffmpeg/icavoutputstream.h"
#include "ffmpeg/iffmpegapi.h"
#include "iglobal.h"
#include "pulsedaemon.h"
#include "testenv.h"

using namespace AvSync;

namespace {
// Within this of where it belongs (the goal), plus the rounding of a picture to its slot.
const qint64 SYNC_US = 40000;
const qint64 SLOT_US = 20000;
// The microphone's blocks in the recordings fed straight to the encoder: 16 ms.
const int BLOCK_SAMPLES = 128;

qint64 microseconds(double seconds)
{
    return std::llround(seconds * 1e6);
}

// A short recording fed to the encoder as the capture threads feed it: pictures grabbed at
// the given moments (those before the stop), and a tone from the microphone from the start
// on, each block handed on once it is complete and the last one cut at the stop.
Decoded recordUntil(const QString& path, const QVector<qint64>& grabs, qint64 stopUs)
{
    ICAVOutputStream output;
    EncoderFeed feed;
    if (!feed.open(output, path, QSize(320, 240), 50, RATE, 1, BLOCK_SAMPLES, 255))
        return Decoded();
    AVFrame* picture = feed.picture.get();
    AVFrame* sound = feed.sound.get();
    qint64 handedOn = 0;  // microphone samples
    auto soundUntil = [&](qint64 until, bool cut) {
        const qint64 last = until * RATE / 1000000;
        while (handedOn + (cut ? 1 : BLOCK_SAMPLES) <= last) {
            sound->nb_samples = int(qMin<qint64>(BLOCK_SAMPLES, last - handedOn));
            auto* samples = reinterpret_cast<qint16*>(sound->data[0]);
            for (int i = 0; i < sound->nb_samples; ++i)
                samples[i] = qint16(16000 * std::sin(2 * M_PI * 1000 * double(handedOn + i) / RATE));
            output.write_audio_frame(sound, handedOn * 1000000 / RATE);
            handedOn += sound->nb_samples;
        }
    };
    for (qint64 grab : grabs) {
        if (grab >= stopUs)
            break;
        soundUntil(grab, false);
        output.write_video_frame(picture, grab);
    }
    soundUntil(stopUs, true);
    // Everything is queued: the loop encodes it and closes the file on this thread.
    output.stopEncode();
    output.startEncode();
    return decode(path);
}
}

class TestRecordSync : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanupTestCase();
    void soundStaysWithThePicture();
    void soundLastsAsLongAsThePicture_data();
    void soundLastsAsLongAsThePicture();

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
    // Sound as long as the last picture lasts, and the last second of it is not silent.
    const double lastPicture = file.pictures.last().first;
    QVERIFY2(microseconds(file.audioEnd) >= microseconds(file.videoEnd),
             qPrintable(QStringLiteral("sound ends at %1 s, picture at %2 s").arg(file.audioEnd).arg(file.videoEnd)));
    for (int tenth = 10; tenth > 0; --tenth) {
        const double t = lastPicture - tenth / 10.0;
        QVERIFY2(file.loudness(t, t + 0.1) > 0.2, qPrintable(QStringLiteral("silent at %1 s").arg(t)));
    }
}

void TestRecordSync::soundLastsAsLongAsThePicture_data()
{
    QTest::addColumn<QVector<qint64>>("grabs");
    QVector<qint64> onTime;
    QVector<qint64> latePairs;
    for (int i = 0; i < 20; ++i) {
        // 11 ms into its slot, each picture is rounded to the next one, 9 ms after it.
        onTime << 11000 + i * SLOT_US;
        // Every other grab is 14 ms late and rounded to the next slot, so the one on time
        // after it is moved on by a slot, 15 ms after it.
        latePairs << 5000 + i * SLOT_US + (i % 2 ? 14000 : 0);
    }
    QTest::newRow("pictures on time") << onTime;
    QTest::newRow("late pictures") << latePairs;
}

void TestRecordSync::soundLastsAsLongAsThePicture()
{
    QFETCH(QVector<qint64>, grabs);
    QStringList wrong;
    // The last picture may start after the stop; the sound stops there, at any place of
    // its last frame (1024 samples).
    for (qint64 stop = 200000; stop < 200000 + 1024 * 1000000 / RATE; stop += 2000) {
        const QString path = m_videos.filePath(QStringLiteral("stop%1.mp4").arg(stop));
        const Decoded file = recordUntil(path, grabs, stop);
        QFile::remove(path);
        QVERIFY2(!file.pictures.isEmpty() && !file.sound.isEmpty(), qPrintable(path));
        const qint64 videoEnd = microseconds(file.videoEnd);
        const qint64 audioEnd = microseconds(file.audioEnd);
        // At most one sound frame beyond the picture, and the tone up to the stop.
        const qint64 frame = microseconds(double(file.sound.last().second.size()) / RATE);
        const double toneBeforeStop = file.loudness((stop - 40000) / 1e6, (stop - 8000) / 1e6);
        if (audioEnd < videoEnd || audioEnd >= videoEnd + frame || toneBeforeStop < 0.2)
            wrong << QStringLiteral("stop %1 ms: picture ends at %2 ms, sound at %3 ms, tone before the stop %4")
                         .arg(stop / 1000).arg(videoEnd / 1000.0).arg(audioEnd / 1000.0).arg(toneBeforeStop);
    }
    QVERIFY2(wrong.isEmpty(), qPrintable(wrong.join(QStringLiteral("; "))));
}

OCUMETRA_TEST_MAIN(TestRecordSync)

#include "tst_recordsync.moc"
