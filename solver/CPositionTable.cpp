#include "solver/CPositionTable.h"

#include <algorithm>

std::int32_t CPositionTable::Insert(const CPositionKey& key)
{
    // Kept at most half full, so that probes stay short.
    if (2 * (m_aKey.size() + 1) > m_anSlot.size())
        Grow();
    const std::size_t nMask = m_anSlot.size() - 1;
    for (std::size_t i = key.Hash() & nMask;; i = (i + 1) & nMask) {
        const std::int32_t n = m_anSlot[i];
        if (n == NOT_NEW) {
            m_anSlot[i] = Size();
            m_aKey.push_back(key);
            return m_anSlot[i];
        }
        if (m_aKey[n].Hash() == key.Hash() && m_aKey[n] == key)
            return NOT_NEW;
    }
}

void CPositionTable::Clear()
{
    m_aKey.clear();
    std::fill(m_anSlot.begin(), m_anSlot.end(), NOT_NEW);
}

void CPositionTable::Grow()
{
    m_anSlot.assign(std::max<std::size_t>(1024, 2 * m_anSlot.size()), NOT_NEW);
    const std::size_t nMask = m_anSlot.size() - 1;
    for (std::int32_t n = 0; n < Size(); ++n) {
        std::size_t i = m_aKey[n].Hash() & nMask;
        while (m_anSlot[i] != NOT_NEW)
            i = (i + 1) & nMask;
        m_anSlot[i] = n;
    }
}
