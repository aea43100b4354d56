// Time stamps of a screen recording as a demuxer reads them back: in each stream every
// decoding time after the one before and every packet with its presentation time, both
// streams from 0, pictures on their frame slots and the last one lasting its slot, the
// sound packets' durations adding up to the stream's span, and the muxer never guessing.
// The source stalls in a pattern, so frame slots are skipped all through the recording
// and many fragment cuts fall right after a skipped slot; the microphone starts late, as
// a real one does, so the first cuts hold pictures but no sound yet.

#include <QMutex>
#include <QStringList>
#include <QTemporaryDir>
#include <QtTest>
#include <atomic>
#include <thread>

#include "ffmpeg/icavoutputstream.h"
#include "testenv.h"
#include "videoprobe.h"

extern "C" {
#include <libavformat/avformat.h>
#include <libavutil/channel_layout.h>
#include <libavutil/log.h>
#include <libavutil/time.h>
}

namespace {

const int FPS = 50;
const qint64 SLOT_US = 1000000 / FPS;

// What the muxer warns about while a recording is written.
QMutex g_warningsMutex;
QStringList g_warnings;
std::atomic<bool> g_collecting{false};

void collectWarnings(void* avcl, int level, const char* format, va_list args)
{
    const bool muxer = avcl && *static_cast<const AVClass**>(avcl) == avformat_get_class();
    if (level <= AV_LOG_WARNING && muxer && g_collecting) {
        char line[1024];
        int prefix = 1;
        va_list copy;
        va_copy(copy, args);
        av_log_format_line(avcl, level, format, copy, line, sizeof line, &prefix);
        va_end(copy);
        QMutexLocker lock(&g_warningsMutex);
        g_warnings << QString::fromUtf8(line).trimmed();
    }
    av_log_default_callback(avcl, level, format, args);
}

// Feeds the output as the capture threads do, in real time: a picture every slot but for
// the stalls of the pattern (one to three slots, after one to three pictures), the first
// one a few slots late, and the microphone's 20 ms blocks from micStartUs on, each
// stamped when it was captured.
void feed(ICAVOutputStream& output, int width, int height, qint64 micStartUs, qint64 lengthUs)
{
    IAVFramePtr picture(av_frame_alloc());
    picture->format = AV_PIX_FMT_BGR0;
    picture->width = width;
    picture->height = height;
    av_frame_get_buffer(picture.get(), 0);
    IAVFramePtr sound(av_frame_alloc());
    sound->format = AV_SAMPLE_FMT_S16;
    sound->sample_rate = 8000;
    sound->nb_samples = 160;
    av_channel_layout_default(&sound->ch_layout, 1);
    av_frame_get_buffer(sound.get(), 0);

    static const int runs[] = {2, 1, 3, 1, 2, 2, 1};
    static const int stalls[] = {2, 1, 3, 2, 1, 1, 2};
    const qint64 start = av_gettime_relative();
    qint64 nextPicture = 5 * SLOT_US + 3000;  // the first grab takes a moment
    qint64 nextSound = micStartUs;
    int run = 0;
    int pattern = 0;
    qint64 tone = 0;
    for (;;) {
        const qint64 now = av_gettime_relative() - start;
        if (now >= lengthUs)
            break;
        if (now >= nextSound) {
            auto* samples = reinterpret_cast<int16_t*>(sound->data[0]);
            for (int i = 0; i < sound->nb_samples; ++i, ++tone)
                samples[i] = int16_t((tone / 8) % 2 ? 3000 : -3000);
            output.write_audio_frame(sound.get(), nextSound);
            nextSound += 20000;
        }
        if (now >= nextPicture) {
            memset(picture->data[0], int(now / SLOT_US) * 13, size_t(picture->linesize[0]) * (height / 4));
            output.write_video_frame(picture.get(), now);
            nextPicture = (now / SLOT_US + 1) * SLOT_US;
            if (++run == runs[pattern % 7]) {
                nextPicture += stalls[pattern % 7] * SLOT_US;
                run = 0;
                ++pattern;
            }
        }
        std::this_thread::sleep_for(std::chrono::microseconds(qMin(nextPicture, nextSound) - now));
    }
}

QString describe(const char* stream, const StreamTimes& t)
{
    return QStringLiteral("%1: %2 packets, %3 out of order, %4 without pts, %5 off the slots, %6 not after the one "
                          "before; first %7, last %8, end %9, durations %10 (1/%11); first fault: %12")
        .arg(QLatin1String(stream)).arg(t.packets).arg(t.outOfOrder).arg(t.withoutTime).arg(t.offGrid)
        .arg(t.notContiguous).arg(t.first).arg(t.last).arg(t.end).arg(t.durations).arg(t.timeBaseDen)
        .arg(t.firstFault);
}

}

