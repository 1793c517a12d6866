#include "tests/soak/CSoakRandom.h"

std::uint64_t CSoakRandom::Next()
{
    m_nState += 0x9E3779B97F4A7C15ull;
    std::uint64_t z = m_nState;
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
}

int CSoakRandom::Below(int n)
{
    if (n <= 0)
        return 0;
    return static_cast<int>(Next() % static_cast<std::uint64_t>(n));
}

int CSoakRandom::Between(int lo, int hi)
{
    if (hi < lo)
        return lo;
    return lo + Below(hi - lo + 1);
}

bool CSoakRandom::Chance(int perMille) { return Below(1000) < perMille; }

std::uint64_t CSoakRandom::Derive(std::uint64_t nSeed, std::uint64_t n)
{
    CSoakRandom mixer(nSeed ^ (n * 0xD1B54A32D192ED03ull));
    mixer.Next();
    return mixer.Next();
}
