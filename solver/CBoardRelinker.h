#pragma once

#include "model/CBoard.h"

#include <array>
#include <cstdint>
#include <vector>

// A position as the board's undo snapshot writes it: stock, waste,
// foundations 0-7, columns 0-9, one byte a card and 0xFF after each pile.
using CSnapshot = std::array<std::uint8_t, CBoard::UNDO_SIZE>;

// Lays a board out as a snapshot of one of its own positions by relinking
// the card objects it already holds. RestoreUndo would make every card anew;
// a search that lays thousands of positions a second reuses them instead.
class CBoardRelinker {
public:
    // Takes note of the board's cards; the board keeps owning them.
    explicit CBoardRelinker(CBoard& board);

    // The board's piles as SaveUndo writes them, which it does into the
    // board's own buffer and so sets its Undo flag. A board of fewer than
    // 104 cards leaves the bytes after the last pile 0.
    CSnapshot Snapshot();
    // The snapshot must hold the same cards as the board, as every position
    // reached from it by moves does. Clears the selection.
    void Lay(const CSnapshot& abSnapshot);
    // Whether the board holds every card of both decks, each once.
    bool HoldsBothDecks() const;

private:
    static constexpr int NUM_VALUES = 4 * 13;

    CBoard& m_board;
    std::vector<CCard*> m_apCard;                  // the cards, grouped by value
    std::array<int, NUM_VALUES + 1> m_anFirst{};  // where each value's group starts
};

// Pile k of the snapshot order.
CCard*& SnapshotPile(CBoard& board, int nPile);
