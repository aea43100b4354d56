// The screen recorder at 1920x1080, 50 frames per second, with sound, beside the ffmpeg
// command (x11grab, libx264 ultrafast, aac) on the same X screen in the same run:
// pictures written against those expected, CPU seconds per recorded second, resident
// memory across the run, whether pictures keep their pace while sound arrives in
// one-second bursts, and the seconds a recording loses when its process is killed (also
// with every core busy) with the packets of the killed file out of time order. The frame
// slots of each file that hold a picture and its longest gap between two pictures, also
// with every core busy and memory and disk worked hard beside the recorder, as a build does.
//
// Also how far the sound lies from the picture over a recording: a tone into the microphone
// and a change of a small window every two seconds, found again in the written file. And
// the longest time the window stops answering during the first Start of a process, from
// the press until the recording runs (on Wayland the screen cast's set-up falls in it).
//
// Run on a 1920x1080 X screen, e.g.
//   bash tests/support/xserver-run.sh -- build/bin/bench_recorder
// With OCUMETRA_BENCH_WAYLAND=1 it runs on a private headless Wayland desktop of its own
// instead (the tests' one), the recorder taking the screen from its screen-cast portal.
// OCUMETRA_BENCH_SECONDS sets the length of each recording (60 by default). Needs
// pulseaudio and the ffmpeg command (scripts/install-deps.sh).

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QLabel>
#include <QProcess>
#include <QTemporaryDir>
#include <QTimer>
#include <QWidget>

#include <fcntl.h>
#include <signal.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cstring>
#include <limits>
#include <memory>
#include <thread>
#include <vector>

#include "avsync.h"
#include "ffmpeg/icavoutputstream.h"
#include "ffmpeg/iffmpegapi.h"
#include "idialogseam.h"
#include "iglobal.h"
#include "mediaprobe.h"
#include "noisewidget.h"
#include "processcpu.h"
#include "pulsedaemon.h"
#include "stillpage.h"
#include "videoprobe.h"
#ifdef OCUMETRA_BENCH_WAYLAND
#include "waylandsession.h"
#endif

