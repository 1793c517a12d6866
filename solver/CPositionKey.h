#pragma once

#include "solver/CBoardRelinker.h"

#include <array>
#include <cstdint>

// What the search remembers of a position: the same for positions that are
// won or lost together, so that each is searched once.
//
// - The stock and the waste count as one sequence, the order in which their
//   cards are turned (the waste from its bottom card up, then the stock from
//   its top down). Turning and turning back reach every split of it from
//   every other, and with cards left in them the game is not won, so where
//   the split lies changes nothing.
// - The columns as a set: no rule looks at a column's place.
// - The two foundations of a suit as a set, where every foundation holds its
//   own suit from the Ace up: a tap lays a card on either one that takes it,
//   and the double tap's choice for an Ace, the first empty one, is the same
//   choice mirrored.
class CPositionKey {
public:
    static constexpr int SIZE = 128;

    CPositionKey() = default;
    CPositionKey(const CSnapshot& abSnapshot, bool bFoundationPairs);

    std::uint64_t Hash() const { return m_nHash; }
    bool operator==(const CPositionKey& other) const { return m_ab == other.m_ab; }

    // Whether every foundation f holds only suit f / 2, from the Ace up with
    // no gap, as every position the game reaches does.
    static bool FoundationsInOrder(const CSnapshot& abSnapshot);

private:
    std::array<std::uint8_t, SIZE> m_ab{};
    std::uint64_t m_nHash = 0;
};
