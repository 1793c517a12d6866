#include "tests/soak/CSoakChecker.h"
#include "tests/soak/CSoakRun.h"
#include "tests/support/BoardFixture.h"
#include "tests/support/CPinnedClock.h"

#include <gtest/gtest.h>

#include <functional>
#include <sstream>

namespace {

using testboard::CLayout;

constexpr std::int64_t kSecond = 1765372800;

// Every card of two decks, with foundation 0 holding these cards (top
// first) and the rest in the stock.
CLayout WholeBoardWithFoundation0(const std::string& strFoundation)
{
    int count[52];
    std::fill(std::begin(count), std::end(count), 2);
    std::istringstream words(strFoundation);
    for (std::string w; words >> w;) {
        const auto face = testboard::ParseCard(w);
        EXPECT_TRUE(face) << w;
        if (face)
            --count[face->m_nSuit * 13 + face->m_nRank];
    }
    CLayout layout;
    layout.m_astrFoundation[0] = strFoundation;
    for (int v = 0; v < 52; ++v)
        for (int n = 0; n < count[v]; ++n)
            layout.m_strStock += (layout.m_strStock.empty() ? "" : " ") +
                                 testboard::CardName(static_cast<std::uint8_t>(v / 13), static_cast<std::uint8_t>(v % 13));
    return layout;
}

bool Mentions(const std::vector<std::string>& problems, const std::string& text)
{
    for (const std::string& p : problems)
        if (p.find(text) != std::string::npos)
            return true;
    return false;
}

std::string Joined(const std::vector<std::string>& problems)
{
    std::string all;
    for (const std::string& p : problems)
        all += p + "\n";
    return all.empty() ? "(no problem found)" : all;
}

TEST(SoakChecker, AFreshDealHoldsEverything)
{
    CPinnedClock clock(kSecond);
    CBoard board;
    EXPECT_TRUE(CSoakChecker::CheckBoard(board).empty()) << Joined(CSoakChecker::CheckBoard(board));
    EXPECT_FALSE(CSoakChecker::CheckFreshDeal(board));
}

struct CBoardFault {
    const char* name;
    std::function<void(CBoard&)> spoil;
    const char* expected;
    std::function<void(CBoard&)> mend = {};  // so that the board can free its cards
};

class SoakCheckerBoardFault : public ::testing::TestWithParam<CBoardFault> {};

TEST_P(SoakCheckerBoardFault, IsReported)
{
    CPinnedClock clock(kSecond);
    CBoard board;
    GetParam().spoil(board);
    const std::vector<std::string> problems = CSoakChecker::CheckBoard(board);
    EXPECT_TRUE(Mentions(problems, GetParam().expected)) << Joined(problems);
    if (GetParam().mend)
        GetParam().mend(board);
}

const CBoardFault kBoardFaults[] = {
    {"CardChangedRank", [](CBoard& b) { b.m_apColumn[0]->m_nRank = (b.m_apColumn[0]->m_nRank + 1) % 13; },
     "the board is not whole"},
    {"CardInTwoPiles", [](CBoard& b) { b.m_pWaste = b.CardAt(1, 1); }, "the board is not whole",
     [](CBoard& b) { b.m_pWaste = nullptr; }},
    {"FoundationWithAGap", [](CBoard& b) { ASSERT_TRUE(testboard::Lay(b, WholeBoardWithFoundation0("3S AS"))); },
     "not suit 0 from the Ace up"},
    {"FoundationOfAnotherSuit", [](CBoard& b) { ASSERT_TRUE(testboard::Lay(b, WholeBoardWithFoundation0("AH"))); },
     "not suit 0 from the Ace up"},
    {"EmptyWasteSelected", [](CBoard& b) { b.m_nSelKind = CBoard::SEL_WASTE; }, "the waste is selected but empty"},
    {"EmptyFoundationSelected",
     [](CBoard& b) {
         b.m_nSelKind = CBoard::SEL_FOUNDATION;
         b.m_nSelPile = 3;
     },
     "an empty foundation is selected"},
    {"FoundationOutOfRangeSelected",
     [](CBoard& b) {
         b.m_nSelKind = CBoard::SEL_FOUNDATION;
         b.m_nSelPile = 8;
     },
     "a foundation that does not exist"},
    {"ColumnOutOfRangeSelected",
     [](CBoard& b) {
         b.m_nSelKind = CBoard::SEL_COLUMN;
         b.m_nSelPile = -1;
     },
     "a column that does not exist"},
    {"CardPastTheColumnSelected",
     [](CBoard& b) {
         b.m_nSelKind = CBoard::SEL_COLUMN;
         b.m_nSelPile = 0;
         b.m_nSelCard = 1;
     },
     "not a run of their column"},
    {"UnknownSelection", [](CBoard& b) { b.m_nSelKind = 7; }, "an unknown selection"},
    {"SnapshotWithAnExtraSeparator", [](CBoard& b) { b.m_abUndo[0] = CBoard::UNDO_SEPARATOR; },
     "the undo snapshot is not a whole board"},
    {"SnapshotWithAnImpossibleCard", [](CBoard& b) { b.m_abUndo[0] = 60; }, "the undo snapshot is not a whole board"},
    {"SnapshotWithACardTwice",
     [](CBoard& b) { b.m_abUndo[0] = static_cast<std::uint8_t>((b.m_abUndo[0] + 1) % 52); },
     "the undo snapshot is not a whole board"},
};

INSTANTIATE_TEST_SUITE_P(All, SoakCheckerBoardFault, ::testing::ValuesIn(kBoardFaults),
                         [](const auto& param) { return std::string(param.param.name); });

// The history: moves, undos and deals, as the program makes them.
class SoakCheckerHistory : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(m_checker.CheckGame(m_board).empty()); }

    // A move as a tap makes it: snapshot, move, a cleared selection.
    void Move()
    {
        m_board.SaveUndo();
        m_board.TurnStock();
        m_board.m_nSelKind = CBoard::SEL_NONE;
        m_checker.NoteBoardInput();
    }

    CPinnedClock m_clock{kSecond};
    CBoard m_board;
    CSoakChecker m_checker;
};

