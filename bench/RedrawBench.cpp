// Redraw of the board next to the least that any redraw must do: fill one
// 240 x 320 surface of the screen's pixel format and copy it once.

#include "bench/CBenchSession.h"
#include "bench/CrowdedBoard.h"
#include "view/CBoardView.h"

#include <benchmark/benchmark.h>

#include <algorithm>

namespace {

void BM_Floor(benchmark::State& state)
{
    CSurface offScreen(CBoardView::kWidth, CBoardView::kHeight);
    CSurface screen(CBoardView::kWidth, CBoardView::kHeight);
    const Pixel background = PixelFromColorRef(CBoardView::kBackground);
    for (auto _ : state) {
        std::fill(offScreen.Pixels().begin(), offScreen.Pixels().end(), background);
        std::copy(offScreen.Pixels().begin(), offScreen.Pixels().end(), screen.Pixels().begin());
        benchmark::DoNotOptimize(screen.Pixels().data());
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_Floor);

enum class Board { Fresh, Crowded };

// Runs body(view) inside the started program, on the board it asks for.
template <typename Body>
void OnBoard(benchmark::State& state, Board which, Body&& body)
{
    CBenchSession session;
    bool laid = true;
    const bool ran = session.RunWhenIdle([&](CBenchSession& s) {
        CBoardView& view = s.Frame()->m_wndBoard;
        if (which == Board::Crowded && !crowded::Lay(view.Board())) {
            laid = false;
            return;
        }
        body(view);
    });
    if (!laid)
        state.SkipWithError("the crowded board could not be laid");
    else if (!ran)
        state.SkipWithError("the program did not start and end cleanly");
}

void BM_Redraw(benchmark::State& state, Board which)
{
    OnBoard(state, which, [&](CBoardView& view) {
        for (auto _ : state)
            view.Redraw();
    });
}
BENCHMARK_CAPTURE(BM_Redraw, fresh, Board::Fresh);
BENCHMARK_CAPTURE(BM_Redraw, crowded, Board::Crowded);

// The off-screen picture alone, into a surface made once.
void BM_PaintBoard(benchmark::State& state, Board which)
{
    OnBoard(state, which, [&](CBoardView& view) {
        CDC dc;
        dc.CreateCompatibleDC(nullptr);
        CBitmap bitmap;
        bitmap.CreateCompatibleBitmap(&dc, CBoardView::kWidth, CBoardView::kHeight);
        CBitmap* old = dc.SelectObject(&bitmap);
        for (auto _ : state) {
            view.PaintBoard(&dc);
            benchmark::ClobberMemory();
        }
        dc.SelectObject(old);
    });
}
BENCHMARK_CAPTURE(BM_PaintBoard, fresh, Board::Fresh);
BENCHMARK_CAPTURE(BM_PaintBoard, crowded, Board::Crowded);

}  // namespace
