// Long silences in a screen recording, fed straight to the encoder as the capture threads
// feed it: a microphone that stops half a second in (pulled out) while the picture goes on
// for ten or sixty minutes, and one silent for twenty minutes in the middle of a recording.
// The file's sound lasts to the end of the last picture, each tone stays where it was
// captured, and the recorder's peak memory stays near that of a recording without a gap.
// Each recording runs in a child process of its own, whose peak memory is its own.

#include <QFile>
#include <QTemporaryDir>
#include <QtTest>
#include <cmath>
#include <csignal>
#include <fcntl.h>
#include <poll.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

#include "encoderfeed.h"
#include "ffmpeg/icavoutputstream.h"
#include "mediaprobe.h"
#include "testenv.h"
#include "threadtimes.h"

extern "C" {
#include <libavformat/avformat.h>
#include <libavutil/channel_layout.h>
#include <libavutil/time.h>
}

namespace {

const int FPS = 50;
const qint64 SLOT_US = 1000000 / FPS;
// What a desktop microphone gives: 48 kHz stereo, in blocks of 20 ms.
const int RATE = 48000;
const int CHANNELS = 2;
const int BLOCK_SAMPLES = RATE / 50;
// A tone starts or ends within this of where it was captured.
const double EDGE_SECONDS = 0.02;
const qint64 MAX_GROWTH_KIB = 50 * 1024;
// A recording's bound is the time it ran, which load does not stretch; one that has
// not run for this long is taken for hung.
const int CHILD_CPU_SECONDS = 120;
const int CHILD_STILL_SECONDS = 60;

qint64 seconds(double s)
{
    return std::llround(s * 1e6);
}

// One recording: pictures to the last one, the microphone live over the given spans (a
// tone over the first half second of each) and handing over nothing in between.
struct Plan
{
    qint64 lastPicture = 0;
    QVector<QPair<qint64, qint64>> microphone;
};

const qint64 TONE_US = 500000;

bool microphoneLive(const Plan& plan, qint64 at)
{
    for (const auto& span : plan.microphone) {
        if (at >= span.first && at < span.second)
            return true;
    }
    return false;
}

// A picture in every slot while the microphone is live, one a second elsewhere (a still
// screen), and the last one at its moment; each a few milliseconds into its slot.
QVector<qint64> pictureStamps(const Plan& plan)
{
    QVector<qint64> stamps;
    for (qint64 slot = 0; slot * SLOT_US < plan.lastPicture; ++slot) {
        const qint64 at = slot * SLOT_US;
        if (microphoneLive(plan, at) || at % 1000000 == 0)
            stamps << at + 5000;
    }
    stamps << plan.lastPicture;
    return stamps;
}

long statusKiB(const char* field)
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith(field))
            return line.mid(int(strlen(field))).trimmed().split(' ').value(0).toLong();
    }
    return -1;
}

// Records the plan as the capture threads do while the encoder thread encodes; each
// picture is handed on once the one before is encoded, as a screen grab comes no faster
// than the encoder takes it. False when a picture was not taken.
bool record(const QString& path, const Plan& plan)
{
    ICAVOutputStream output;
    EncoderFeed feed;
    if (!feed.open(output, path, QSize(160, 120), FPS, RATE, CHANNELS, BLOCK_SAMPLES, 128))
        return false;
    AVFrame* picture = feed.picture.get();
    AVFrame* sound = feed.sound.get();

    std::thread encoder([&output] { output.startEncode(); });
    qint64 handedOn = 0;  // microphone samples
    auto soundUntil = [&](qint64 until) {
        for (;;) {
            const qint64 at = handedOn * 1000000 / RATE;
            if (at + BLOCK_SAMPLES * 1000000 / RATE > until)
                return;
            handedOn += BLOCK_SAMPLES;
            if (!microphoneLive(plan, at))
                continue;
            qint64 spanStart = at;
            for (const auto& span : plan.microphone) {
                if (at >= span.first && at < span.second)
                    spanStart = span.first;
            }
            auto* samples = reinterpret_cast<qint16*>(sound->data[0]);
            for (int i = 0; i < BLOCK_SAMPLES; ++i) {
                const qint64 n = handedOn - BLOCK_SAMPLES + i;
                const bool tone = n * 1000000 / RATE - spanStart < TONE_US;
                const auto value = qint16(tone ? 16000 * std::sin(2 * M_PI * 1000 * double(n) / RATE) : 0);
                for (int c = 0; c < CHANNELS; ++c)
                    samples[i * CHANNELS + c] = value;
            }
            output.write_audio_frame(sound, at);
        }
    };
    bool taken = true;
    qint64 handed = 0;
    for (qint64 stamp : pictureStamps(plan)) {
        soundUntil(stamp);
        output.write_video_frame(picture, stamp);
        ++handed;
        const qint64 limit = av_gettime_relative() + 10000000;
        while (output.videoFramesWritten() + output.videoFramesMerged() + output.videoFramesDropped() < handed
               && av_gettime_relative() < limit)
            av_usleep(100);
        taken = taken && output.videoFramesWritten() == handed;
    }
    soundUntil(plan.lastPicture);
    output.stopEncode();
    encoder.join();
    return taken;
}

