#include "model/CBoard.h"
#include "tests/support/BoardFixture.h"
#include "tests/support/CPinnedClock.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using testboard::CDealFixture;
using testboard::Describe;
using testboard::HoldsFullBoard;
using testboard::UndoHex;

constexpr std::int64_t SECOND_A = 0;
constexpr std::int64_t SECOND_B = 1765372800;

CDealFixture LoadDeal(std::int64_t nSecond)
{
    CDealFixture fixture;
    const std::string strPath = std::string(CORVANE_MODEL_TEST_DATA) + "/deal-" + std::to_string(nSecond) + ".txt";
    EXPECT_TRUE(testboard::LoadDealFixture(strPath, fixture));
    return fixture;
}

class DealAtSecond : public ::testing::TestWithParam<std::int64_t> {};

TEST_P(DealAtSecond, ConstructionDealsTheKnownLayoutAndSnapshotsIt)
{
    const CDealFixture fixture = LoadDeal(GetParam());
    ASSERT_FALSE(fixture.m_abSnapshot.empty());
    CPinnedClock clock(GetParam());

    CBoard board;
    EXPECT_EQ(Describe(board), fixture.m_layout);
    EXPECT_EQ(UndoHex(board), testboard::Hex(fixture.m_abSnapshot));
    EXPECT_EQ(board.m_bCanUndo, 0);
    EXPECT_EQ(board.m_nSelKind, CBoard::SEL_NONE);
    EXPECT_TRUE(HoldsFullBoard(board));
}

TEST_P(DealAtSecond, DealingAgainInTheSameSecondLaysTheSameGame)
{
    const CDealFixture fixture = LoadDeal(GetParam());
    CPinnedClock clock(GetParam());
    CBoard board;
    board.TurnStock();
    board.RunToColumn(0, 0, 1);

    board.Deal();
    EXPECT_EQ(Describe(board), fixture.m_layout);
    EXPECT_TRUE(HoldsFullBoard(board));
}

INSTANTIATE_TEST_SUITE_P(Fixtures, DealAtSecond, ::testing::Values(SECOND_A, SECOND_B));

TEST(Deal, KeepsTheUndoStateAndClearsTheSelection)
{
    const CDealFixture first = LoadDeal(SECOND_A);
    const CDealFixture second = LoadDeal(SECOND_B);
    CPinnedClock clock(SECOND_A);
    CBoard board;

    // Disabled undo stays disabled across a deal.
    const std::string strFirstSnapshot = UndoHex(board);
    clock.Set(SECOND_B);
    board.Deal();
    EXPECT_EQ(board.m_bCanUndo, 0);
    EXPECT_EQ(UndoHex(board), strFirstSnapshot);

    // Enabled undo stays enabled, and still brings back the earlier game.
    clock.Set(SECOND_A);
    board.Deal();
    board.SaveUndo();
    board.TurnStock();
    const std::string strBeforeMove = UndoHex(board);
    board.m_nSelKind = CBoard::SEL_COLUMN;
    board.m_nSelPile = 9;
    board.m_nSelCard = 9;
    clock.Set(SECOND_B);
    board.Deal();
    EXPECT_EQ(Describe(board), second.m_layout);
    EXPECT_EQ(board.m_nSelKind, CBoard::SEL_NONE);
    EXPECT_EQ(board.m_bCanUndo, 1);
    EXPECT_EQ(UndoHex(board), strBeforeMove);

    board.RestoreUndo();
    EXPECT_EQ(Describe(board), first.m_layout);
}

TEST(FreeAllCards, EmptiesEveryPileAndIsHarmlessOnAnEmptyBoard)
{
    CPinnedClock clock(SECOND_B);
    CBoard board;
    board.SaveUndo();
    board.m_nSelKind = CBoard::SEL_FOUNDATION;
    board.m_nSelPile = 5;
    const std::string strUndo = UndoHex(board);

    for (int nPass = 0; nPass < 2; ++nPass) {
        board.FreeAllCards();
        EXPECT_EQ(Describe(board), testboard::CLayout{}) << "pass " << nPass;
        EXPECT_EQ(board.m_pStock, nullptr);
        EXPECT_EQ(board.m_pWaste, nullptr);
        for (const CCard* pColumn : board.m_apColumn)
            EXPECT_EQ(pColumn, nullptr);
        for (const CCard* pFoundation : board.m_apFoundation)
            EXPECT_EQ(pFoundation, nullptr);
        EXPECT_EQ(UndoHex(board), strUndo);
        EXPECT_EQ(board.m_bCanUndo, 1);
        EXPECT_EQ(board.m_nSelKind, CBoard::SEL_FOUNDATION);
        EXPECT_EQ(board.m_nSelPile, 5);
    }
}

}  // namespace
