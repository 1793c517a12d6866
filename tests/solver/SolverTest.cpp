// The solver on laid boards, where what it must answer is known, and on
// deals, where every win it reports must play by the board's tests.
#include "solver/CBoardRelinker.h"
#include "solver/CPositionKey.h"
#include "solver/CSolver.h"
#include "tests/support/BoardFixture.h"
#include "tests/support/CPinnedClock.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <set>
#include <string>
#include <vector>

namespace {

using testboard::CLayout;
using EKind = CMove::EKind;
using EOutcome = CSolver::EOutcome;

// Plays the moves from the board's position, each only where the board's
// tests allow it; the game must be won after the last and not before.
::testing::AssertionResult WinsByTheRules(CBoard& board, const std::vector<CMove>& aMove)
{
    for (std::size_t i = 0; i < aMove.size(); ++i) {
        if (board.IsWon())
            return ::testing::AssertionFailure() << "won before move " << i;
        if (!aMove[i].IsAllowed(board))
            return ::testing::AssertionFailure() << "move " << i << " is not allowed";
        aMove[i].Apply(board);
    }
    if (!board.IsWon())
        return ::testing::AssertionFailure() << "not won after " << aMove.size() << " moves";
    return ::testing::AssertionSuccess();
}

// Every move of every kind with every argument that the board's tests allow.
std::vector<CMove> AllowedMoves(const CBoard& board)
{
    std::vector<CMove> aMove;
    const auto offer = [&](EKind kind, int nFrom, int nIndex, int nTo) {
        const CMove move{kind, static_cast<std::int8_t>(nFrom), static_cast<std::int8_t>(nIndex),
                         static_cast<std::int8_t>(nTo)};
        if (move.IsAllowed(board))
            aMove.push_back(move);
    };
    offer(EKind::TurnStock, 0, 0, 0);
    offer(EKind::RecycleWaste, 0, 0, 0);
    for (int c = 0; c < CBoard::NUM_COLUMNS; ++c)
        offer(EKind::WasteToColumn, 0, 0, c);
    for (int f = 0; f < CBoard::NUM_FOUNDATIONS; ++f) {
        offer(EKind::WasteToFoundation, 0, 0, f);
        for (int c = 0; c < CBoard::NUM_COLUMNS; ++c)
            offer(EKind::FoundationToColumn, f, 0, c);
    }
    for (int c = 0; c < CBoard::NUM_COLUMNS; ++c) {
        for (int i = 0; i < 30; ++i) {
            for (int d = 0; d < CBoard::NUM_COLUMNS; ++d)
                offer(EKind::RunToColumn, c, i, d);
            for (int f = 0; f < CBoard::NUM_FOUNDATIONS; ++f)
                offer(EKind::CardToFoundation, c, i, f);
        }
    }
    return aMove;
}

TEST(Solver, AnswersForLaidBoards)
{
    struct {
        const char* m_pszName;
        CLayout m_layout;
        EOutcome m_outcome;
        int m_nMoves;  // for a win: how many, when only one way is the shortest; else -1
    } const aCase[] = {
        {"won already", {.m_astrColumn = {"KS QH", "", "9C"}}, EOutcome::Won, 0},
        {"one move from the win",
         {.m_strWaste = "5H", .m_astrColumn = {"6S", "KD QS JH"}, .m_astrFoundation = {"AS"}},
         EOutcome::Won, 1},
        {"an Ace goes up only by the double tap's choice",
         {.m_astrColumn = {"9C AS", "KD QS JH"}}, EOutcome::Won, 1},
        // The 5 of spades has nowhere to go: no red 6, no foundation of spades.
        {"a card that can never move",
         {.m_strStock = "7D 7H", .m_astrColumn = {"9H 5S", "KD", "8C"}}, EOutcome::CannotBeWon, -1},
        // The 2 of spades fits no column, and a foundation of hearts is no place for it.
        {"a card whose suit has no foundation",
         {.m_astrColumn = {"9H 2S", "KD QC"}, .m_astrFoundation = {"", "", "AH"}}, EOutcome::CannotBeWon, -1},
    };
    for (const auto& c : aCase) {
        SCOPED_TRACE(c.m_pszName);
        CBoard board;
        ASSERT_TRUE(testboard::Lay(board, c.m_layout));
        const CLayout laid = testboard::Describe(board);
        CSolver solver;
        const CSolver::CResult result = solver.Solve(board);
        EXPECT_EQ(result.m_outcome, c.m_outcome);
        EXPECT_EQ(testboard::Describe(board), laid) << "the board must end as it began";
        if (c.m_outcome == EOutcome::Won) {
            if (c.m_nMoves >= 0) {
                EXPECT_EQ(static_cast<int>(result.m_aMove.size()), c.m_nMoves);
            }
            EXPECT_TRUE(WinsByTheRules(board, result.m_aMove));
        } else {
            EXPECT_TRUE(result.m_aMove.empty());
        }
    }
}

// The cards that must go onto the 8 of hearts lie in the stock so that each
// pass can lay only some of them: 7S last, then 6H, 5S and 4H with 3S, the
// waste piling up on the cards still needed.
TEST(Solver, FindsAWinThatTurnsTheWasteBackTwice)
{
    CBoard board;
    ASSERT_TRUE(testboard::Lay(board, {.m_strStock = "4H 3S 6H 5S 7S", .m_astrColumn = {"8H"}}));
    CSolver solver;
    const CSolver::CResult result = solver.Solve(board);
    ASSERT_EQ(result.m_outcome, EOutcome::Won);
    const auto nRecycles = std::count_if(result.m_aMove.begin(), result.m_aMove.end(),
                                         [](const CMove& move) { return move.m_kind == EKind::RecycleWaste; });
    EXPECT_GE(nRecycles, 2);
    EXPECT_TRUE(WinsByTheRules(board, result.m_aMove));
    EXPECT_EQ(testboard::Describe(board).m_astrColumn[0], "8H 7S 6H 5S 4H 3S");
}

TEST(Solver, ABudgetTooSmallLeavesTheAnswerUnknown)
{
    CBoard board;
    ASSERT_TRUE(testboard::Lay(board, {.m_strStock = "7D 7H QS", .m_astrColumn = {"9H 5S", "KD", "8C"}}));
    const CSolver::CResult full = CSolver().Solve(board);
    ASSERT_EQ(full.m_outcome, EOutcome::CannotBeWon);
    ASSERT_GT(full.m_nPositions, 1);
    // The budget that just holds every position still decides; one less does not.
    EXPECT_EQ(CSolver(full.m_nPositions).Solve(board).m_outcome, EOutcome::CannotBeWon);
    const CSolver::CResult cut = CSolver(full.m_nPositions - 1).Solve(board);
    EXPECT_EQ(cut.m_outcome, EOutcome::Unknown);
    EXPECT_EQ(cut.m_nPositions, full.m_nPositions - 1);
}

TEST(Solver, LeavesTheBoardsUndoAndSelectionAlone)
{
    CPinnedClock clock(1767225600);
    CBoard board;
    board.m_abUndo[0] = 7;
    board.m_bCanUndo = 1;
    board.m_nSelKind = CBoard::SEL_COLUMN;
    board.m_nSelPile = 4;
    board.m_nSelCard = 2;
    const std::string strUndo = testboard::UndoHex(board);
    const CLayout dealt = testboard::Describe(board);
    CSolver(2000).Solve(board);
    EXPECT_EQ(testboard::Describe(board), dealt);
    EXPECT_EQ(testboard::UndoHex(board), strUndo);
    EXPECT_EQ(board.m_bCanUndo, 1);
    EXPECT_EQ(board.m_nSelKind, CBoard::SEL_COLUMN);
    EXPECT_EQ(board.m_nSelPile, 4);
    EXPECT_EQ(board.m_nSelCard, 2);
}

TEST(Solver, EveryWinOnDealsPlaysByTheRules)
{
    int nWon = 0;
    for (std::int64_t nSecond = 1767225600; nSecond < 1767225612; ++nSecond) {
        SCOPED_TRACE(nSecond);
        CPinnedClock clock(nSecond);
        CBoard board;
        const CSolver::CResult result = CSolver().Solve(board);
        EXPECT_LE(result.m_nPositions, CSolver::DEFAULT_BUDGET);
        if (result.m_outcome == EOutcome::Won) {
            ++nWon;
            EXPECT_TRUE(WinsByTheRules(board, result.m_aMove));
        }
    }
    EXPECT_GE(nWon, 3);
}

// The positions the search steps to are exactly those one allowed move away:
// turning the stock or the waste back gives a position it counts as the same,
// and every other move one it lists. Checked along random games of deals.
TEST(Solver, SuccessorsAreWhatTheAllowedMovesReach)
{
    std::mt19937 random(17);
    for (std::int64_t nSecond : {1767225600, 1767229999}) {
        CPinnedClock clock(nSecond);
        CBoard board;
        CSolver solver;
        for (int nStep = 0; nStep < 150; ++nStep) {
            SCOPED_TRACE(std::to_string(nSecond) + " step " + std::to_string(nStep));
            CBoardRelinker relinker(board);
            const CSnapshot abHere = relinker.Snapshot();
            const bool bPairs = CPositionKey::FoundationsInOrder(abHere);
            const CPositionKey here(abHere, bPairs);
            std::vector<CPositionKey> aListed;
            for (const CSnapshot& abNext : solver.Successors(board))
                aListed.emplace_back(abNext, bPairs);
            const auto listed = [&aListed](const CPositionKey& key) {
                return std::find(aListed.begin(), aListed.end(), key) != aListed.end();
            };
            ASSERT_EQ(CPositionKey(relinker.Snapshot(), bPairs), here) << "Successors changed the board";

            const std::vector<CMove> aMove = AllowedMoves(board);
            ASSERT_FALSE(aMove.empty());
            for (const CMove& move : aMove) {
                move.Apply(board);
                const CPositionKey next(relinker.Snapshot(), bPairs);
                relinker.Lay(abHere);
                if (move.m_kind == EKind::TurnStock || move.m_kind == EKind::RecycleWaste)
                    EXPECT_EQ(next, here) << "a turn must not make a new position";
                else
                    EXPECT_TRUE(next == here || listed(next))
                        << "kind " << static_cast<int>(move.m_kind) << " " << int{move.m_nFrom} << " "
                        << int{move.m_nIndex} << " " << int{move.m_nTo};
            }
            // The walk turns the stock one time in three, else plays a move.
            std::vector<CMove> aPlayable;
            for (const CMove& move : aMove) {
                if ((move.m_kind == EKind::TurnStock || move.m_kind == EKind::RecycleWaste) == (nStep % 3 == 0))
                    aPlayable.push_back(move);
            }
            if (aPlayable.empty())
                aPlayable = aMove;
            aPlayable[random() % aPlayable.size()].Apply(board);
        }
    }
}

}  // namespace
