// Start-up in this process, up to the first frame presented: the window
// system, the resources, InitInstance (the board view builds its strips and
// deals), the first paint. What exec and the dynamic loader add is measured
// by corvane_launch.

#include "bench/CBenchSession.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <optional>

namespace {

void BM_StartUp(benchmark::State& state)
{
    double cpuUs = 0;
    for (auto _ : state) {
        const std::int64_t startCpu = CBenchHost::ThreadCpuNs();
        const CBenchHost::Clock::time_point start = CBenchHost::Clock::now();
        std::int64_t shownCpu = 0;
        std::optional<CBenchHost::Clock::time_point> shown;
        {
            CBenchSession session;
            // The first wait comes right after the first frame.
            session.Host().SetFeeder([&](CInputEvent&) {
                shownCpu = CBenchHost::ThreadCpuNs();
                return false;
            });
            if (!session.Run()) {
                state.SkipWithError("the program did not end cleanly");
                break;
            }
            shown = session.Host().FirstPresent();
        }
        if (!shown) {
            state.SkipWithError("no frame was presented");
            break;
        }
        state.SetIterationTime(std::chrono::duration<double>(*shown - start).count());
        cpuUs += static_cast<double>(shownCpu - startCpu) / 1e3;
    }
    state.counters["cpu_us"] = benchmark::Counter(cpuUs, benchmark::Counter::kAvgIterations);
}
BENCHMARK(BM_StartUp)->UseManualTime();

}  // namespace