TEST_F(SoakCheckerHistory, MovesUndoAndDealsAsTheProgramMakesThem)
{
    Move();
    EXPECT_TRUE(m_checker.CheckGame(m_board).empty()) << Joined(m_checker.CheckGame(m_board));
    Move();
    EXPECT_TRUE(m_checker.CheckGame(m_board).empty());
    m_board.RestoreUndo();
    m_checker.NoteUndo();
    EXPECT_TRUE(m_checker.CheckGame(m_board).empty()) << Joined(m_checker.CheckGame(m_board));
    m_clock.Set(kSecond + 1);
    m_board.Deal();
    EXPECT_TRUE(m_checker.CheckGame(m_board).empty());
    // A tap that changes nothing, and a quiet spell.
    m_checker.NoteBoardInput();
    EXPECT_TRUE(m_checker.CheckGame(m_board).empty());
    EXPECT_TRUE(m_checker.CheckGame(m_board).empty());
}

TEST_F(SoakCheckerHistory, UndoThatBringsBackAnotherBoard)
{
    Move();
    ASSERT_TRUE(m_checker.CheckGame(m_board).empty());
    Move();
    ASSERT_TRUE(m_checker.CheckGame(m_board).empty());
    // Back two moves instead of one.
    m_board.RecycleWaste();
    m_board.m_bCanUndo = 0;
    m_checker.NoteUndo();
    EXPECT_TRUE(Mentions(m_checker.CheckGame(m_board), "Undo did not bring back the board from before the last move"));
}

TEST_F(SoakCheckerHistory, UndoThatStaysEnabled)
{
    Move();
    ASSERT_TRUE(m_checker.CheckGame(m_board).empty());
    m_board.RestoreUndo();
    m_board.m_bCanUndo = 1;
    m_checker.NoteUndo();
    EXPECT_TRUE(Mentions(m_checker.CheckGame(m_board), "Undo left Undo enabled"));
}

