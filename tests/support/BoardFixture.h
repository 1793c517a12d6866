#pragma once
// Helpers for tests that need a board in a known position: cards written as
// text ("AS", "TD", "KH": rank A 2-9 T J Q K, then suit S H C D), boards laid
// out from such text and described back as text, the full-board invariants,
// and the reader of the deal files kept beside the tests.

#include "model/CBoard.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <optional>
#include <ostream>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace testboard {

struct CFace {
    std::uint8_t m_nSuit;
    std::uint8_t m_nRank;
    bool operator==(const CFace&) const = default;
};

// "QH" -> hearts, Queen; nothing for anything that is not exactly one card.
std::optional<CFace> ParseCard(std::string_view strCard);
std::string CardName(std::uint8_t nSuit, std::uint8_t nRank);
// A loose card for asking the rules about; a bad name fails the test.
CCard MakeCard(std::string_view strCard);
std::string CardName(const CCard* pCard);  // "--" for none

// A board as text: cards separated by blanks. Piles left blank are empty.
struct CLayout {
    std::string m_strStock{};                                            // top first
    std::string m_strWaste{};                                            // top first
    std::array<std::string, CBoard::NUM_COLUMNS> m_astrColumn{};         // deepest first
    std::array<std::string, CBoard::NUM_FOUNDATIONS> m_astrFoundation{};  // top first
    bool operator==(const CLayout&) const = default;
};

// Replaces every card of the board by the layout's and clears the selection;
// the undo snapshot and its flag are left alone. On a bad card name the board
// is not touched and the failure names the pile and the word.
::testing::AssertionResult Lay(CBoard& board, const CLayout& layout);

// The board's piles as a layout, one blank between cards, so that it compares
// equal to a layout written that way.
CLayout Describe(const CBoard& board);

// One line a pile: "stock (top first): ...", "waste (top first): ...",
// "foundation N (top first): ...", "column N (deepest first): ...".
std::string FormatLayout(const CLayout& layout);
void PrintTo(const CLayout& layout, std::ostream* pOut);

// The snapshot of the board's piles worked out here, independently of
// CBoard::SaveUndo: stock, waste, foundations 0-7, columns 0-9, one byte
// suit * 13 + rank a card, 0xFF after each pile.
std::vector<std::uint8_t> SnapshotOf(const CBoard& board);
std::string Hex(std::span<const std::uint8_t> abBytes);
std::string UndoHex(const CBoard& board);  // m_abUndo in full

// A full board: 104 cards, every suit and rank twice, each card in exactly
// one pile (no card linked from two places, no ring), every foundation f of
// suit f / 2 from the Ace up without a gap, and a 124-byte snapshot with 20
// separators.
::testing::AssertionResult HoldsFullBoard(const CBoard& board);

// A deal file: "stock (top first): ...", "column N (deepest first): ..." and
// "snapshot: <hex>"; the waste and foundation lines of FormatLayout are read
// too. Blank lines are skipped; anything else is an error naming the line.
struct CDealFixture {
    CLayout m_layout;
    std::vector<std::uint8_t> m_abSnapshot;
};
::testing::AssertionResult ParseDealFixture(std::string_view strText, CDealFixture& fixture);
::testing::AssertionResult LoadDealFixture(const std::string& strPath, CDealFixture& fixture);

}  // namespace testboard
