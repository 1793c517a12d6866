#include "platform/runtime/Runtime.h"

#include <ctime>
#include <utility>

namespace crt {
namespace {

std::uint32_t g_state = 1;
TimeSource g_timeSource;

}  // namespace

void srand(std::uint32_t seed) { g_state = seed; }

int rand()
{
    g_state = g_state * 214013u + 2531011u;
    return static_cast<int>((g_state >> 16) & 0x7FFFu);
}

std::int64_t time()
{
    if (g_timeSource)
        return g_timeSource();
    return static_cast<std::int64_t>(std::time(nullptr));
}

void SetTimeSource(TimeSource source) { g_timeSource = std::move(source); }

}  // namespace crt
