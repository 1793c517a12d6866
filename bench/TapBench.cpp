// One tap handled end to end: from the press handed to the window system
// until the frame it caused is presented by the headless host. The release
// that follows each press is handled too, outside the measured time.

#include "bench/CBenchSession.h"

#include <benchmark/benchmark.h>

#include <chrono>

namespace {

void BM_Tap(benchmark::State& state, CPoint boardPt)
{
    CBenchSession session;
    CBenchHost& host = session.Host();
    const CPoint pt = CBenchSession::BoardPoint(boardPt.x, boardPt.y);
    bool releaseDue = false;
    bool measuring = false;
    double cpuUs = 0;
    host.SetFeeder([&](CInputEvent& ev) {
        ev.pt = pt;
        if (releaseDue) {
            releaseDue = false;
            ev.kind = CInputEvent::Kind::Release;
            return true;
        }
        if (measuring) {
            measuring = false;
            const auto shown = host.PresentedAfterPress();
            const auto cpuNs = host.CpuNsToPresentAfterPress();
            if (shown && cpuNs) {
                state.SetIterationTime(std::chrono::duration<double>(*shown - host.PressedAt()).count());
                cpuUs += static_cast<double>(*cpuNs) / 1e3;
            } else {
                state.SkipWithError("a tap presented no frame");
            }
        }
        if (!state.KeepRunning())
            return false;
        ev.kind = CInputEvent::Kind::Press;
        releaseDue = measuring = true;
        return true;
    });
    if (!session.Run())
        state.SkipWithError("the program did not end cleanly");
    // This thread's CPU time for the same stretch, per tap.
    state.counters["cpu_us"] = benchmark::Counter(cpuUs, benchmark::Counter::kAvgIterations);
}
// Turns the stock's top card onto the waste; every 50th tap turns the waste back.
BENCHMARK_CAPTURE(BM_Tap, stock, CPoint{12, 14})->UseManualTime();
// Selects the exposed card of the last column, then clears the selection.
BENCHMARK_CAPTURE(BM_Tap, select, CPoint{9 * 24 + 12, 35 + 10 * 9 + 14})->UseManualTime();

}  // namespace