TEST_F(SoakCheckerHistory, UndoWhileDisabled)
{
    m_checker.NoteUndo();
    EXPECT_TRUE(Mentions(m_checker.CheckGame(m_board), "ran while Undo was disabled"));
}

TEST_F(SoakCheckerHistory, SnapshotWrittenAfterTheMove)
{
    m_board.TurnStock();
    m_board.SaveUndo();
    m_checker.NoteBoardInput();
    EXPECT_TRUE(Mentions(m_checker.CheckGame(m_board), "the snapshot written for the move is not the board from before it"));
}

TEST_F(SoakCheckerHistory, MoveThatLeavesUndoDisabledOrASelection)
{
    m_board.SaveUndo();
    m_board.m_bCanUndo = 0;
    m_board.TurnStock();
    m_board.m_nSelKind = CBoard::SEL_WASTE;
    m_checker.NoteBoardInput();
    const std::vector<std::string> problems = m_checker.CheckGame(m_board);
    EXPECT_TRUE(Mentions(problems, "a move left Undo disabled")) << Joined(problems);
    EXPECT_TRUE(Mentions(problems, "a move left a selection")) << Joined(problems);
}

TEST_F(SoakCheckerHistory, BoardChangedByNothing)
{
    m_board.TurnStock();
    EXPECT_TRUE(Mentions(m_checker.CheckGame(m_board), "changed without a move or an undo"));
}

TEST_F(SoakCheckerHistory, DealThatTouchesTheUndoState)
{
    m_clock.Set(kSecond + 7);
    m_board.Deal();
    m_board.m_bCanUndo = 1;
    EXPECT_TRUE(Mentions(m_checker.CheckGame(m_board), "a new deal changed the undo state"));
}

TEST_F(SoakCheckerHistory, SnapshotWrittenWithoutAMove)
{
    Move();
    ASSERT_TRUE(m_checker.CheckGame(m_board).empty());
    m_board.SaveUndo();
    EXPECT_TRUE(Mentions(m_checker.CheckGame(m_board), "the snapshot was written, yet no card moved"));
}

TEST(SoakCheckerScreen, ComparesOnlyWhatNothingCovers)
{
    const CPoint origin{0, 26};
    CSurface painted(240, 320, 0x00A000);
    painted.Set(100, 200, 0xFFFFFF);
    CSurface screen(240, 320, 0);
    for (int y = 0; y < 294; ++y)
        for (int x = 0; x < 240; ++x)
            screen.Set(x, y + origin.y, painted.At(x, y));
    CRegion visible(CRect{0, 26, 240, 320});
    EXPECT_FALSE(CSoakChecker::CheckScreen(painted, screen, origin, visible));

    // A stale pixel where the board shows...
    screen.Set(100, 226, 0x00A000);
    const auto stale = CSoakChecker::CheckScreen(painted, screen, origin, visible);
    ASSERT_TRUE(stale);
    EXPECT_NE(stale->find("1 pixels differ"), std::string::npos) << *stale;
    EXPECT_NE(stale->find("board (100, 200)"), std::string::npos) << *stale;

    // ...is no fault where a box covers the board.
    visible.Subtract(CRect{90, 210, 150, 250});
    EXPECT_FALSE(CSoakChecker::CheckScreen(painted, screen, origin, visible));
}

// The same seed plays the same run: what a violation report names can be replayed.
TEST(SoakRun, SameSeedSameRun)
{
    CSoakRun::CSettings settings;
    settings.nSeed = 7;
    settings.nEvents = 2000;
    const CSoakRun::CTotals first = CSoakRun::Run(settings);
    const CSoakRun::CTotals second = CSoakRun::Run(settings);
    EXPECT_EQ(first.nViolations, 0u) << (first.aViolations.empty() ? "" : first.aViolations.front());
    EXPECT_GE(first.nEvents, settings.nEvents);
    EXPECT_EQ(first.nEvents, second.nEvents);
    EXPECT_EQ(first.nChecks, second.nChecks);
    EXPECT_EQ(first.nLives, second.nLives);
    EXPECT_EQ(first.ends, second.ends);
}

}  // namespace
