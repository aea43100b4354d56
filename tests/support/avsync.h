#ifndef AVSYNC_H
#define AVSYNC_H

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QGuiApplication>
#include <QPainter>
#include <QProcess>
#include <QScreen>
#include <QTimer>
#include <QVector>
#include <QWidget>
#include <atomic>
#include <cmath>
#include <fcntl.h>
#include <limits>
#include <mutex>
#include <poll.h>
#include <thread>
#include <unistd.h>

#include "ffmpeg/iavptr.h"
#include "mediaprobe.h"

extern "C" {
#include <libavutil/time.h>
}

// Sound against picture in a screen recording, for tests and benchmarks: a tone into the
// microphone pipe of a PulseDaemon and a change of the recorded picture at the same
// instants, and what the written file holds at those places.
namespace AvSync {

const int RATE = 8000;

// Feeds the microphone pipe in real time: silence, with a 1 kHz tone over the asked
// stretches. Sample k is written no earlier than start + k / RATE. With burstMs, the
// sound goes in bursts of that length, each at the end of the span it covers, as some
// USB and wireless microphones hand over a full buffer.
// With pace above 1 the writer's clock runs that much slow (1.002: 0.2 %), below 1 fast,
// as a microphone's own clock does.
class ToneWriter
{
public:
    bool start(const QString& pipe, int burstMs = 10, double pace = 1.0)
    {
        m_pace = pace;
        m_stop = false;
        m_tones.clear();
        m_gaps.clear();
        m_stalls.clear();
        m_fd = ::open(QFile::encodeName(pipe).constData(), O_WRONLY | O_NONBLOCK | O_CLOEXEC);
        if (m_fd < 0)
            return false;
        m_chunk = qMax(1, RATE * burstMs / 1000);
        m_start = av_gettime_relative();
        m_thread = std::thread([this] { run(); });
        return true;
    }
    void stop()
    {
        m_stop = true;
        if (m_thread.joinable())
            m_thread.join();
        if (m_fd >= 0)
            ::close(m_fd);
        m_fd = -1;
    }
    ~ToneWriter() { stop(); }

    // A tone from the moment at (monotonic microseconds) for ms (0: until further notice);
    // returns the moment of its first sample.
    qint64 toneAt(qint64 at, int ms)
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        const qint64 from = sampleAt(at);
        m_tones.push_back({from, ms > 0 ? from + qint64(ms) * RATE / 1000 : std::numeric_limits<qint64>::max(), 0});
        return timeOf(from);
    }
    // Ends every tone from now on.
    void silence()
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        const qint64 now = sampleAt(av_gettime_relative());
        for (Tone& t : m_tones)
            t.to = qMin(t.to, now);
    }
    // Writes nothing over ms from the moment at (the pipe stays open), as a microphone
    // that drops out.
    void gapAt(qint64 at, int ms)
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        const qint64 from = sampleAt(at);
        m_gaps.push_back({from, from + qint64(ms) * RATE / 1000, 0});
    }
    // Holds back what it writes over ms from the moment at, then hands it all over at once,
    // as a busy machine makes a microphone's sound late, none lost.
    void stallAt(qint64 at, int ms)
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        const qint64 from = sampleAt(at);
        m_stalls.push_back({from, at + qint64(ms) * 1000, 0});
    }
    // When the first sample of tone i really went into the pipe (0: not yet).
    qint64 writtenAt(int i)
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        return m_tones.value(i).written;
    }