struct ChildResult
{
    bool recorded = false;
    long growthKiB = -1;  // peak resident memory over what the process held at the start
};

// The recording in a child process, its peak memory counted from the start of it.
ChildResult recordInChild(const QString& path, const Plan& plan, QString* error)
{
    int fds[2];
    if (::pipe2(fds, O_CLOEXEC) != 0) {
        *error = QStringLiteral("pipe failed");
        return ChildResult();
    }
    const pid_t child = ::fork();
    if (child == 0) {
        ::close(fds[0]);
        ChildResult result;
        QFile reset(QStringLiteral("/proc/self/clear_refs"));
        const long before = statusKiB("VmRSS:");
        // "5" sets the peak to what is resident now.
        if (reset.open(QIODevice::WriteOnly) && reset.write("5") == 1 && reset.flush() && before > 0) {
            result.recorded = record(path, plan);
            const long peak = statusKiB("VmHWM:");
            result.growthKiB = peak > 0 ? peak - before : -1;
        }
        const ssize_t n = ::write(fds[1], &result, sizeof result);
        ::_exit(n == ssize_t(sizeof result) ? 0 : 1);
    }
    ::close(fds[1]);
    ChildResult result;
    if (child < 0) {
        ::close(fds[0]);
        *error = QStringLiteral("fork failed");
        return result;
    }
    pollfd ready{fds[0], POLLIN, 0};
    int polled = 0;
    qint64 ran = 0;
    qint64 lastRun = av_gettime_relative();
    QString stuck;
    while (stuck.isEmpty()) {
        polled = ::poll(&ready, 1, 1000);
        if (polled != 0 && !(polled < 0 && errno == EINTR))
            break;
        const qint64 running = ThreadTimes::processRunning(child);
        if (running > ran) {
            ran = running;
            lastRun = av_gettime_relative();
        }
        if (ran > qint64(CHILD_CPU_SECONDS) * 1000000000)
            stuck = QStringLiteral("the recording did not end within %1 s of its own time").arg(CHILD_CPU_SECONDS);
        else if (av_gettime_relative() - lastRun > qint64(CHILD_STILL_SECONDS) * 1000000)
            stuck = QStringLiteral("the recording has not run for %1 s").arg(CHILD_STILL_SECONDS);
    }
    const bool answered = polled == 1 && ::read(fds[0], &result, sizeof result) == ssize_t(sizeof result);
    ::close(fds[0]);
    if (!answered) {
        ::kill(child, SIGKILL);
        *error = stuck.isEmpty() ? QStringLiteral("the recording process ended without an answer") : stuck;
    } else if (result.growthKiB < 0) {
        *error = QStringLiteral("could not measure the peak memory of the recording");
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    if (answered && !(WIFEXITED(status) && WEXITSTATUS(status) == 0))
        *error = QStringLiteral("the recording process failed (status %1)").arg(status);
    return result;
}

// What the file's sound holds, read block by block (a long recording is never held
// whole): where the picture and the sound end, and the spans of the tone (the first
// channel louder than half the tone, gaps under 5 ms closed).
struct Track
{
    bool opened = false;
    double videoEnd = 0.0;
    double audioEnd = 0.0;
    QVector<QPair<double, double>> tones;
};

Track readTrack(const QString& path)
{
    Track track;
    const IAVInputPtr input = openMediaFile(path);
    if (!input)
        return track;
    const int video = av_find_best_stream(input.get(), AVMEDIA_TYPE_VIDEO, -1, -1, nullptr, 0);
    const int audio = av_find_best_stream(input.get(), AVMEDIA_TYPE_AUDIO, -1, -1, nullptr, 0);
    if (video < 0 || audio < 0)
        return track;
    const IAVCodecContextPtr decoder = openStreamDecoder(input->streams[audio]);
    if (!decoder)
        return track;
    const double audioBase = av_q2d(input->streams[audio]->time_base);
    const double videoBase = av_q2d(input->streams[video]->time_base);
    IAVPacketPtr packet(av_packet_alloc());
    IAVFramePtr frame(av_frame_alloc());
    auto drain = [&] {
        while (avcodec_receive_frame(decoder.get(), frame.get()) == 0) {
            const double start = double(frame->best_effort_timestamp) * audioBase;
            const double step = 1.0 / frame->sample_rate;
            const float* left = reinterpret_cast<const float*>(frame->extended_data[0]);
            for (int i = 0; i < frame->nb_samples; ++i) {
                if (std::fabs(left[i]) <= 0.25f)
                    continue;
                const double t = start + i * step;
                if (!track.tones.isEmpty() && t - track.tones.last().second < 0.005)
                    track.tones.last().second = t + step;
                else
                    track.tones.append({t, t + step});
            }
            track.audioEnd = qMax(track.audioEnd, start + frame->nb_samples * step);
            av_frame_unref(frame.get());
        }
    };
    while (av_read_frame(input.get(), packet.get()) >= 0) {
        IAVPacketUnref release(packet.get());
        if (packet->stream_index == video)
            track.videoEnd = qMax(track.videoEnd, double(packet->pts + packet->duration) * videoBase);
        else if (packet->stream_index == audio && avcodec_send_packet(decoder.get(), packet.get()) >= 0)
            drain();
    }
    if (avcodec_send_packet(decoder.get(), nullptr) >= 0)
        drain();
    track.opened = true;
    return track;
}

QString spansText(const QVector<QPair<double, double>>& spans)
{
    QStringList text;
    for (const auto& s : spans)
        text << QStringLiteral("%1-%2 s").arg(s.first, 0, 'f', 3).arg(s.second, 0, 'f', 3);
    return text.isEmpty() ? QStringLiteral("none") : text.join(QStringLiteral(", "));
}
}

