#include "model/CBoard.h"
#include "tests/support/BoardFixture.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

using testboard::CLayout;
using testboard::Describe;
using testboard::Lay;

struct CMoveCase {
    const char* m_pszWhy;
    CLayout m_before;
    std::function<void(CBoard&)> m_move;
    CLayout m_after;
};

TEST(Moves, RelinkCardsAsTheRulesSay)
{
    const CMoveCase aCase[] = {
        {"TurnStock", {.m_strStock = "AS 2H 3C", .m_strWaste = "KD"}, [](CBoard& b) { b.TurnStock(); },
         {.m_strStock = "2H 3C", .m_strWaste = "AS KD"}},
        {"TurnStock, last card", {.m_strStock = "AS"}, [](CBoard& b) { b.TurnStock(); }, {.m_strWaste = "AS"}},
        // Turned 5S, then 7H, then 9C: the next pass turns them in that order again.
        {"RecycleWaste", {.m_strWaste = "9C 7H 5S"}, [](CBoard& b) { b.RecycleWaste(); },
         {.m_strStock = "5S 7H 9C"}},
        {"turn three, recycle",
         {.m_strStock = "5S 7H 9C"},
         [](CBoard& b) {
             for (int n = 0; n < 3; ++n)
                 b.TurnStock();
             b.RecycleWaste();
         },
         {.m_strStock = "5S 7H 9C"}},
        {"WasteToColumn", {.m_strWaste = "7S 2D", .m_astrColumn = {"", "", "", "9C 8H"}},
         [](CBoard& b) { b.WasteToColumn(3); }, {.m_strWaste = "2D", .m_astrColumn = {"", "", "", "9C 8H 7S"}}},
        {"WasteToColumn, empty column", {.m_strWaste = "KH"}, [](CBoard& b) { b.WasteToColumn(0); },
         {.m_astrColumn = {"KH"}}},
        {"WasteToFoundation",
         {.m_strWaste = "2S 9D", .m_astrFoundation = {"", "AS"}},
         [](CBoard& b) { b.WasteToFoundation(1); },
         {.m_strWaste = "9D", .m_astrFoundation = {"", "2S AS"}}},
        {"RunToColumn from index 0 empties the source",
         {.m_astrColumn = {"", "", "KS QH"}},
         [](CBoard& b) { b.RunToColumn(2, 0, 5); },
         {.m_astrColumn = {"", "", "", "", "", "KS QH"}}},
        {"RunToColumn from index 1 leaves one card",
         {.m_astrColumn = {"", "3D 9S 8H 7C", "", "", "", "", "TD"}},
         [](CBoard& b) { b.RunToColumn(1, 1, 6); },
         {.m_astrColumn = {"", "3D", "", "", "", "", "TD 9S 8H 7C"}}},
        {"RunToColumn from index 3 leaves three cards",
         {.m_astrColumn = {"QD JS TD 5H 4S", "", "", "", "", "", "", "", "", "6C"}},
         [](CBoard& b) { b.RunToColumn(0, 3, 9); },
         {.m_astrColumn = {"QD JS TD", "", "", "", "", "", "", "", "", "6C 5H 4S"}}},
        {"CardToFoundation",
         {.m_astrColumn = {"", "", "", "", "9S 2H"}, .m_astrFoundation = {"", "", "AH"}},
         [](CBoard& b) { b.CardToFoundation(4, 1, 2); },
         {.m_astrColumn = {"", "", "", "", "9S"}, .m_astrFoundation = {"", "", "2H AH"}}},
        {"CardToFoundation, the column's only card",
         {.m_astrColumn = {"", "", "", "", "", "", "", "AC"}},
         [](CBoard& b) { b.CardToFoundation(7, 0, 4); },
         {.m_astrFoundation = {"", "", "", "", "AC"}}},
        {"FoundationToColumn",
         {.m_astrColumn = {"", "", "", "", "", "", "", "", "4S"}, .m_astrFoundation = {"", "", "", "3H 2H AH"}},
         [](CBoard& b) { b.FoundationToColumn(3, 8); },
         {.m_astrColumn = {"", "", "", "", "", "", "", "", "4S 3H"}, .m_astrFoundation = {"", "", "", "2H AH"}}},
        {"FoundationToColumn, empty column", {.m_astrFoundation = {"KS QS"}},
         [](CBoard& b) { b.FoundationToColumn(0, 0); }, {.m_astrColumn = {"KS"}, .m_astrFoundation = {"QS"}}},
    };
    for (const CMoveCase& c : aCase) {
        SCOPED_TRACE(c.m_pszWhy);
        CBoard board;
        ASSERT_TRUE(Lay(board, c.m_before));
        c.m_move(board);
        EXPECT_EQ(Describe(board), c.m_after);
    }
}

