// Pen and eraser cost on a 4K board: 500 strokes of 200 points drawn through the pen
// mode (time per stroke segment), then an erase sweep of 100 steps with a big eraser
// across that page (time per erase step; the goal is one frame, 16 ms, per step).
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QPainter>
#include <QtMath>

#include "board/iboard.h"
#include "board/islide.h"
#include "board/path/ipathmodes.h"
#include "boardinput.h"
#include "processcpu.h"

namespace {

constexpr int kStrokes = 500;
constexpr int kPoints = 200;
constexpr int kEraseSteps = 100;
const QSize kBoardSize(3840, 2160);

struct Page
{
    Page()
    {
        board.resize(kBoardSize);
        board.setAlignment(Qt::AlignLeft | Qt::AlignTop);
        board.setSceneRect(0, 0, kBoardSize.width(), kBoardSize.height());
        board.insert(new ISlide, true);
        board.boardState()->inkThickness = 6;
    }

    void send(int step, const QPointF& p) { sendToBoard(board, step, p); }

    // Wavy strokes spread over the whole page, a few pixels per segment as a fast pen gives.
    void drawStrokes()
    {
        board.setMode(TX_IBOARD_ENUM::MODE_PEN);
        for (int s = 0; s < kStrokes; ++s) {
            const double x0 = (s / 100) * 760.0 + 20.0;
            const double y0 = (s % 100) * 21.0 + 30.0;
            for (int i = 0; i < kPoints; ++i) {
                const QPointF p(x0 + i * 3.5, y0 + 12.0 * qSin(i / 9.0 + s));
                send(i == 0 ? 0 : i == kPoints - 1 ? 2 : 1, p);
            }
        }
    }

    IBoard board{TX_IBOARD_ENUM::SCENE_DISPLAY_DEFAULT};
};

// range(0): eraser diameter in pixels; range(1): 1 to also repaint the erased band each
// step, as the view does on the next frame; 2 to show the board and repaint the band on
// screen, through the board's cache of finished drawings.
void BM_EraseStep(benchmark::State& state)
{
    const double diameter = state.range(0);
    const bool repaint = state.range(1) == 1;
    const bool onScreen = state.range(1) == 2;
    QImage frame(kBoardSize, QImage::Format_ARGB32_Premultiplied);
    double worstMs = 0.0;
    double totalMs = 0.0;
    qint64 steps = 0;
    double cpuMs = 0.0;
    for (auto _ : state) {
        Page page;
        if (onScreen) {
            page.board.show();
            QApplication::processEvents();
        }
        page.drawStrokes();
        if (onScreen)
            page.board.viewport()->repaint();
        page.board.boardState()->pointEraserSize = QSizeF(diameter, diameter);
        page.board.setMode(TX_IBOARD_ENUM::MODE_ERASER_POINT);
        QPointF prev(0, 40);
        const double cpu0 = benchcpu::processCpuSeconds();
        QElapsedTimer sweep;
        sweep.start();
        for (int i = 0; i < kEraseSteps; ++i) {
            // A diagonal sweep over the whole page, crossing every row of strokes.
            const double t = double(i) / (kEraseSteps - 1);
            const QPointF p(t * kBoardSize.width(), 40.0 + t * (kBoardSize.height() - 80.0));
            QElapsedTimer one;
            one.start();
            page.send(i == 0 ? 0 : i == kEraseSteps - 1 ? 2 : 1, p);
            if (repaint) {
                const double r = diameter / 2;
                const QRectF band = QRectF(prev, p).normalized().adjusted(-r, -r, r, r);
                QPainter painter(&frame);
                painter.setClipRect(band);
                page.board.currentSlide()->render(&painter, band, band);
            }
            if (onScreen) {
                const double r = diameter / 2;
                const QRectF band = QRectF(prev, p).normalized().adjusted(-r, -r, r, r);
                page.board.viewport()->repaint(band.toAlignedRect());
            }
            prev = p;
            worstMs = qMax(worstMs, one.nsecsElapsed() / 1e6);
        }
        const double ms = sweep.nsecsElapsed() / 1e6;
        cpuMs += (benchcpu::processCpuSeconds() - cpu0) * 1e3;
        totalMs += ms;
        steps += kEraseSteps;
        state.SetIterationTime(ms / 1000.0);
    }
    state.counters["ms_per_step"] = totalMs / steps;
    state.counters["proc_cpu_ms_per_step"] = cpuMs / steps;
    state.counters["worst_step_ms"] = worstMs;
}

// Per segment: wall time of the whole drawing divided by its segments.
void BM_PenSegmentTimed(benchmark::State& state)
{
    double totalUs = 0.0;
    double cpuUs = 0.0;
    qint64 segments = 0;
    for (auto _ : state) {
        Page page;
        const double cpu0 = benchcpu::processCpuSeconds();
        QElapsedTimer timer;
        timer.start();
        page.drawStrokes();
        const double us = timer.nsecsElapsed() / 1e3;
        cpuUs += (benchcpu::processCpuSeconds() - cpu0) * 1e6;
        state.SetIterationTime(us / 1e6);
        totalUs += us;
        segments += qint64(kStrokes) * (kPoints - 1);
    }
    state.counters["us_per_segment"] = totalUs / segments;
    state.counters["proc_cpu_us_per_segment"] = cpuUs / segments;
}

} // namespace

BENCHMARK(BM_PenSegmentTimed)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_EraseStep)
    ->Args({60, 0})
    ->Args({200, 0})
    ->Args({200, 1})
    ->Args({200, 2})
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3);

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
