#include "solver/CPositionKey.h"

#include <algorithm>
#include <cstring>
#include <span>

namespace {

constexpr int kFirstFoundation = 2;
constexpr int kFirstColumn = 2 + CBoard::NUM_FOUNDATIONS;

using CPile = std::span<const std::uint8_t>;

std::array<CPile, CBoard::NUM_PILES> Piles(const CSnapshot& abSnapshot)
{
    std::array<CPile, CBoard::NUM_PILES> aPile;
    std::size_t k = 0;
    for (CPile& pile : aPile) {
        const std::size_t nStart = k;
        while (abSnapshot[k] != CBoard::UNDO_SEPARATOR)
            ++k;
        pile = CPile(abSnapshot.data() + nStart, k - nStart);
        ++k;
    }
    return aPile;
}

// Any order fixed by the cards alone will do; most columns already differ
// in their deepest card.
bool Less(CPile a, CPile b)
{
    const int nA = a.empty() ? -1 : a[0];
    const int nB = b.empty() ? -1 : b[0];
    if (nA != nB)
        return nA < nB;
    if (a.size() != b.size())
        return a.size() < b.size();
    return !a.empty() && std::memcmp(a.data(), b.data(), a.size()) < 0;
}

std::uint64_t Mix(std::uint64_t n)
{
    n ^= n >> 31;
    n *= 0x7FB5D329728EA185ull;
    n ^= n >> 27;
    n *= 0x81DADEF4BC2DD44Dull;
    n ^= n >> 33;
    return n;
}

}  // namespace

CPositionKey::CPositionKey(const CSnapshot& abSnapshot, bool bFoundationPairs)
{
    std::array<CPile, CBoard::NUM_PILES> aPile = Piles(abSnapshot);
    std::size_t k = 0;
    const auto put = [this, &k](CPile pile) {
        std::copy(pile.begin(), pile.end(), m_ab.begin() + k);
        k += pile.size();
        m_ab[k++] = CBoard::UNDO_SEPARATOR;
    };

    // The waste is written top first: its bottom card was turned first.
    for (auto it = aPile[1].rbegin(); it != aPile[1].rend(); ++it)
        m_ab[k++] = *it;
    put(aPile[0]);
    for (int f = 0; f < CBoard::NUM_FOUNDATIONS; f += 2) {
        CPile& a = aPile[kFirstFoundation + f];
        CPile& b = aPile[kFirstFoundation + f + 1];
        if (bFoundationPairs && Less(b, a))
            std::swap(a, b);
        put(a);
        put(b);
    }
    std::sort(aPile.begin() + kFirstColumn, aPile.end(), Less);
    for (int c = kFirstColumn; c < CBoard::NUM_PILES; ++c)
        put(aPile[c]);

    std::uint64_t nHash = 0;
    for (std::size_t w = 0; w < SIZE; w += 8) {
        std::uint64_t nWord;
        std::memcpy(&nWord, m_ab.data() + w, sizeof nWord);
        nHash = Mix(nHash ^ nWord);
    }
    m_nHash = nHash;
}

bool CPositionKey::FoundationsInOrder(const CSnapshot& abSnapshot)
{
    const std::array<CPile, CBoard::NUM_PILES> aPile = Piles(abSnapshot);
    for (int f = 0; f < CBoard::NUM_FOUNDATIONS; ++f) {
        const CPile pile = aPile[kFirstFoundation + f];
        // Top first: the top card's rank is one less than the count.
        for (std::size_t i = 0; i < pile.size(); ++i) {
            if (pile[i] != (f / 2) * 13 + (pile.size() - 1 - i))
                return false;
        }
    }
    return true;
}
