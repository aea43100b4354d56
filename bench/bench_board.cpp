// Live picture cost: frames through the board and an offscreen render of the view,
// against a bare QPainter::drawImage of the same frames at the same size.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <vector>

#include "board/iboard.h"
#include "board/islide.h"
#include "board/item/ipixmapitem.h"
#include "processcpu.h"

namespace {

constexpr int kFrames = 8;

std::vector<QImage> makeFrames(const QSize& size)
{
    std::vector<QImage> frames;
    for (int i = 0; i < kFrames; ++i) {
        QImage frame(size, QImage::Format_RGB32);
        frame.fill(QColor::fromHsv((i * 40) % 360, 200, 200));
        QPainter p(&frame);
        p.fillRect(QRect(i * 10, i * 10, size.width() / 3, size.height() / 3), Qt::white);
        frames.push_back(frame);
    }
    return frames;
}

// range(0), range(1): frame size; range(2), range(3): board size.
void BM_BoardLiveFrame(benchmark::State& state)
{
    const QSize frameSize(state.range(0), state.range(1));
    const QSize boardSize(state.range(2), state.range(3));
    const std::vector<QImage> frames = makeFrames(frameSize);

    IBoard board(TX_IBOARD_ENUM::SCENE_DISPLAY_DEFAULT);
    board.resize(boardSize);
    board.setSceneRect(-1073741824.0, -1073741824.0, 2147483647.0, 2147483647.0);
    board.insert(new ISlide, true);
    auto* picture = new IPixmapItem(boardSize);
    picture->setZValue(-9999999);
    board.setPixmapElement(picture);
    board.show();
    QApplication::processEvents();
    board.setCameraShowsize(QSizeF(boardSize));

    QImage target(boardSize, QImage::Format_ARGB32_Premultiplied);
    size_t i = 0;
    benchcpu::ProcessCpuMeter meter(state);
    for (auto _ : state) {
        board.setCameraImage(frames[i++ % frames.size()]);
        QPainter painter(&target);
        board.render(&painter, QRectF(target.rect()), board.viewport()->rect());
        painter.end();
        benchmark::DoNotOptimize(target.constBits());
    }
    state.SetItemsProcessed(state.iterations());
}

void BM_BareDrawImage(benchmark::State& state)
{
    const QSize frameSize(state.range(0), state.range(1));
    const QSize boardSize(state.range(2), state.range(3));
    const std::vector<QImage> frames = makeFrames(frameSize);
    const QSizeF fitted = QSizeF(frameSize).scaled(QSizeF(boardSize), Qt::KeepAspectRatio);

    QImage target(boardSize, QImage::Format_ARGB32_Premultiplied);
    size_t i = 0;
    benchcpu::ProcessCpuMeter meter(state);
    for (auto _ : state) {
        QPainter painter(&target);
        painter.drawImage(QRectF(QPointF(0, 0), fitted), frames[i++ % frames.size()]);
        painter.end();
        benchmark::DoNotOptimize(target.constBits());
    }
    state.SetItemsProcessed(state.iterations());
}

void sizes(benchmark::internal::Benchmark* b)
{
    b->Args({1920, 1080, 1920, 1080});   // full HD shown 1:1
    b->Args({3840, 2160, 3840, 2160});   // 4K shown 1:1
    b->Args({3840, 2160, 1920, 1080});   // 4K fitted into a full HD board
    b->Unit(benchmark::kMillisecond);
}

} // namespace

BENCHMARK(BM_BoardLiveFrame)->Apply(sizes);
BENCHMARK(BM_BareDrawImage)->Apply(sizes);

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
