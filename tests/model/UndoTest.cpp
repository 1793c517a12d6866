#include "model/CBoard.h"
#include "tests/support/BoardFixture.h"
#include "tests/support/CPinnedClock.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

namespace {

using testboard::CardName;
using testboard::CLayout;
using testboard::Describe;
using testboard::HoldsFullBoard;
using testboard::Lay;
using testboard::UndoHex;

// All 104 cards with every pile in use: foundation f holds suit f / 2 from the
// Ace up to rank f + 1, the rest is spread over stock, waste and columns.
CLayout FullLayout()
{
    CLayout layout;
    std::vector<std::string> aRest;
    for (int f = 0; f < CBoard::NUM_FOUNDATIONS; ++f) {
        const auto nSuit = static_cast<std::uint8_t>(f / 2);
        for (int nRank = 0; nRank <= f + 1; ++nRank) {
            const std::string strCard = CardName(nSuit, static_cast<std::uint8_t>(nRank));
            layout.m_astrFoundation[f] = layout.m_astrFoundation[f].empty() ? strCard
                                                                             : strCard + " " + layout.m_astrFoundation[f];
        }
    }
    for (std::uint8_t nSuit = 0; nSuit < 4; ++nSuit) {
        const int nFirst = 2 * nSuit;
        for (std::uint8_t nRank = 0; nRank < 13; ++nRank) {
            // Two copies, less those on the suit's two foundations.
            int nCopies = 2 - (nRank <= nFirst + 1 ? 1 : 0) - (nRank <= nFirst + 2 ? 1 : 0);
            for (; nCopies > 0; --nCopies)
                aRest.push_back(CardName(nSuit, nRank));
        }
    }
    std::reverse(aRest.begin(), aRest.end());
    const auto take = [&aRest](std::string& strPile, std::size_t nCount) {
        for (; nCount > 0 && !aRest.empty(); --nCount) {
            strPile += (strPile.empty() ? "" : " ") + aRest.back();
            aRest.pop_back();
        }
    };
    take(layout.m_strStock, 19);
    take(layout.m_strWaste, 11);
    for (std::size_t c = 0; !aRest.empty(); c = (c + 1) % CBoard::NUM_COLUMNS)
        take(layout.m_astrColumn[c], 1);
    return layout;
}

TEST(SaveUndo, WritesEachPileInSnapshotOrderWithASeparatorAfterIt)
{
    CBoard board;
    const CLayout layout = {
        .m_strStock = "AS QH",
        .m_astrColumn = {"TC", "", "", "", "", "", "", "", "", "KD 2S"},
        .m_astrFoundation = {"", "", "", "", "", "AC"},
    };
    ASSERT_TRUE(Lay(board, layout));
    board.m_bCanUndo = 0;
    board.SaveUndo();
    EXPECT_EQ(board.m_bCanUndo, 1);
    EXPECT_EQ(Describe(board), layout);
    // stock | waste | foundations 0-7 | columns 0-9
    const std::string strExpected = "0018ff"
                                    "ff"
                                    "ffffffffff1affffff"
                                    "23ffffffffffffffffff3301ff";
    EXPECT_EQ(UndoHex(board).substr(0, strExpected.size()), strExpected);

    // A board of a few cards comes back from its snapshot as well.
    board.TurnStock();
    board.RunToColumn(9, 1, 1);
    board.RestoreUndo();
    EXPECT_EQ(Describe(board), layout);
}

TEST(RestoreUndo, BringsBackEveryPileCardForCardAndSavesTheSameBytesAgain)
{
    CPinnedClock clock(1765372800);
    CBoard board;
    const CLayout full = FullLayout();
    ASSERT_TRUE(Lay(board, full));
    ASSERT_TRUE(HoldsFullBoard(board));
    for (const std::string& strPile : full.m_astrColumn)
        ASSERT_FALSE(strPile.empty());

    board.SaveUndo();
    const std::string strSnapshot = UndoHex(board);
    EXPECT_EQ(strSnapshot, testboard::Hex(testboard::SnapshotOf(board)));

    board.Deal();
    board.m_nSelKind = CBoard::SEL_COLUMN;
    board.m_nSelPile = 3;
    board.m_nSelCard = 0;
    board.RestoreUndo();
    EXPECT_EQ(Describe(board), full);
    EXPECT_EQ(board.m_bCanUndo, 0);
    EXPECT_EQ(board.m_nSelKind, CBoard::SEL_NONE);
    EXPECT_EQ(UndoHex(board), strSnapshot);
    EXPECT_TRUE(HoldsFullBoard(board));

    board.SaveUndo();
    EXPECT_EQ(UndoHex(board), strSnapshot);
}

// The buffer is a public field; a damaged one must not be read past its end
// nor turn into cards that cannot exist.
TEST(RestoreUndo, LeavesTheGameAloneWhenTheSnapshotCannotBeRead)
{
    struct {
        const char* m_pszWhy;
        std::function<void(std::uint8_t*)> m_damage;
    } const aCase[] = {
        {"no separator", [](std::uint8_t* ab) { std::fill(ab, ab + CBoard::UNDO_SIZE, 0); }},
        {"nineteen separators",
         [](std::uint8_t* ab) {
             std::fill(ab, ab + CBoard::UNDO_SIZE, 7);
             std::fill(ab, ab + CBoard::NUM_PILES - 1, CBoard::UNDO_SEPARATOR);
         }},
        {"a byte beyond the King of diamonds", [](std::uint8_t* ab) { ab[0] = 52; }},
    };
    for (const auto& c : aCase) {
        SCOPED_TRACE(c.m_pszWhy);
        CPinnedClock clock(0);
        CBoard board;
        board.SaveUndo();
        board.TurnStock();
        board.m_nSelKind = CBoard::SEL_WASTE;
        c.m_damage(board.m_abUndo);
        const CLayout before = Describe(board);
        board.RestoreUndo();
        EXPECT_EQ(Describe(board), before);
        EXPECT_EQ(board.m_bCanUndo, 0);
        EXPECT_EQ(board.m_nSelKind, CBoard::SEL_WASTE);
        EXPECT_TRUE(HoldsFullBoard(board));
    }
}

TEST(SaveUndo, KeepsEverySeparatorWhenABoardHoldsTooManyCards)
{
    CBoard board;
    CLayout layout;
    layout.m_strStock = "AS";
    for (int n = 1; n < 130; ++n)
        layout.m_strStock += " AS";
    layout.m_astrColumn[9] = "KD";
    ASSERT_TRUE(Lay(board, layout));
    board.SaveUndo();
    EXPECT_EQ(std::count(board.m_abUndo, board.m_abUndo + CBoard::UNDO_SIZE, CBoard::UNDO_SEPARATOR),
              CBoard::NUM_PILES);
    EXPECT_EQ(board.m_abUndo[CBoard::UNDO_SIZE - 1], CBoard::UNDO_SEPARATOR);
    board.RestoreUndo();
    EXPECT_EQ(Describe(board).m_astrColumn[9], "");  // the stock took all the room
}

}  // namespace