namespace {

int benchSeconds()
{
    const int s = qEnvironmentVariableIntValue("OCUMETRA_BENCH_SECONDS");
    return s > 0 ? s : 60;
}

double residentMegabytes()
{
    QFile statm(QStringLiteral("/proc/self/statm"));
    if (!statm.open(QIODevice::ReadOnly))
        return 0.0;
    const QList<QByteArray> fields = statm.readAll().split(' ');
    return fields.size() > 1 ? fields[1].toDouble() * double(sysconf(_SC_PAGESIZE)) / 1048576.0 : 0.0;
}

struct Shared
{
    PulseDaemon pulse;
    AvSync::ToneWriter microphone;
    QProcess animator;
    QTemporaryDir folder;
};
Shared* g_shared = nullptr;
#ifdef OCUMETRA_BENCH_WAYLAND
WaylandSession* g_desktop = nullptr;
#endif

// Sleeps in the event loop (no busy polling: this process's CPU time is measured).
void waitEvents(int ms)
{
    if (ms <= 0)
        return;
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

// Waits (processing events) for the recorder's finished file; empty on time-out.
QString waitForRecording(IFFmpegApi* api, int ms)
{
    QString path;
    const QMetaObject::Connection c =
        QObject::connect(api, &IFFmpegApi::sgRecordVideo, [&path](const QString& p) { path = p; });
    QElapsedTimer t;
    t.start();
    while (path.isEmpty() && t.elapsed() < ms)
        waitEvents(50);
    QObject::disconnect(c);
    return path;
}

// Keeps every core of the machine busy while it lives (threads that only spin).
class BusyCores
{
public:
    BusyCores()
    {
        const unsigned cores = qMax(1u, std::thread::hardware_concurrency());
        for (unsigned i = 0; i < cores; ++i)
            m_threads.emplace_back([this] {
                while (!m_stop.load(std::memory_order_relaxed)) {
                }
            });
    }
    ~BusyCores()
    {
        m_stop = true;
        for (std::thread& t : m_threads)
            t.join();
    }

private:
    std::atomic<bool> m_stop{false};
    std::vector<std::thread> m_threads;
};

// Streams through a few hundred MiB of memory and writes much of it to disk, over and over
// on three threads, as a three-job build does beside the recorder. Runs until its process
// is killed.
int churnMemoryAndDisk(const QString& folder)
{
    const size_t bytes = size_t(128) << 20;
    std::vector<std::thread> jobs;
    for (int j = 0; j < 3; ++j)
        jobs.emplace_back([bytes, j, folder] {
            std::vector<char> from(bytes, char(j));
            std::vector<char> to(bytes);
            const QByteArray name = QFile::encodeName(folder + QStringLiteral("/churn%1").arg(j));
            for (unsigned round = 0;; ++round) {
                from[round % bytes] = char(round);
                memcpy(to.data(), from.data(), bytes);
                const int fd = ::open(name.constData(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
                if (fd < 0)
                    continue;
                for (size_t done = 0; done < bytes / 4;) {
                    const ssize_t n = ::write(fd, to.data() + done, bytes / 4 - done);
                    if (n <= 0)
                        break;
                    done += size_t(n);
                }
                ::fdatasync(fd);
                ::close(fd);
            }
        });
    for (std::thread& t : jobs)
        t.join();
    return 0;
}

// Every core busy and memory and disk churned, by a child process, while it lives (so the
// CPU time of this process stays the recorder's).
class BusyMachine
{
public:
    BusyMachine()
    {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("OCUMETRA_BENCH_LOAD_INTO"), g_shared->folder.path());
        m_child.setProcessEnvironment(env);
        m_child.setProcessChannelMode(QProcess::ForwardedChannels);
        m_child.start(QCoreApplication::applicationFilePath(), QStringList());
        m_child.waitForStarted(10000);
        waitEvents(2000);  // the memory filled, the first writes under way
    }
    ~BusyMachine()
    {
        m_child.kill();  // our own child, by its id
        m_child.waitForFinished(10000);
    }

private:
    QProcess m_child;
};

// Child mode of BusyMachine.
int loadTheMachine(const QString& folder)
{
    BusyCores cores;
    return churnMemoryAndDisk(folder);
}

// The frame slots from the file's first picture to its last that hold one, its longest gap
// between two pictures and its gaps of 250 ms or more (freezes a viewer sees).
void reportPictureSpacing(benchmark::State& state, const StreamTimes& video)
{
    const double den = qMax(1, video.timeBaseDen);
    const double slotCount =
        video.times.size() > 1 ? (video.times.last() - video.times.first()) * 50.0 / den + 1.0 : 0.0;
    int freezes = 0;
    for (int i = 1; i < video.times.size(); ++i)
        if ((video.times[i] - video.times[i - 1]) / den >= 0.25)
            ++freezes;
    state.counters["pictures_kept_pct_of_slots"] = slotCount > 0.0 ? 100.0 * video.times.size() / slotCount : 0.0;
    state.counters["longest_gap_ms"] = 1000.0 * double(longestStep(video)) / den;
    state.counters["gaps_of_250ms_or_more"] = double(freezes);
}

// The whole 1920x1080 screen at 50 pictures a second, on a quiet machine (argument 0) or a
// busy one (1, BusyMachine).
void BM_RecorderFullScreen(benchmark::State& state)
{
    const int seconds = benchSeconds();
    IFFmpegApi* api = IFFmpegApi::instance();
    for (auto _ : state) {
        std::unique_ptr<BusyMachine> load;
        if (state.range(0) == 1)
            load = std::make_unique<BusyMachine>();
        const double cpu0 = benchcpu::processCpuSeconds();
        if (!api->startRecordVideo(g_shared->folder.path(), QRect(0, 0, 1920, 1080))) {
            state.SkipWithError("the recorder did not start");
            return;
        }
        QElapsedTimer clock;
        clock.start();
        double rssAt10 = 0.0;
        double rssPeak = 0.0;
        for (int s = 1; s <= seconds; ++s) {
            waitEvents(int(s * 1000 - clock.elapsed()));
            const double rss = residentMegabytes();
            rssPeak = qMax(rssPeak, rss);
            if (s == qMin(10, seconds))
                rssAt10 = rss;
        }
        api->stopRecordVideo();
        const double recorded = clock.elapsed() / 1000.0;
        const QString path = waitForRecording(api, 120000);
        load.reset();
        if (path.isEmpty()) {
            state.SkipWithError("the recording did not finish");
            return;
        }
        const double cpu = benchcpu::processCpuSeconds() - cpu0;
        const MediaProbe probe = probeMedia(path);
        state.counters["frames_expected"] = recorded * 50.0;
        state.counters["frames_written"] = double(probe.videoPackets);
        state.counters["frames_dropped_queue"] = double(api->outputStream().videoFramesDropped());
        state.counters["frames_left_out_late"] = double(api->outputStream().videoFramesMerged());
        state.counters["video_s"] = probe.videoSeconds;
        state.counters["audio_s"] = probe.audioSeconds;
        state.counters["cpu_s_per_s"] = cpu / recorded;
        state.counters["rss_MB_at_10s"] = rssAt10;
        state.counters["rss_MB_end"] = residentMegabytes();
        state.counters["rss_MB_peak"] = rssPeak;
        reportPictureSpacing(state, probePacketTimes(path).video);
    }
}

void BM_FfmpegCommand(benchmark::State& state)
{
    const int seconds = benchSeconds();
    for (auto _ : state) {
        const QString out = g_shared->folder.path() + QStringLiteral("/ffmpeg.mp4");
        QProcess ffmpeg;
        ffmpeg.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        const double cpu0 = benchcpu::childrenCpuSeconds();
        QElapsedTimer clock;
        clock.start();
        ffmpeg.start(QStringLiteral("ffmpeg"),
                     {"-y", "-loglevel", "error", "-f", "x11grab", "-framerate", "50", "-video_size", "1920x1080",
                      "-i", QString::fromLocal8Bit(qgetenv("DISPLAY")), "-f", "pulse", "-i", "testmic", "-t",
                      QString::number(seconds), "-c:v", "libx264", "-preset", "ultrafast", "-c:a", "aac", out});
        if (!ffmpeg.waitForStarted(10000) || !ffmpeg.waitForFinished((seconds + 60) * 1000)) {
            state.SkipWithError("the ffmpeg command did not run");
            return;
        }
        const double recorded = qMin(double(seconds), clock.elapsed() / 1000.0);
        const double cpu = benchcpu::childrenCpuSeconds() - cpu0;
        const MediaProbe probe = probeMedia(out);
        state.counters["frames_expected"] = seconds * 50.0;
        state.counters["frames_written"] = double(probe.videoPackets);
        state.counters["video_s"] = probe.videoSeconds;
        state.counters["audio_s"] = probe.audioSeconds;
        state.counters["cpu_s_per_s"] = cpu / recorded;
    }
}

// The encoder fed directly: 1920x1080 pictures every 20 ms and sound only once a second,
// a second's worth at a time. Counts pictures encoded against pictures handed over at each
// burst; pictures that waited for sound would pile up between bursts.
void BM_PicturesWhileSoundComesInBursts(benchmark::State& state)
{
    const int seconds = qMin(benchSeconds(), 20);
    for (auto _ : state) {
        ICAVOutputStream output;
        output.setVideoCodecProp(AV_CODEC_ID_H264, 50, 1920 * 1080, 100, 1920, 1080, AV_PIX_FMT_YUV420P);
        output.setAudioCodecProp(AV_CODEC_ID_AAC, 8000, 1, 64000);
        if (!output.openOutputStream(g_shared->folder.path() + QStringLiteral("/bursts.mp4"))) {
            state.SkipWithError("could not open the output");
            return;
        }
        std::thread encoder([&] { output.startEncode(); });
        IAVFramePtr picture(av_frame_alloc());
        picture->format = AV_PIX_FMT_BGR0;
        picture->width = 1920;
        picture->height = 1080;
        av_frame_get_buffer(picture.get(), 0);
        IAVFramePtr sound(av_frame_alloc());
        sound->format = AV_SAMPLE_FMT_S16;
        sound->sample_rate = 8000;
        sound->nb_samples = 8000;
        av_channel_layout_default(&sound->ch_layout, 1);
        av_frame_get_buffer(sound.get(), 0);
        memset(sound->data[0], 0, size_t(sound->linesize[0]));

        benchcpu::ProcessCpuMeter meter(state);
        QElapsedTimer clock;
        clock.start();
        qint64 handed = 0;
        qint64 worstLag = 0;
        for (qint64 n = 0; n < seconds * 50; ++n) {
            while (clock.nsecsElapsed() / 1000 < n * 20000)
                std::this_thread::sleep_for(std::chrono::microseconds(500));
            memset(picture->data[0], int(n * 7), size_t(picture->linesize[0]) * 64);  // moving band
            output.write_video_frame(picture.get(), n * 20000);
            ++handed;
            if (n % 50 == 49) {
                worstLag = qMax(worstLag, handed - output.videoFramesWritten() - output.videoFramesDropped());
                output.write_audio_frame(sound.get(), (n + 1) * 20000 - 1000000);  // stamp of its first sample
            }
        }
        output.stopEncode();
        encoder.join();
        meter.report(double(handed));
        state.counters["frames_handed"] = double(handed);
        state.counters["frames_written"] = double(output.videoFramesWritten());
        state.counters["frames_dropped"] = double(output.videoFramesDropped());
        state.counters["worst_lag_frames_at_burst"] = double(worstLag);
    }
}

// Sound against picture: for every tone, its onset in the file minus the first picture of
// the change that came with it (av_offset_ms_*); how far the tones' places wander against
// their capture over the recording (sound_spread_ms; the file's time line may begin a
// constant later than the recording, so only the spread counts); the quietest tenth of a
// second in the last second before the last picture (last_second_rms, the tone's is 0.35)
// and the sound's end past that picture.
void BM_SoundAgainstPicture(benchmark::State& state)
{
    const int seconds = qMax(6, benchSeconds());
    IFFmpegApi* api = IFFmpegApi::instance();
    for (auto _ : state) {
        AvSync::Flash flash;
        flash.setGeometry(0, 0, 320, 240);
        flash.show();
        flash.raise();
        waitEvents(500);
        // A tiling desktop (the Wayland one) places the window itself: its own place is recorded.
        const QRect region(flash.mapToGlobal(QPoint(0, 0)), QSize(320, 240));
        if (!api->startRecordVideo(g_shared->folder.path(), region)) {
            state.SkipWithError("the recorder did not start");
            return;
        }
        QElapsedTimer clock;
        clock.start();
        QVector<AvSync::Instant> instants;
        bool white = false;
        while (clock.elapsed() < (seconds - 5) * 1000) {
            waitEvents(1750);
            white = !white;
            instants << AvSync::flashAndBeep(g_shared->microphone, flash, white, 150);
        }
        waitEvents(1750);  // apart from the last tone, or its onset is taken for this one's
        instants << AvSync::flashAndBeep(g_shared->microphone, flash, !white, 0);
        waitEvents(1500);
        api->stopRecordVideo();
        const QString path = waitForRecording(api, 120000);
        g_shared->microphone.silence();
        if (path.isEmpty()) {
            state.SkipWithError("the recording did not finish");
            return;
        }
        for (int i = 0; i < instants.size(); ++i)
            instants[i].toneWritten = g_shared->microphone.writtenAt(i);
        const AvSync::Decoded file = AvSync::decode(path);
        const ICAVInputStream& input = api->inputStream();
        const QVector<AvSync::Placement> placed =
            AvSync::place(file, instants, [&input](qint64 moment) { return input.stampAt(moment); });
        QVector<qint64> offsets;
        qint64 earliest = std::numeric_limits<qint64>::max();
        qint64 latest = std::numeric_limits<qint64>::min();
        for (const AvSync::Placement& p : placed) {
            fprintf(stderr, "tone %lld-%lld us heard %lld us; change %lld-%lld us, pictures %lld and %lld us\n",
                    p.tone, p.toneLatest, p.heard, p.changeBegin, p.changeVisible, p.before, p.shown);
            if (p.heard < 0 || p.shown < 0)
                continue;
            offsets << p.heard - p.shown;
            earliest = qMin(earliest, p.heard - p.tone);
            latest = qMax(latest, p.heard - p.tone);
        }
        std::sort(offsets.begin(), offsets.end());
        const int found = offsets.size();
        double sum = 0.0;
        qint64 worst = 0;
        for (qint64 o : offsets) {
            sum += double(o);
            worst = qMax(worst, qAbs(o));
        }
        const double lastPicture = file.pictures.isEmpty() ? 0.0 : file.pictures.last().first;
        double quietest = 1.0;
        for (int tenth = 10; tenth > 0; --tenth)
            quietest = qMin(quietest, file.loudness(lastPicture - tenth / 10.0, lastPicture - (tenth - 1) / 10.0));
        state.counters["tones"] = double(instants.size());
        state.counters["tones_found"] = double(found);
        state.counters["av_offset_ms_mean"] = found > 0 ? sum / found / 1000.0 : 0.0;
        state.counters["av_offset_ms_median"] = found > 0 ? double(offsets[found / 2]) / 1000.0 : 0.0;
        state.counters["av_offset_ms_worst"] = double(worst) / 1000.0;
        state.counters["sound_spread_ms"] = found > 0 ? double(latest - earliest) / 1000.0 : 0.0;
        state.counters["last_second_rms"] = quietest;
        state.counters["sound_end_past_last_picture_ms"] = (file.audioEnd - lastPicture) * 1000.0;
    }
}

// Seconds of a recording lost when its process is killed: a child records with sound
// the whole changing 1920x1080 screen (argument 0), a still 640x480 page (1) or the
// whole screen again with every core busy (2) or on a BusyMachine (3), and is killed
// without warning; what still decodes is set against the time it had recorded. Also the
// packets of the killed file whose decoding time is not after the one before (goal 0),
// and the pictures it holds (a busy encoder keeps fewer than the 50 a second offered).
void BM_SecondsLostToKill(benchmark::State& state)
{
    const int seconds = qMin(benchSeconds(), 20);
    for (auto _ : state) {
        std::unique_ptr<BusyCores> busy;
        std::unique_ptr<BusyMachine> load;
        if (state.range(0) == 2)
            busy = std::make_unique<BusyCores>();
        if (state.range(0) == 3)
            load = std::make_unique<BusyMachine>();
        QProcess child;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("OCUMETRA_BENCH_RECORD_INTO"), g_shared->folder.path() + QStringLiteral("/killed"));
        if (state.range(0) == 1)
            env.insert(QStringLiteral("OCUMETRA_BENCH_RECORD_STILL"), QStringLiteral("1"));
        child.setProcessEnvironment(env);
        child.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        child.start(QCoreApplication::applicationFilePath(), QStringList());
        QElapsedTimer wait;
        wait.start();
        while (!child.canReadLine() && child.state() != QProcess::NotRunning && wait.elapsed() < 60000)
            child.waitForReadyRead(100);
        const QString path = QString::fromUtf8(child.readLine()).trimmed();
        if (path.isEmpty()) {
            state.SkipWithError("the recording child did not start");
            return;
        }
        QElapsedTimer recorded;
        recorded.start();
        waitEvents(seconds * 1000);
        ::kill(pid_t(child.processId()), SIGKILL);  // our own child, by its id
        const double atKill = recorded.elapsed() / 1000.0;
        child.waitForFinished(10000);
        busy.reset();
        load.reset();
#ifdef OCUMETRA_BENCH_WAYLAND
        // xdg-desktop-portal-wlr 0.7 may crash when a stream's reader dies under it; the
        // next recording needs it back.
        if (g_desktop) {
            const bool crashed = !g_desktop->portalBackendRunning();
            state.counters["portal_back_end_crashed"] = crashed ? 1.0 : 0.0;
            if (crashed && !g_desktop->restartPortal())
                fprintf(stderr, "the portal did not start again\n");
        }
#endif
        const MediaProbe probe = probeMedia(path);
        const PacketTimes times = probePacketTimes(path);
        state.counters["killed_at_s"] = atKill;
        state.counters["decoded_s"] = probe.decodedSeconds;
        state.counters["s_lost_to_kill"] = qMax(0.0, atKill - probe.decodedSeconds);
        state.counters["packets_out_of_order"] = double(times.video.outOfOrder + times.audio.outOfOrder);
        state.counters["frames_in_file"] = double(probe.videoPackets);
        reportPictureSpacing(state, times.video);
    }
}

// Child mode of BM_SecondsLostToKill: records until killed.
int recordUntilKilled(const QString& folder)
{
    QRect region(0, 0, 1920, 1080);
    QLabel page;
    if (qEnvironmentVariableIsSet("OCUMETRA_BENCH_RECORD_STILL")) {
        region = QRect(0, 0, 640, 480);
        showStillPage(page, region);  // above the moving screen
        waitEvents(1000);
    }
    g_camera_info.description = QStringLiteral("bench");
    IFFmpegApi::instance()->initData();
    if (!IFFmpegApi::instance()->startRecordVideo(folder, region))
        return 2;
    printf("%s\n", qPrintable(IFFmpegApi::instance()->outputPath()));
    fflush(stdout);
    return QCoreApplication::exec();
}

// The longest gap between ticks of a 5 ms timer on the GUI thread, from the first Start of
// a fresh child process until its recording runs (first_start_stall_ms, the worst of the
// runs; first_start_ms, the slowest start), with GStreamer's plug-in registry as the last
// run left it (argument 0) or made anew, as after an install or update (1).
void BM_FirstStartStall(benchmark::State& state)
{
    for (auto _ : state) {
        double worstStall = 0;
        double slowestStart = 0;
        for (int run = 0; run < 3; ++run) {
            QProcess child;
            QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
            env.insert(QStringLiteral("OCUMETRA_BENCH_FIRST_START_INTO"), g_shared->folder.path() + QStringLiteral("/first"));
            if (state.range(0) == 1)
                env.insert(QStringLiteral("GST_REGISTRY"),
                           g_shared->folder.path() + QStringLiteral("/registry%1.bin").arg(run));
            child.setProcessEnvironment(env);
            child.setProcessChannelMode(QProcess::ForwardedErrorChannel);
            child.start(QCoreApplication::applicationFilePath(), QStringList());
            child.waitForFinished(120000);
            const QList<QByteArray> figures = child.readAllStandardOutput().trimmed().split(' ');
            if (child.exitCode() != 0 || figures.size() != 2) {
                state.SkipWithError("the first start did not record");
                return;
            }
            worstStall = qMax(worstStall, figures[0].toDouble());
            slowestStart = qMax(slowestStart, figures[1].toDouble());
#ifdef OCUMETRA_BENCH_WAYLAND
            if (g_desktop && !g_desktop->portalBackendRunning())
                g_desktop->restartPortal();
#endif
        }
        state.counters["first_start_stall_ms"] = worstStall;
        state.counters["first_start_ms"] = slowestStart;
    }
}

// Child mode of BM_FirstStartStall: prints the longest stall and the start's length (ms).
int measureFirstStart(const QString& folder)
{
    g_camera_info.description = QStringLiteral("bench");
    // No one is there to close a box.
    IDialogSeam::setMessageHook([](const QString& text, const QString&) {
        fprintf(stderr, "told: %s\n", qPrintable(text));
        return 0;
    });
    IFFmpegApi* api = IFFmpegApi::instance();
    api->initData();
    QElapsedTimer clock;
    clock.start();
    qint64 lastTick = 0;
    qint64 longest = 0;
    QTimer ticks;
    QObject::connect(&ticks, &QTimer::timeout, [&] {
        longest = qMax(longest, clock.elapsed() - lastTick);
        lastTick = clock.elapsed();
    });
    ticks.start(5);
    waitEvents(200);
    longest = 0;
    lastTick = clock.elapsed();
    const qint64 pressed = clock.elapsed();
    if (!api->startRecordVideo(folder, QRect(0, 0, 640, 480)))
        return 2;
    longest = qMax(longest, clock.elapsed() - lastTick);
    while (api->isStarting() && clock.elapsed() - pressed < 60000)
        waitEvents(5);
    const qint64 started = clock.elapsed() - pressed;
    if (!api->isRecording())
        return 2;
    printf("%lld %lld\n", longest, started);
    fflush(stdout);
    waitEvents(1000);
    api->stopRecordVideo();
    while (api->isFinalising() && clock.elapsed() - pressed < 120000)
        waitEvents(20);
    IFFmpegApi::destroyInstance();
    return 0;
}

BENCHMARK(BM_RecorderFullScreen)->Arg(0)->Arg(1)->Iterations(1)->Unit(benchmark::kSecond);
BENCHMARK(BM_SecondsLostToKill)->Arg(0)->Arg(1)->Arg(2)->Arg(3)->Iterations(1)->Unit(benchmark::kSecond);
BENCHMARK(BM_FfmpegCommand)->Iterations(1)->Unit(benchmark::kSecond);
BENCHMARK(BM_PicturesWhileSoundComesInBursts)->Iterations(1)->Unit(benchmark::kSecond);
BENCHMARK(BM_SoundAgainstPicture)->Iterations(1)->Unit(benchmark::kSecond);
BENCHMARK(BM_FirstStartStall)->Arg(0)->Arg(1)->Iterations(1)->Unit(benchmark::kSecond);

}

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsSet("OCUMETRA_BENCH_ANIMATE")) {
        QApplication app(argc, argv);
        NoiseWidget noise(nullptr, 60);
        noise.setGeometry(0, 0, 1920, 1080);
        noise.show();
        return QApplication::exec();
    }
    const QString loadFolder = qEnvironmentVariable("OCUMETRA_BENCH_LOAD_INTO");
    if (!loadFolder.isEmpty())
        return loadTheMachine(loadFolder);
