#pragma once

#include "solver/CPositionKey.h"

#include <cstdint>
#include <vector>

// The positions seen so far, numbered in the order they were first seen.
// Open addressing on the key's hash; keys are compared whole, so two
// positions are never taken for one.
class CPositionTable {
public:
    static constexpr std::int32_t NOT_NEW = -1;

    // The new position's number, or NOT_NEW when it was seen before.
    std::int32_t Insert(const CPositionKey& key);
    std::int32_t Size() const { return static_cast<std::int32_t>(m_aKey.size()); }
    // Forgets every position but keeps the memory for the next search.
    void Clear();

private:
    void Grow();

    std::vector<CPositionKey> m_aKey;
    std::vector<std::int32_t> m_anSlot;  // a position's number, or NOT_NEW where free
};
