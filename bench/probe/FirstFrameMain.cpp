// corvane_first_frame: the program on the headless host, as a process of its
// own, closed right after its first frame. It prints when that frame was
// presented (CLOCK_MONOTONIC nanoseconds, comparable across processes) so
// that corvane_launch can time it from before the exec.

#include "bench/CBenchSession.h"

#include <chrono>
#include <cstdio>

int main()
{
    std::optional<CBenchHost::Clock::time_point> shown;
    {
        CBenchSession session;
        session.Host().SetFeeder([](CInputEvent&) { return false; });
        if (!session.Run()) {
            std::fprintf(stderr, "corvane_first_frame: the program did not end cleanly\n");
            return 1;
        }
        shown = session.Host().FirstPresent();
    }
    if (!shown) {
        std::fprintf(stderr, "corvane_first_frame: no frame was presented\n");
        return 1;
    }
    const auto ns = std::chrono::duration_cast<std::chrono::nanoseconds>(shown->time_since_epoch()).count();
    std::printf("%lld\n", static_cast<long long>(ns));
    return 0;
}
