#include "tests/e2e/PinnedClock.h"

#include <ctime>
#include <fstream>
#include <sstream>

namespace {

std::string ClockText(std::int64_t second)
{
    const auto t = static_cast<std::time_t>(second);
    std::tm utc{};
    gmtime_r(&t, &utc);
    char text[32];
    std::strftime(text, sizeof text, "%Y-%m-%d %H:%M:%S", &utc);
    return text;
}

}  // namespace

const std::string& FaketimeLibrary()
{
    using namespace std::chrono_literals;
    static const std::string library = [] {
        std::string env;
        CChildProcess::Run({"faketime", "-f", "+0", "env"}, {}, 10s, &env);
        std::istringstream lines(env);
        for (std::string line; std::getline(lines, line);)
            if (line.rfind("LD_PRELOAD=", 0) == 0)
                return line.substr(11);
        return std::string();
    }();
    return library;
}

CChildProcess::Environment PinnedClockEnvironment(const std::string& clockFile)
{
    return {{"LD_PRELOAD", FaketimeLibrary()},
            {"FAKETIME_TIMESTAMP_FILE", clockFile},
            {"FAKETIME_NO_CACHE", "1"},
            {"FAKETIME_DONT_FAKE_MONOTONIC", "1"},
            {"TZ", "UTC"}};
}

void WriteClock(const std::string& clockFile, std::int64_t second)
{
    std::ofstream(clockFile, std::ios::trunc) << ClockText(second) << "\n";
}