TEST(Moves, MovesLeaveTheSelectionAndTheSnapshotAlone)
{
    CBoard board;
    ASSERT_TRUE(Lay(board, {.m_strStock = "AS", .m_astrColumn = {"KS QH", "", "KD"}}));
    board.SaveUndo();
    const std::string strUndo = testboard::UndoHex(board);
    board.m_nSelKind = CBoard::SEL_COLUMN;
    board.m_nSelPile = 0;
    board.m_nSelCard = 1;
    board.TurnStock();
    board.RunToColumn(0, 1, 1);
    EXPECT_EQ(board.m_nSelKind, CBoard::SEL_COLUMN);
    EXPECT_EQ(board.m_nSelPile, 0);
    EXPECT_EQ(board.m_nSelCard, 1);
    EXPECT_EQ(board.m_bCanUndo, 1);
    EXPECT_EQ(testboard::UndoHex(board), strUndo);
}

// A move whose pile cannot give what it asks for changes nothing, rather than
// following a null link, losing cards or linking a column into a ring.
TEST(Moves, WithNothingToTakeChangeNothing)
{
    const CLayout layout = {
        .m_strStock = "",
        .m_strWaste = "",
        .m_astrColumn = {"KS QH JC", "", "9D 8S 7H"},
        .m_astrFoundation = {"", "", "2H AH"},
    };
    const CLayout withWaste = {.m_strWaste = "QD", .m_astrColumn = {"KS"}, .m_astrFoundation = {"AS"}};
    struct {
        const char* m_pszWhy;
        const CLayout& m_layout;
        std::function<void(CBoard&)> m_move;
    } const aCase[] = {
        {"TurnStock, empty stock", layout, [](CBoard& b) { b.TurnStock(); }},
        {"RecycleWaste, empty waste", layout, [](CBoard& b) { b.RecycleWaste(); }},
        {"WasteToColumn, empty waste", layout, [](CBoard& b) { b.WasteToColumn(1); }},
        {"WasteToColumn, no such column", withWaste, [](CBoard& b) { b.WasteToColumn(CBoard::NUM_COLUMNS); }},
        {"WasteToColumn, negative column", withWaste, [](CBoard& b) { b.WasteToColumn(-1); }},
        {"WasteToFoundation, empty waste", layout, [](CBoard& b) { b.WasteToFoundation(0); }},
        {"WasteToFoundation, no such foundation", withWaste,
         [](CBoard& b) { b.WasteToFoundation(CBoard::NUM_FOUNDATIONS); }},
        {"RunToColumn onto its own column", layout, [](CBoard& b) { b.RunToColumn(0, 1, 0); }},
        {"RunToColumn past the last card", layout, [](CBoard& b) { b.RunToColumn(0, 3, 1); }},
        {"RunToColumn from an empty column", layout, [](CBoard& b) { b.RunToColumn(1, 0, 3); }},
        {"RunToColumn, negative index", layout, [](CBoard& b) { b.RunToColumn(0, -1, 1); }},
        {"RunToColumn, no such target", layout, [](CBoard& b) { b.RunToColumn(0, 1, CBoard::NUM_COLUMNS); }},
        {"CardToFoundation, covered card", layout, [](CBoard& b) { b.CardToFoundation(0, 1, 0); }},
        {"CardToFoundation past the last card", layout, [](CBoard& b) { b.CardToFoundation(2, 3, 0); }},
        {"CardToFoundation, empty column", layout, [](CBoard& b) { b.CardToFoundation(1, 0, 0); }},
        {"CardToFoundation, no such foundation", layout, [](CBoard& b) { b.CardToFoundation(2, 2, -1); }},
        {"FoundationToColumn, empty foundation", layout, [](CBoard& b) { b.FoundationToColumn(0, 1); }},
        {"FoundationToColumn, no such column", layout, [](CBoard& b) { b.FoundationToColumn(2, -1); }},
    };
    for (const auto& c : aCase) {
        SCOPED_TRACE(c.m_pszWhy);
        CBoard board;
        ASSERT_TRUE(Lay(board, c.m_layout));
        c.m_move(board);
        EXPECT_EQ(Describe(board), c.m_layout);
    }
}

}  // namespace
