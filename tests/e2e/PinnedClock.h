#pragma once
// The second a program under test sees, pinned with faketime: it reads the
// second from a file the test rewrites, while the monotonic clock (the
// hosts' milliseconds) keeps running so that double taps work.

#include "tests/e2e/CChildProcess.h"

#include <cstdint>
#include <string>

// The library faketime preloads, as its own wrapper names it; empty when
// faketime is missing.
const std::string& FaketimeLibrary();
CChildProcess::Environment PinnedClockEnvironment(const std::string& clockFile);
void WriteClock(const std::string& clockFile, std::int64_t second);
