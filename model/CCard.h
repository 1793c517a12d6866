#pragma once

#include <cstdint>

// One card of the two decks. A card is a heap object owned by the pile whose
// list holds it; moves relink cards and never copy them.
class CCard {
public:
    CCard(std::uint8_t nSuit, std::uint8_t nRank);
    virtual ~CCard();

    CCard(const CCard&) = delete;
    CCard& operator=(const CCard&) = delete;

    std::uint8_t m_nSuit;  // 0 spades, 1 hearts, 2 clubs, 3 diamonds
    std::uint8_t m_nRank;  // 0 Ace, 1..9 the pips 2..10, 10 Jack, 11 Queen, 12 King
    CCard* m_pNext;        // next card of the same pile, null at its end
};
