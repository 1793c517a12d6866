#pragma once
// The soak run's own random numbers: splitmix64, the same on every host and
// every build, so a seed always replays the same input.

#include <cstdint>

class CSoakRandom {
public:
    explicit CSoakRandom(std::uint64_t nSeed) : m_nState(nSeed) {}

    std::uint64_t Next();
    // 0 to n - 1; 0 when n is not positive.
    int Below(int n);
    // lo to hi, both included.
    int Between(int lo, int hi);
    // True perMille times in a thousand.
    bool Chance(int perMille);
    // Picks an index by weight; -1 when every weight is 0.
    template <typename Range>
    int Weighted(const Range& weights)
    {
        int total = 0;
        for (int w : weights)
            total += w > 0 ? w : 0;
        if (total == 0)
            return -1;
        int pick = Below(total);
        int index = 0;
        for (int w : weights) {
            if (w > 0 && pick < w)
                return index;
            pick -= w > 0 ? w : 0;
            ++index;
        }
        return -1;
    }

    // A seed of its own for item n of a run seeded with nSeed.
    static std::uint64_t Derive(std::uint64_t nSeed, std::uint64_t n);

private:
    std::uint64_t m_nState;
};
