#include "bench/CrowdedBoard.h"

#include <algorithm>
#include <array>
#include <random>
#include <utility>
#include <vector>

namespace crowded {
namespace {

// Card k of a column is at y = 35 + 10k: 24 cards reach the window's bottom.
constexpr std::array<int, CBoard::NUM_COLUMNS> kLengths{24, 20, 16, 12, 9, 7, 6, 4, 3, 3};
static_assert([] {
    int n = 0;
    for (int l : kLengths)
        n += l;
    return n == CBoard::NUM_CARDS;
}());

using Face = std::pair<std::uint8_t, std::uint8_t>;  // suit, rank

}  // namespace

bool Lay(CBoard& board)
{
    board.FreeAllCards();
    board.m_nSelKind = CBoard::SEL_NONE;

    // The run: King of spades down to the Ace, black and red by turns.
    std::vector<Face> run;
    for (int r = CBoard::RANK_KING; r >= CBoard::RANK_ACE; --r)
        run.emplace_back(static_cast<std::uint8_t>((CBoard::RANK_KING - r) % 2), static_cast<std::uint8_t>(r));
    std::vector<Face> rest;
    for (int deck = 0; deck < 2; ++deck)
        for (std::uint8_t s = 0; s < 4; ++s)
            for (std::uint8_t r = 0; r < 13; ++r)
                if (deck == 1 || std::find(run.begin(), run.end(), Face{s, r}) == run.end())
                    rest.emplace_back(s, r);
    std::mt19937 mix(104);
    std::shuffle(rest.begin(), rest.end(), mix);

    std::size_t next = 0;
    for (int c = 0; c < CBoard::NUM_COLUMNS; ++c) {
        CCard** link = &board.m_apColumn[c];
        for (int k = 0; k < kLengths[static_cast<std::size_t>(c)]; ++k) {
            const bool inRun = c == kRunColumn && k >= kRunStart;
            const Face f = inRun ? run[static_cast<std::size_t>(k - kRunStart)] : rest[next++];
            *link = new CCard(f.first, f.second);
            link = &(*link)->m_pNext;
        }
    }

    int cards = 0;
    for (CCard* first : board.m_apColumn)
        for (CCard* p = first; p; p = p->m_pNext)
            ++cards;
    if (cards != CBoard::NUM_CARDS || next != rest.size() || !board.IsRun(kRunColumn, kRunStart))
        return false;
    board.m_nSelKind = CBoard::SEL_COLUMN;
    board.m_nSelPile = kRunColumn;
    board.m_nSelCard = kRunStart;
    return true;
}

}  // namespace crowded
