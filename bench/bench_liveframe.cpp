// The live-frame path of the capture back ends: MJPEG decode into an owning QImage,
// software adjustments and the document outline, against a bare tjDecompress2.
// Adjustments and outline may run on worker threads, so the figures to judge are the
// process CPU per frame (proc_cpu_ms) and its ratio to the bare decode's (x_decode).
// BM_RtspJpegFrame: a Wi-Fi camera's MJPEG frame through FFmpeg's decoder and swscale
// against TurboJPEG, each into a reused BGRA picture.
// BM_ShownPicture: a decoded frame onto the screen at a smaller size, converted whole and
// scaled by Qt while painting, against made at the shown size: straight into the screen
// above half the pixels, else made and copied as it is.
#include <QBuffer>
#include <QImage>
#include <QImageWriter>
#include <QPainter>
#include <benchmark/benchmark.h>
#include <opencv2/core.hpp>
#include <random>
#include <turbojpeg.h>
#include <vector>

#include "ffmpeg/iavptr.h"
#include "ffmpeg/wifirtsp/ipictureconverter.h"
#include "framepathbackend.h"
#include "imjpegdecoder.h"
#include "opencv/iopencvapi.h"
#include "opencv/isoftwareadjust.h"
#include "patternframe.h"
#include "processcpu.h"

namespace {

// A grey desk with a page of ruled lines; "noisy" adds a camera sensor's grain, which
// sends the bright paper through the levels' clipping instead of the all-white shortcut.
QByteArray makeFrame(int width, int height, bool noisy)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(QColor(70, 70, 75));
    QPainter painter(&image);
    painter.fillRect(QRect(width / 6, height / 6, width * 2 / 3, height * 2 / 3), QColor(235, 232, 225));
    painter.setPen(QColor(30, 30, 30));
    for (int y = height / 5; y < height * 4 / 5; y += height / 40)
        painter.drawLine(width / 5, y, width * 4 / 5, y);
    painter.end();
    if (noisy) {
        std::mt19937 random(27);
        std::normal_distribution<float> grain(0.0f, 4.0f);
        for (int y = 0; y < height; ++y) {
            auto* row = reinterpret_cast<QRgb*>(image.scanLine(y));
            for (int x = 0; x < width; ++x) {
                const auto add = [&](int c) { return qBound(0, c + qRound(grain(random)), 255); };
                row[x] = qRgb(add(qRed(row[x])), add(qGreen(row[x])), add(qBlue(row[x])));
            }
        }
    }
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "jpeg");
    writer.setQuality(85);
    writer.write(image);
    return bytes;
}

const QByteArray& frame(int width, bool noisy)
{
    static const QByteArray hd = makeFrame(1920, 1080, false), uhd = makeFrame(3840, 2160, false);
    static const QByteArray noisyHd = makeFrame(1920, 1080, true), noisyUhd = makeFrame(3840, 2160, true);
    if (noisy)
        return width == 1920 ? noisyHd : noisyUhd;
    return width == 1920 ? hd : uhd;
}

// The reference: tjDecompress2 of the same frame into one BGRA target.
struct BareDecoder
{
    const QByteArray& jpeg;
    tjhandle handle = tjInitDecompress();
    int w = 0, h = 0;
    std::vector<uchar> out;

    BareDecoder(int width, bool noisy) : jpeg(frame(width, noisy))
    {
        int sub = 0, cs = 0;
        tjDecompressHeader3(handle, reinterpret_cast<const uchar*>(jpeg.constData()), jpeg.size(), &w, &h, &sub, &cs);
        out.resize(size_t(w) * h * 4);
    }
    ~BareDecoder() { tjDestroy(handle); }
    void operator()()
    {
        tjDecompress2(handle, reinterpret_cast<const uchar*>(jpeg.constData()), jpeg.size(), out.data(), w, w * 4, h,
                      TJPF_BGRA, 0);
        benchmark::DoNotOptimize(out.data());
    }
};

void BM_BareDecode(benchmark::State& state)
{
    BareDecoder decode(int(state.range(0)), false);
    benchcpu::ProcessCpuMeter meter(state);
    for (auto _ : state)
        decode();
}

// range(1): 0 adjustments off, 1 on; range(2): 0 automatic edging off, 1 on; range(3):
// 1 for the grainy picture.
void BM_LiveFramePath(benchmark::State& state)
{
    const bool noisy = state.range(3) != 0;
    const QByteArray& jpeg = frame(int(state.range(0)), noisy);
    IMjpegDecoder decoder;
    SoftwareAdjustments adjust;
    if (state.range(1)) {
        adjust.brightness = 60;
        adjust.contrast = 55;
        adjust.saturation = 60;
    }
    FramePathBackend backend;
    backend.setAutoEdgeFlag(state.range(2) != 0);
    BareDecoder bare(int(state.range(0)), noisy);
    benchcpu::ProcessCpuMeter meter(state);
    benchcpu::InterleavedReference reference(state, meter, "decode");
    for (auto _ : state) {
        QImage image = decoder.decode(jpeg);
        cv::Mat mat(image.height(), image.width(), CV_8UC4, image.bits(), size_t(image.bytesPerLine()));
        adjust.apply(mat);
        backend.publishFrame(image);
        reference.run(bare);
    }
    reference.report();
}

