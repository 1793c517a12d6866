#pragma once
// The board's selection as a value for the tables of cases: a kind, and the
// pile and card index where the kind reads them.

#include "model/CBoard.h"

#include <cstdint>
#include <ostream>

struct CSelection {
    std::uint8_t m_nKind = CBoard::SEL_NONE;
    int m_nPile = 0;
    int m_nCard = 0;

    static constexpr CSelection None() { return {}; }
    static constexpr CSelection Waste() { return {CBoard::SEL_WASTE, 0, 0}; }
    static constexpr CSelection Column(int c, int i) { return {CBoard::SEL_COLUMN, c, i}; }
    static constexpr CSelection Foundation(int f) { return {CBoard::SEL_FOUNDATION, f, 0}; }

    static CSelection Of(const CBoard& board)
    {
        return {board.m_nSelKind, static_cast<int>(board.m_nSelPile), static_cast<int>(board.m_nSelCard)};
    }
    void ApplyTo(CBoard& board) const
    {
        board.m_nSelKind = m_nKind;
        board.m_nSelPile = m_nPile;
        board.m_nSelCard = m_nCard;
    }

    // The pile and the card count only where the kind reads them.
    friend bool operator==(const CSelection& a, const CSelection& b)
    {
        if (a.m_nKind != b.m_nKind)
            return false;
        if (a.m_nKind == CBoard::SEL_COLUMN)
            return a.m_nPile == b.m_nPile && a.m_nCard == b.m_nCard;
        if (a.m_nKind == CBoard::SEL_FOUNDATION)
            return a.m_nPile == b.m_nPile;
        return true;
    }

    friend void PrintTo(const CSelection& s, std::ostream* pOut)
    {
        switch (s.m_nKind) {
        case CBoard::SEL_NONE: *pOut << "nothing selected"; break;
        case CBoard::SEL_WASTE: *pOut << "the waste"; break;
        case CBoard::SEL_COLUMN: *pOut << "column " << s.m_nPile << " from card " << s.m_nCard; break;
        case CBoard::SEL_FOUNDATION: *pOut << "foundation " << s.m_nPile; break;
        default: *pOut << "selection kind " << int{s.m_nKind}; break;
        }
    }
};