private:
    struct Tone
    {
        qint64 from;
        qint64 to;
        qint64 written;
    };

    void run()
    {
        const int chunk = m_chunk;
        const bool burst = chunk > RATE / 100;
        QVector<qint16> buffer;
        for (qint64 k = 0; !m_stop;) {
            qint64 due = timeOf(burst ? k + chunk : k);
            {
                std::lock_guard<std::mutex> lock(m_mutex);
                for (const Tone& s : m_stalls)
                    if (k >= s.from)
                        due = qMax(due, s.to);
            }
            const qint64 wait = due - av_gettime_relative();
            if (wait > 0)
                av_usleep(unsigned(wait));
            // All that is due goes into the pipe in one write: a writer that a busy machine
            // wakes late hands its backlog over at once, never at the pace of its own turns.
            // At most what the pipe holds (64 KiB).
            const qint64 dueNow = burst ? k + chunk : sampleAt(av_gettime_relative());
            const qint64 count = qBound(qint64(chunk), (dueNow - k) / chunk * chunk, qint64(RATE) * 3);
            buffer.clear();
            {
                std::lock_guard<std::mutex> lock(m_mutex);
                for (qint64 j = k; j < k + count; ++j) {
                    bool held = false;
                    for (const Tone& g : m_gaps)
                        held = held || (j >= g.from && j < g.to);
                    if (held)
                        continue;
                    bool on = false;
                    for (const Tone& t : m_tones)
                        on = on || (j >= t.from && j < t.to);
                    buffer.append(on ? qint16(16000 * std::sin(2 * M_PI * 1000 * double(j) / RATE)) : 0);
                }
            }
            const char* data = reinterpret_cast<const char*>(buffer.constData());
            size_t left = size_t(buffer.size()) * sizeof(qint16);
            while (left > 0 && !m_stop) {
                const ssize_t n = ::write(m_fd, data, left);
                if (n > 0) {
                    data += n;
                    left -= size_t(n);
                } else {
                    pollfd p{m_fd, POLLOUT, 0};
                    ::poll(&p, 1, 50);
                }
            }
            const qint64 now = av_gettime_relative();
            std::lock_guard<std::mutex> lock(m_mutex);
            for (Tone& t : m_tones) {
                if (!t.written && t.from < k + count && !buffer.isEmpty())
                    t.written = now;
            }
            k += count;
        }
    }

    qint64 sampleAt(qint64 at) const { return qint64(double(at - m_start) * RATE / 1e6 / m_pace); }
    qint64 timeOf(qint64 sample) const { return m_start + qint64(double(sample) * 1e6 * m_pace / RATE); }

    int m_fd = -1;
    int m_chunk = RATE / 100;
    double m_pace = 1.0;
    qint64 m_start = 0;
    std::atomic<bool> m_stop{false};
    std::thread m_thread;
    std::mutex m_mutex;
    QVector<Tone> m_tones;
    QVector<Tone> m_gaps;
    QVector<Tone> m_stalls;  // to: the moment the held sound begins to go out
};

// The recorded region: all black or all white.
class Flash : public QWidget
{
public:
    Flash() { setWindowFlags(Qt::FramelessWindowHint); }
    void setWhite(bool white)
    {
        m_white = white;
        repaint();
    }
    bool isWhite() const { return m_white; }

protected:
    void paintEvent(QPaintEvent*) override { QPainter(this).fillRect(rect(), m_white ? Qt::white : Qt::black); }

private:
    bool m_white = false;
};

// One instant of tone and picture change, in monotonic microseconds.
struct Instant
{
    bool white = false;
    qint64 tone = 0;          // the tone's first sample as scheduled
    qint64 toneWritten = 0;   // when it really reached the microphone
    qint64 changeBegin = 0;   // the picture was still the old one
    qint64 changeVisible = 0; // the screen showed the new one
};

// What the file holds: each picture's time and whether it is white, and the sound.
struct Decoded
{
    QVector<QPair<double, bool>> pictures;
    QVector<QPair<double, QVector<float>>> sound;  // start time of each decoded block
    double videoEnd = 0.0;
    double audioEnd = 0.0;

    // Time of the first sample from `from` on louder than half the tone; -1 when none.
    double onsetAfter(double from) const
    {
        for (const auto& block : sound) {
            for (int i = 0; i < block.second.size(); ++i) {
                const double t = block.first + double(i) / RATE;
                if (t >= from && std::fabs(block.second[i]) > 0.25f)
                    return t;
            }
        }
        return -1.0;
    }
    // Root mean square of the sound in [from, to).
    double loudness(double from, double to) const
    {
        double sum = 0.0;
        int n = 0;
        for (const auto& block : sound) {
            for (int i = 0; i < block.second.size(); ++i) {
                const double t = block.first + double(i) / RATE;
                if (t >= from && t < to) {
                    sum += double(block.second[i]) * block.second[i];
                    ++n;
                }
            }
        }
        return n > 0 ? std::sqrt(sum / n) : 0.0;
    }
};