class TestRecordSilence : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void soundLastsThroughLongSilences_data();
    void soundLastsThroughLongSilences();

private:
    QTemporaryDir m_videos;
    long m_withoutGapKiB = -1;
};

void TestRecordSilence::initTestCase()
{
    QVERIFY(m_videos.isValid());
    // Sound and pictures together to the end: the peak memory a recording needs anyway.
    Plan plan;
    plan.lastPicture = seconds(0.48);
    plan.microphone << qMakePair(qint64(0), seconds(0.5));
    QString error;
    const ChildResult result = recordInChild(m_videos.filePath(QStringLiteral("nogap.mp4")), plan, &error);
    QVERIFY2(error.isEmpty(), qPrintable(error));
    QVERIFY(result.recorded);
    m_withoutGapKiB = result.growthKiB;
    qInfo("peak memory growth without a gap: %ld KiB", m_withoutGapKiB);
}

void TestRecordSilence::soundLastsThroughLongSilences_data()
{
    QTest::addColumn<qint64>("lastPicture");
    QTest::addColumn<qint64>("microphoneBack");  // 0: the microphone stays silent
    const qint64 minute = 60 * 1000000;
    QTest::newRow("sound stops, last picture at 10 min") << 10 * minute << qint64(0);
    QTest::newRow("sound stops, last picture at 60 min") << 60 * minute << qint64(0);
    // Back after 20 minutes, for a second, to the last picture.
    QTest::newRow("20 min silent in the middle") << 20 * minute + seconds(1.5) << 20 * minute + seconds(0.5);
}

void TestRecordSilence::soundLastsThroughLongSilences()
{
    QFETCH(qint64, lastPicture);
    QFETCH(qint64, microphoneBack);
    Plan plan;
    plan.lastPicture = lastPicture;
    plan.microphone << qMakePair(qint64(0), seconds(0.5));
    // The encoder's lead-in (a frame of 1024 samples) takes the place of the first moments.
    QVector<QPair<double, double>> tones{{1024.0 / RATE, 0.5}};
    if (microphoneBack > 0) {
        plan.microphone << qMakePair(microphoneBack, lastPicture);
        tones << qMakePair(microphoneBack / 1e6, (microphoneBack + TONE_US) / 1e6);
    }
    const QString path = m_videos.filePath(QStringLiteral("silence.mp4"));
    QString error;
    const ChildResult result = recordInChild(path, plan, &error);
    QVERIFY2(error.isEmpty(), qPrintable(error));
    QVERIFY2(result.recorded, "a picture was not encoded");
    const Track track = readTrack(path);
    QFile::remove(path);
    QVERIFY2(track.opened, "the file has no picture or no sound");
    qInfo("peak memory growth %ld KiB, without a gap %ld KiB", result.growthKiB, m_withoutGapKiB);

    QStringList wrong;
    const double pictureEnd = (lastPicture + SLOT_US) / 1e6;
    if (std::fabs(track.videoEnd - pictureEnd) > 1e-3)
        wrong << QStringLiteral("picture ends at %1 s, not %2 s").arg(track.videoEnd, 0, 'f', 3).arg(pictureEnd);
    // To the end of the last picture, and at most a sound frame (1024 samples) beyond it.
    if (track.audioEnd < track.videoEnd || track.audioEnd >= track.videoEnd + 1024.0 / RATE)
        wrong << QStringLiteral("sound ends at %1 s, picture at %2 s")
                     .arg(track.audioEnd, 0, 'f', 3).arg(track.videoEnd, 0, 'f', 3);
    bool placed = track.tones.size() == tones.size();
    for (int i = 0; placed && i < tones.size(); ++i)
        placed = std::fabs(track.tones[i].first - tones[i].first) <= EDGE_SECONDS
                 && std::fabs(track.tones[i].second - tones[i].second) <= EDGE_SECONDS;
    if (!placed)
        wrong << QStringLiteral("tone at %1, captured at %2").arg(spansText(track.tones), spansText(tones));
    if (result.growthKiB - m_withoutGapKiB >= MAX_GROWTH_KIB)
        wrong << QStringLiteral("peak memory grew by %1 MiB, %2 MiB without a gap")
                     .arg(result.growthKiB / 1024).arg(m_withoutGapKiB / 1024);
    QVERIFY2(wrong.isEmpty(), qPrintable(wrong.join(QStringLiteral("; "))));
}

OCUMETRA_TEST_MAIN(TestRecordSilence)

#include "tst_recordsilence.moc"