class TestRecordTimestamps : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void timesIncreaseAcrossSkippedSlotsAndCuts_data();
    void timesIncreaseAcrossSkippedSlotsAndCuts();
};

void TestRecordTimestamps::initTestCase()
{
    av_log_set_callback(collectWarnings);
}

void TestRecordTimestamps::timesIncreaseAcrossSkippedSlotsAndCuts_data()
{
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("height");
    QTest::newRow("small region, packets at once") << 320 << 240;
    // Above 720p the encoder keeps pictures back, so cuts come between a picture and its
    // packet.
    QTest::newRow("large region, encoder holds pictures") << 1280 << 720;
}

void TestRecordTimestamps::timesIncreaseAcrossSkippedSlotsAndCuts()
{
    QFETCH(int, width);
    QFETCH(int, height);
    QTemporaryDir folder;
    const QString path = folder.path() + QStringLiteral("/stalls.mp4");
    const qint64 lengthUs = 6000000;
    {
        QMutexLocker lock(&g_warningsMutex);
        g_warnings.clear();
    }
    g_collecting = true;
    ICAVOutputStream output;
    output.setVideoCodecProp(AV_CODEC_ID_H264, FPS, width * height, 100, width, height, AV_PIX_FMT_YUV420P);
    output.setAudioCodecProp(AV_CODEC_ID_AAC, 8000, 1, 64000);
    QVERIFY(output.openOutputStream(path));
    std::thread encoder([&output] { output.startEncode(); });
    feed(output, width, height, 700000, lengthUs);
    output.stopEncode();
    encoder.join();
    g_collecting = false;

    QVERIFY(output.videoFramesWritten() > 0);
    const PacketTimes times = probePacketTimes(path, FPS);
    QVERIFY(times.opened);
    const StreamTimes& v = times.video;
    const StreamTimes& a = times.audio;
    const QString video = describe("video", v);
    const QString audio = describe("audio", a);
    QCOMPARE(qint64(v.packets), output.videoFramesWritten());
    QVERIFY(a.packets > 0);
    QCOMPARE(v.timeBaseDen % FPS, 0);
    const qint64 slot = v.timeBaseDen / FPS;
    // Each picture on its own frame slot, after the one before; the first at the start,
    // the last shown for one slot.
    QVERIFY2(v.outOfOrder == 0 && v.withoutTime == 0 && v.offGrid == 0, qPrintable(video));
    QVERIFY2(v.first == 0 && v.end == v.last + slot, qPrintable(video));
    // Sound from the start, each packet where the one before ends, so the packets' own
    // durations add up to the span; the last one ends within its frame.
    QVERIFY2(a.outOfOrder == 0 && a.withoutTime == 0 && a.notContiguous == 0, qPrintable(audio));
    QVERIFY2(a.first == 0 && a.durations == a.last - a.first, qPrintable(audio));
    QVERIFY2(a.end > a.last && a.end - a.last <= a.durations / qMax(1, a.packets - 1), qPrintable(audio));
    // Both streams span the recording: the pictures to within a slot past the last one
    // fed, the sound along with them.
    const double videoSeconds = double(v.end) / v.timeBaseDen;
    const double audioSeconds = double(a.end) / a.timeBaseDen;
    QVERIFY2(videoSeconds > lengthUs / 1e6 - 0.5 && videoSeconds <= lengthUs / 1e6 + 0.04, qPrintable(video));
    QVERIFY2(qAbs(audioSeconds - videoSeconds) < 0.3, qPrintable(audio + QLatin1Char(' ') + video));
    QMutexLocker lock(&g_warningsMutex);
    QVERIFY2(g_warnings.isEmpty(), qPrintable(g_warnings.join(QLatin1Char('\n'))));
}

OCUMETRA_TEST_MAIN(TestRecordTimestamps)

#include "tst_recordtimestamps.moc"