inline Decoded decode(const QString& path)
{
    Decoded out;
    const IAVInputPtr input = openMediaFile(path);
    if (!input)
        return out;
    const int streams[2] = {av_find_best_stream(input.get(), AVMEDIA_TYPE_VIDEO, -1, -1, nullptr, 0),
                            av_find_best_stream(input.get(), AVMEDIA_TYPE_AUDIO, -1, -1, nullptr, 0)};
    IAVCodecContextPtr decoders[2];
    for (int s = 0; s < 2; ++s) {
        if (streams[s] < 0)
            continue;
        decoders[s] = openStreamDecoder(input->streams[streams[s]]);
        if (!decoders[s])
            return out;
    }
    IAVPacketPtr packet(av_packet_alloc());
    IAVFramePtr frame(av_frame_alloc());
    auto drain = [&](int s) {
        const double tb = av_q2d(input->streams[streams[s]]->time_base);
        while (avcodec_receive_frame(decoders[s].get(), frame.get()) == 0) {
            const double t = double(frame->best_effort_timestamp) * tb;
            if (s == 0) {
                const uint8_t luma = frame->data[0][(frame->height / 2) * frame->linesize[0] + frame->width / 2];
                out.pictures.append({t, luma > 128});
                out.videoEnd = qMax(out.videoEnd, t + 1.0 / 50);
            } else {
                const float* left = reinterpret_cast<const float*>(frame->extended_data[0]);
                out.sound.append({t, QVector<float>(left, left + frame->nb_samples)});
                out.audioEnd = qMax(out.audioEnd, t + double(frame->nb_samples) / frame->sample_rate);
            }
            av_frame_unref(frame.get());
        }
    };
    while (av_read_frame(input.get(), packet.get()) >= 0) {
        IAVPacketUnref release(packet.get());
        for (int s = 0; s < 2; ++s) {
            if (decoders[s] && packet->stream_index == streams[s] && avcodec_send_packet(decoders[s].get(), packet.get()) >= 0)
                drain(s);
        }
    }
    for (int s = 0; s < 2; ++s) {
        if (decoders[s] && avcodec_send_packet(decoders[s].get(), nullptr) >= 0)
            drain(s);
    }
    return out;
}

// Waits, handling events, until the monotonic moment.
inline void waitUntil(qint64 moment)
{
    while (av_gettime_relative() < moment) {
        QEventLoop loop;
        QTimer::singleShot(1, &loop, &QEventLoop::quit);
        loop.exec();
    }
}

// The colour the screen shows at a point. Under XWayland the X root window holds no
// picture: the Wayland desktop's own screenshot (grim) is read there.
inline QColor screenPixel(const QPoint& at)
{
    if (qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY"))
        return QGuiApplication::primaryScreen()->grabWindow(0, at.x(), at.y(), 1, 1).toImage().pixelColor(0, 0);
    QProcess grim;
    grim.start(QStringLiteral("grim"), {QStringLiteral("-g"), QStringLiteral("%1,%2 1x1").arg(at.x()).arg(at.y()),
                                        QStringLiteral("-t"), QStringLiteral("ppm"), QStringLiteral("-")});
    if (!grim.waitForFinished(5000))
        return QColor();
    return QImage::fromData(grim.readAllStandardOutput(), "PPM").pixelColor(0, 0);
}

// Tone and picture change together a quarter second from now; toneMs 0 keeps the tone on.
inline Instant flashAndBeep(ToneWriter& writer, Flash& flash, bool white, int toneMs)
{
    Instant e;
    e.white = white;
    e.tone = writer.toneAt(av_gettime_relative() + 250000, toneMs);
    waitUntil(e.tone);
    e.changeBegin = av_gettime_relative();
    flash.setWhite(white);
    // Reading a pixel back is a round trip: once it shows the new colour, so does the screen.
    const QPoint centre = flash.mapToGlobal(flash.rect().center());
    const QColor wanted = white ? Qt::white : Qt::black;
    QElapsedTimer limit;
    limit.start();
    while (screenPixel(centre) != wanted && limit.elapsed() < 10000)
        waitUntil(av_gettime_relative() + 1000);
    e.changeVisible = av_gettime_relative();
    return e;
}

// Where one instant landed in the file, in microseconds of the recording (-1: not found).
struct Placement
{
    qint64 tone = -1;      // where the tone belongs (its capture)
    qint64 toneLatest = -1; // where it belongs at the latest (it reached the microphone late)
    qint64 heard = -1;     // where the file's sound starts it
    qint64 changeBegin = -1;
    qint64 changeVisible = -1;
    qint64 before = -1;    // the last picture of the old colour
    qint64 shown = -1;     // the first picture of the new colour
};

// stamp maps a monotonic moment to the recording's time (the recorder's stampAt).
template <typename StampAt>
QVector<Placement> place(const Decoded& file, const QVector<Instant>& instants, StampAt stamp)
{
    QVector<Placement> out;
    int picture = 0;
    for (const Instant& e : instants) {
        Placement p;
        p.tone = stamp(e.tone);
        p.toneLatest = qMax(p.tone, stamp(e.toneWritten));
        p.changeBegin = stamp(e.changeBegin);
        p.changeVisible = stamp(e.changeVisible);
        while (picture < file.pictures.size() && file.pictures[picture].second != e.white)
            ++picture;
        if (picture > 0 && picture < file.pictures.size()) {
            p.shown = qint64(file.pictures[picture].first * 1e6);
            p.before = qint64(file.pictures[picture - 1].first * 1e6);
        }
        if (p.tone >= 0) {
            const double heard = file.onsetAfter((p.tone - 300000) / 1e6);
            p.heard = heard < 0 ? -1 : qint64(heard * 1e6);
        }
        out << p;
    }
    return out;
}

}

#endif

