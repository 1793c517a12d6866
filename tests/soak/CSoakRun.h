#pragma once
// A soak run: the whole program started again and again, each life in a
// forked process of its own, fed seeded random stylus input until it ends
// its own way (Exit answered Yes, the win prompt answered No, the close
// button, the host window closed) or the run's events are used up. The same
// seed always gives the same run.

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

class CSoakRun {
public:
    struct CSettings {
        std::uint64_t nSeed = 1;
        std::uint64_t nEvents = 100000;
        std::optional<std::uint64_t> nOnlyLife;  // replays this life alone
        std::optional<std::uint64_t> nTraceFrom;  // event of a life from which each action is printed
        std::string strPictures;                  // prefix of pictures written on a violation
        int nShownViolations = 10;                // violations printed in full
    };

    struct CTotals {
        std::uint64_t nEvents = 0;
        std::uint64_t nChecks = 0;
        std::uint64_t nLives = 0;
        std::uint64_t nGamesWon = 0;
        std::uint64_t nViolations = 0;
        double dSeconds = 0;
        std::map<std::string, std::uint64_t> ends;  // how the lives ended
        std::vector<std::string> aViolations;       // the first few, in full
    };

    static CTotals Run(const CSettings& settings);

    // The seed of life n of a run.
    static std::uint64_t LifeSeed(std::uint64_t nSeed, std::uint64_t nLife);

private:
    [[noreturn]] static void RunLife(const CSettings& settings, std::uint64_t nLife, std::uint64_t nBudget,
                                     struct CSoakRecord* pRecord);
};