#ifdef OCUMETRA_BENCH_WAYLAND
    // Started before the application object, whose X display it provides; its children
    // (the animation, the recorders killed on purpose) share it.
    QTemporaryDir desktopFolder;
    WaylandSession desktop;
    if (qEnvironmentVariableIsSet("OCUMETRA_BENCH_WAYLAND") && qEnvironmentVariableIsEmpty("OCUMETRA_BENCH_RECORD_INTO")
        && qEnvironmentVariableIsEmpty("OCUMETRA_BENCH_FIRST_START_INTO") && !desktop.start(desktopFolder.path(), true, 3600)) {
        fprintf(stderr, "could not start the Wayland desktop\n");
        return 1;
    }
    if (desktop.isRunning())
        g_desktop = &desktop;
#endif
    QApplication app(argc, argv);
    const QString killFolder = qEnvironmentVariable("OCUMETRA_BENCH_RECORD_INTO");
    if (!killFolder.isEmpty())
        return recordUntilKilled(killFolder);
    const QString firstStartFolder = qEnvironmentVariable("OCUMETRA_BENCH_FIRST_START_INTO");
    if (!firstStartFolder.isEmpty())
        return measureFirstStart(firstStartFolder);
    benchmark::Initialize(&argc, argv);
    Shared shared;
    g_shared = &shared;
    // The microphone hears silence but for the tones of BM_SoundAgainstPicture.
    if (!shared.pulse.start(shared.folder.path() + QStringLiteral("/pulse"), 3600, true)
        || !shared.microphone.start(shared.pulse.pipePath())) {
        fprintf(stderr, "could not start PulseAudio\n");
        return 1;
    }
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("OCUMETRA_BENCH_ANIMATE"), QStringLiteral("1"));
    shared.animator.setProcessEnvironment(env);
    shared.animator.start(QCoreApplication::applicationFilePath(), QStringList());
    shared.animator.waitForStarted(10000);
    waitEvents(1000);
    g_camera_info.description = QStringLiteral("bench");
    IFFmpegApi::instance()->initData();
    benchmark::RunSpecifiedBenchmarks();
    IFFmpegApi::destroyInstance();
    shared.animator.kill();  // our own child, by its id
    shared.animator.waitForFinished(5000);
    shared.microphone.stop();
    shared.pulse.stop();
    return 0;
}
