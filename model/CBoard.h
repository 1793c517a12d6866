#pragma once

#include "model/CCard.h"

#include <cstdint>

// The game state: twenty piles, the one-level undo snapshot and the
// selection, with the deal, the rules and the moves that work on them. The
// board view holds one by value and turns taps into calls of these
// operations; nothing here knows of windows or pixels.
//
// Piles are singly linked lists held by their first card. For the stock, the
// waste and the foundations the first card is the top card; for a column it is
// the deepest card and the last card is the exposed one.
//
// The moves rely on their caller having made the matching test first. Called
// on a pile they cannot take from (empty source, index past the column's end,
// a column onto itself, a pile number out of range) they change nothing.
class CBoard {
public:
    static constexpr int NUM_COLUMNS = 10;
    static constexpr int NUM_FOUNDATIONS = 8;
    static constexpr int NUM_CARDS = 104;
    static constexpr int NUM_PILES = 2 + NUM_FOUNDATIONS + NUM_COLUMNS;
    static constexpr int UNDO_SIZE = NUM_CARDS + NUM_PILES;  // 124
    static constexpr std::uint8_t UNDO_SEPARATOR = 0xFF;

    static constexpr int NO_FOUNDATION = -1;  // PickFoundation finds no place

    static constexpr std::uint8_t RANK_ACE = 0;
    static constexpr std::uint8_t RANK_KING = 12;

    static constexpr std::uint8_t SEL_NONE = 0;
    static constexpr std::uint8_t SEL_WASTE = 1;
    static constexpr std::uint8_t SEL_COLUMN = 2;
    static constexpr std::uint8_t SEL_FOUNDATION = 3;

    // Empties the piles, deals the first game and snapshots it; Undo starts
    // unavailable.
    CBoard();
    ~CBoard();

    CBoard(const CBoard&) = delete;
    CBoard& operator=(const CBoard&) = delete;

    // Shuffles two decks seeded by the clock's second and lays out a new game.
    // Clears the selection; leaves the undo snapshot and its flag alone.
    void Deal();
    // Destroys every card: foundations 0-7, columns 0-9, stock, waste.
    void FreeAllCards();

    // Queries and tests; none of them changes the board.
    CCard* CardAt(int nColumn, int nIndex) const;
    int HitRow(int nColumn, int nRow) const;
    bool IsRun(int nColumn, int nIndex) const;
    bool ColumnAccepts(int nColumn, const CCard* pCard) const;
    bool FoundationAccepts(int nFoundation, const CCard* pCard) const;
    int PickFoundation(const CCard* pCard) const;
    bool IsWon() const;

    // The seven moves; each relinks existing cards and tests nothing of the
    // rules.
    void TurnStock();
    void RecycleWaste();
    void WasteToColumn(int nColumn);
    void WasteToFoundation(int nFoundation);
    void RunToColumn(int nSrcColumn, int nIndex, int nDstColumn);
    void CardToFoundation(int nColumn, int nIndex, int nFoundation);
    void FoundationToColumn(int nFoundation, int nColumn);

    void SaveUndo();
    void RestoreUndo();

    CCard* m_pStock;
    CCard* m_pWaste;
    CCard* m_apColumn[NUM_COLUMNS];
    CCard* m_apFoundation[NUM_FOUNDATIONS];
    std::uint8_t m_abUndo[UNDO_SIZE];
    std::int32_t m_bCanUndo;
    std::uint8_t m_nSelKind;
    std::int32_t m_nSelPile;
    std::int32_t m_nSelCard;

private:
    static bool IsColumn(int nColumn) { return nColumn >= 0 && nColumn < NUM_COLUMNS; }
    static bool IsFoundation(int nFoundation)
    {
        return nFoundation >= 0 && nFoundation < NUM_FOUNDATIONS;
    }

    // Pile k of the snapshot order: stock, waste, foundations 0-7, columns 0-9.
    CCard*& SnapshotPile(int nPile);
    bool IsUndoReadable() const;

    // Detaches the cards of a column from nIndex to its end; null when there
    // is no card at nIndex.
    CCard* CutColumn(int nColumn, int nIndex);
    void AppendToColumn(int nColumn, CCard* pCards);
};
