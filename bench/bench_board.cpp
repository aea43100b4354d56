// Live picture cost: frames through the board and an offscreen render of the view,
// against a bare QPainter::drawImage of the same frames at the same size; and the
// board painted as its window paints it with 0 to 2000 finished pen strokes over the
// moving picture. Beside the wall time each case reports the process CPU per frame.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <QtMath>
#include <vector>

#include "board/iboard.h"
#include "board/islide.h"
#include "board/item/ipixmapitem.h"
#include "board/path/ipathmodes.h"
#include "boardinput.h"
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

// A board as the main window sets it up: the camera picture fitted into the board.
struct LiveBoard
{
    explicit LiveBoard(const QSize& boardSize)
    {
        board.resize(boardSize);
        board.setSceneRect(-1073741824.0, -1073741824.0, 2147483647.0, 2147483647.0);
        board.insert(new ISlide, true);
        auto* picture = new IPixmapItem(boardSize);
        picture->setZValue(-9999999);
        board.setPixmapElement(picture);
        board.show();
        QApplication::processEvents();
        board.setCameraShowsize(QSizeF(boardSize));
    }

    void send(int step, const QPointF& p) { sendToBoard(board, step, p); }

    // Wavy strokes of 200 points through the pen mode, rows of them over the whole
    // board; past one screenful they overlap the earlier ones.
    void drawStrokes(int count)
    {
        if (count == 0)
            return;
        board.setMode(TX_IBOARD_ENUM::MODE_PEN);
        board.boardState()->inkThickness = 6;
        const QSize size = board.viewport()->size();
        const int columns = qMax(1, size.width() / 760);
        const int rows = qMax(1, (size.height() - 60) / 21);
        for (int s = 0; s < count; ++s) {
            board.boardState()->inkColor = QColor::fromHsv((s * 37) % 360, 220, 220);
            const double x0 = (s % columns) * 760.0 + 20.0 + (s / (columns * rows)) * 7.0;
            const double y0 = ((s / columns) % rows) * 21.0 + 30.0;
            for (int i = 0; i < 200; ++i) {
                const QPointF p(x0 + i * 3.5, y0 + 12.0 * qSin(i / 9.0 + s));
                send(i == 0 ? 0 : i == 199 ? 2 : 1, p);
            }
        }
        QApplication::processEvents();
    }

    IBoard board{TX_IBOARD_ENUM::SCENE_DISPLAY_DEFAULT};
};

// range(0), range(1): frame size; range(2), range(3): board size.
void BM_BoardLiveFrame(benchmark::State& state)
{
    const QSize frameSize(state.range(0), state.range(1));
    const QSize boardSize(state.range(2), state.range(3));
    const std::vector<QImage> frames = makeFrames(frameSize);
    LiveBoard live(boardSize);
    IBoard& board = live.board;

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

// range(0), range(1): frame and board size; range(2): finished strokes on the page.
// Each frame is painted through the board's own paint event, as in the window; a bare
// drawImage of the same frame runs between the frames as the reference ("x_drawimage").
void BM_BoardLiveFrameStrokes(benchmark::State& state)
{
    const QSize size(state.range(0), state.range(1));
    const std::vector<QImage> frames = makeFrames(size);
    LiveBoard live(size);
    live.drawStrokes(int(state.range(2)));
    IBoard& board = live.board;
    // The first frame settles what the page shows; the loop measures the frames after it.
    board.setCameraImage(frames[0]);
    board.viewport()->repaint();

    QImage target(size, QImage::Format_ARGB32_Premultiplied);
    size_t i = 1;
    benchcpu::ProcessCpuMeter meter(state);
    benchcpu::InterleavedReference bare(state, meter, "drawimage");
    for (auto _ : state) {
        const QImage& frame = frames[i++ % frames.size()];
        board.setCameraImage(frame);
        board.viewport()->repaint();
        bare.run([&] {
            QPainter painter(&target);
            painter.drawImage(QPointF(0, 0), frame);
            painter.end();
            benchmark::DoNotOptimize(target.constBits());
        });
    }
    bare.report();
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

void strokeCounts(benchmark::internal::Benchmark* b)
{
    for (const int strokes : {0, 100, 500, 2000}) {
        b->Args({1920, 1080, strokes});
        b->Args({3840, 2160, strokes});
    }
    b->Unit(benchmark::kMillisecond);
}

} // namespace

BENCHMARK(BM_BoardLiveFrame)->Apply(sizes);
BENCHMARK(BM_BoardLiveFrameStrokes)->Apply(strokeCounts);
BENCHMARK(BM_BareDrawImage)->Apply(sizes);

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    registerPathModes();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