// range(0): 0 FFmpeg's mjpeg decoder then swscale to BGRA, 1 TurboJPEG to BGRA.
void BM_RtspJpegFrame(benchmark::State& state)
{
    const QByteArray& jpeg = frame(1920, true);
    QImage target = allocSwsTargetImage(1920, 1080);
    IMjpegDecoder turbo;
    const AVCodec* codec = avcodec_find_decoder(AV_CODEC_ID_MJPEG);
    IAVCodecContextPtr decoder(avcodec_alloc_context3(codec));
    IAVPacketPtr packet(av_packet_alloc());
    IAVFramePtr picture(av_frame_alloc());
    ISwsContextPtr scaler;
    if (!decoder || avcodec_open2(decoder.get(), codec, nullptr) < 0) {
        state.SkipWithError("no mjpeg decoder");
        return;
    }
    for (auto _ : state) {
        if (state.range(0) == 1) {
            const QImage image = turbo.decode(reinterpret_cast<const uchar*>(jpeg.constData()), size_t(jpeg.size()),
                                              false, QSize(), &target);
            benchmark::DoNotOptimize(image.constBits());
            continue;
        }
        packet->data = reinterpret_cast<uint8_t*>(const_cast<char*>(jpeg.constData()));
        packet->size = jpeg.size();
        if (avcodec_send_packet(decoder.get(), packet.get()) < 0 || avcodec_receive_frame(decoder.get(), picture.get()) < 0) {
            state.SkipWithError("mjpeg decode failed");
            return;
        }
        if (!scaler)
            scaler.reset(sws_getContext(picture->width, picture->height, AVPixelFormat(picture->format), picture->width,
                                        picture->height, AV_PIX_FMT_BGRA, SWS_BICUBIC, nullptr, nullptr, nullptr));
        uint8_t* dst[4] = {target.bits(), nullptr, nullptr, nullptr};
        int stride[4] = {int(target.bytesPerLine()), 0, 0, 0};
        sws_scale(scaler.get(), picture->data, picture->linesize, 0, picture->height, dst, stride);
        av_frame_unref(picture.get());
    }
}

// range(0): the frame's width (16:9); range(1): the shown width; range(2): 0 converted
// whole and scaled by the painter, 1 made at the shown size.
void BM_ShownPicture(benchmark::State& state)
{
    const QSize full(int(state.range(0)), int(state.range(0)) * 9 / 16);
    const QSize shown(int(state.range(1)), qRound(state.range(1) * 9.0 / 16.0));
    const IAVFramePtr frame = patternFrame(full);
    if (!frame) {
        state.SkipWithError("no frame");
        return;
    }
    const bool atShownSize = state.range(2) == 1;
    QImage picture = allocSwsTargetImage(atShownSize ? shown.width() : full.width(),
                                         atShownSize ? shown.height() : full.height());
    QImage screen(shown, QImage::Format_RGB32);
    IPictureConverter converter;
    benchcpu::ProcessCpuMeter meter(state);
    // Shown at more than half its pixels, the frame is converted straight into the screen.
    const bool intoScreen = atShownSize && IPictureConverter::drawsShown(full, shown, AV_PIX_FMT_YUV420P);
    for (auto _ : state) {
        if (intoScreen ? !converter.drawShown(frame.get(), shown, &screen, QPoint(), screen.rect())
                       : !converter.convert(frame.get(), &picture)) {
            state.SkipWithError("conversion failed");
            return;
        }
        if (intoScreen)
            continue;
        QPainter painter(&screen);
        if (atShownSize)
            painter.drawImage(QPointF(0, 0), picture);
        else
            painter.drawImage(QRectF(QPointF(0, 0), QSizeF(shown)), picture);
    }
}

} // namespace

BENCHMARK(BM_ShownPicture)
    ->Args({1920, 1660, 0})->Args({1920, 1660, 1})->Args({1920, 830, 0})->Args({1920, 830, 1})
    ->Args({3840, 1660, 0})->Args({3840, 1660, 1})
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RtspJpegFrame)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_BareDecode)->Arg(1920)->Arg(3840)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LiveFramePath)
    ->Args({1920, 0, 0, 0})->Args({1920, 0, 1, 0})->Args({1920, 1, 0, 0})->Args({1920, 1, 1, 0})
    ->Args({3840, 0, 0, 0})->Args({3840, 0, 1, 0})->Args({3840, 1, 0, 0})->Args({3840, 1, 1, 0})
    ->Args({1920, 0, 0, 1})->Args({1920, 1, 0, 1})->Args({3840, 0, 0, 1})->Args({3840, 1, 0, 1})
    ->Unit(benchmark::kMillisecond);
BENCHMARK_MAIN();
