// The live USB path: from a dequeued MJPEG buffer of the virtual camera to the frame
// the V4L2 back end emits, beside a bare tjDecompress2 of the same frames. The camera
// runs unpaced (a frame whenever a buffer waits), so the back end sets the pace.
// The bare decode runs into one target, which stays in the cache, and into two taken
// in turn, as a live picture needs: one is shown while the next is written.
// The back end decodes on its own thread: compare proc_cpu_ms, not the CPU column.

#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QMutex>
#include <QWaitCondition>
#include <turbojpeg.h>

#include <vector>

#include "imaccapturethread.h"
#include "processcpu.h"
#include "virtualcamera.h"
#include "virtualcamera_scene.h"

namespace {

QSize sizeOf(const benchmark::State& state) { return QSize(int(state.range(0)), int(state.range(1))); }

void BM_V4l2LiveFrame(benchmark::State& state)
{
    vcam_command("reset");
    vcam_command("fps 0");
    QMutex mutex;
    QWaitCondition arrived;
    long frames = 0;
    IMacCaptureThread camera(QStringLiteral("/dev/video63"));
    QObject::connect(
        &camera, &ICameraBackend::sgCameraFrame, &camera,
        [&](QImage) {
            QMutexLocker lock(&mutex);
            ++frames;
            arrived.wakeAll();
        },
        Qt::DirectConnection);
    camera.setResolution(sizeOf(state));
    camera.openCamera();
    auto waitFor = [&](long count) {
        QMutexLocker lock(&mutex);
        while (frames < count)
            if (!arrived.wait(&mutex, 30000))
                return false;
        return true;
    };
    // The camera encodes its first frames once; measure once they are cached.
    if (!waitFor(VirtualScene::kPhases * 2)) {
        state.SkipWithError("no frames from the virtual camera");
        return;
    }
    long next = frames;
    benchcpu::ProcessCpuMeter meter(state);
    for (auto _ : state) {
        if (!waitFor(++next)) {
            state.SkipWithError("the stream stopped");
            break;
        }
    }
    meter.report();
    camera.closeCamera();
    vcam_command("reset");
}

void BM_BareTurboJpeg(benchmark::State& state)
{
    const QSize size = sizeOf(state);
    tjhandle encoder = tjInitCompress();
    std::vector<std::vector<unsigned char>> jpegs;
    std::vector<uint8_t> rgb(size_t(size.width()) * size.height() * 3);
    for (int phase = 0; phase < VirtualScene::kPhases; ++phase) {
        VirtualScene::draw(rgb.data(), size.width(), size.height(), phase);
        unsigned char* out = nullptr;
        unsigned long bytes = 0;
        tjCompress2(encoder, rgb.data(), size.width(), 0, size.height(), TJPF_RGB, &out, &bytes, TJSAMP_422, 85, 0);
        jpegs.emplace_back(out, out + bytes);
        tjFree(out);
    }
    tjDestroy(encoder);
    tjhandle decoder = tjInitDecompress();
    std::vector<std::vector<unsigned char>> targets(size_t(state.range(2)),
                                                    std::vector<unsigned char>(size_t(size.width()) * size.height() * 4));
    size_t i = 0;
    benchcpu::ProcessCpuMeter meter(state);
    for (auto _ : state) {
        std::vector<unsigned char>& target = targets[i % targets.size()];
        const std::vector<unsigned char>& jpeg = jpegs[i++ % jpegs.size()];
        tjDecompress2(decoder, jpeg.data(), jpeg.size(), target.data(), size.width(), size.width() * 4, size.height(),
                      TJPF_BGRA, 0);
        benchmark::DoNotOptimize(target.data());
    }
    tjDestroy(decoder);
}

} // namespace

BENCHMARK(BM_V4l2LiveFrame)->Args({1920, 1080})->Args({3840, 2160})->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_BareTurboJpeg)
    ->Args({1920, 1080, 1})
    ->Args({1920, 1080, 2})
    ->Args({3840, 2160, 1})
    ->Args({3840, 2160, 2})
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
