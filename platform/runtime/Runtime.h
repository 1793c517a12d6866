#pragma once
// The pieces of the handheld's C runtime that the game relies on: its
// pseudo-random generator and the clock in whole seconds. Nothing here knows
// of windows, so the game model can link this alone.

#include <cstdint>
#include <functional>

namespace crt {

inline constexpr int RAND_MAX_VALUE = 0x7FFF;

// The runtime's linear congruential generator: the same seed gives the same
// sequence on every host, so a given second always deals the same layout.
void srand(std::uint32_t seed);
int rand();

// Seconds since the epoch. Tests replace the source to pin the deal.
std::int64_t time();
using TimeSource = std::function<std::int64_t()>;
void SetTimeSource(TimeSource source);  // empty: the system clock again

}  // namespace crt
