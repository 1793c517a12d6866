// corvane_soak: the whole program under seeded random stylus input, checked
// after every event. Prints the figures; exits 1 when anything was violated.
//
//   corvane_soak [--seed N] [--events N] [--life N [--trace-from E] [--pictures PREFIX]]

#include "tests/soak/CSoakRun.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

bool ParseNumber(const char* text, std::uint64_t& out)
{
    if (!text || !*text)
        return false;
    char* end = nullptr;
    errno = 0;
    const unsigned long long value = std::strtoull(text, &end, 10);
    if (errno != 0 || *end != '\0' || text[0] == '-')
        return false;
    out = value;
    return true;
}

int Usage()
{
    std::fprintf(stderr,
                 "usage: corvane_soak [--seed N] [--events N] [--life N] [--trace-from E] [--pictures PREFIX]\n"
                 "  --seed N        seed of the run (default 1)\n"
                 "  --events N      input events in all (default 100000)\n"
                 "  --life N        replay life N of the run alone\n"
                 "  --trace-from E  print every action from event E of a life on\n"
                 "  --pictures P    on a violation write P screen.png and P painted.png\n");
    return 2;
}

}  // namespace

int main(int argc, char** argv)
{
    CSoakRun::CSettings settings;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        const char* value = i + 1 < argc ? argv[i + 1] : nullptr;
        std::uint64_t n = 0;
        if (arg == "--pictures" && value) {
            settings.strPictures = value;
            ++i;
            continue;
        }
        if (!ParseNumber(value, n))
            return Usage();
        ++i;
        if (arg == "--seed")
            settings.nSeed = n;
        else if (arg == "--events" && n > 0)
            settings.nEvents = n;
        else if (arg == "--life")
            settings.nOnlyLife = n;
        else if (arg == "--trace-from")
            settings.nTraceFrom = n;
        else
            return Usage();
    }

    const CSoakRun::CTotals totals = CSoakRun::Run(settings);
    for (const std::string& v : totals.aViolations)
        std::printf("soak: violation: %s\n", v.c_str());
    const double rate = totals.dSeconds > 0 ? static_cast<double>(totals.nEvents) / totals.dSeconds : 0;
    std::printf("soak: seed %llu: %llu events in %llu lives, %.0f events per second, %llu checks\n",
                static_cast<unsigned long long>(settings.nSeed), static_cast<unsigned long long>(totals.nEvents),
                static_cast<unsigned long long>(totals.nLives), rate, static_cast<unsigned long long>(totals.nChecks));
    std::string ends;
    for (const auto& [name, count] : totals.ends)
        ends += (ends.empty() ? "" : ", ") + name + " " + std::to_string(count);
    std::printf("soak: lives ended by: %s\n", ends.c_str());
    std::printf("soak: games won: %llu\n", static_cast<unsigned long long>(totals.nGamesWon));
    std::printf("soak: violations: %llu\n", static_cast<unsigned long long>(totals.nViolations));
    return totals.nViolations == 0 ? 0 : 1;
}
