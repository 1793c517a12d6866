#include "model/CBoard.h"
#include "tests/support/BoardFixture.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using testboard::CardName;
using testboard::CLayout;
using testboard::Lay;
using testboard::MakeCard;

// Queries ask column 4 while its neighbours hold other cards, so that a look
// at the wrong column shows.
CLayout WithColumn4(const char* pszColumn)
{
    CLayout layout;
    layout.m_astrColumn[3] = "KS QH JC TD 9S 8H";
    layout.m_astrColumn[4] = pszColumn;
    layout.m_astrColumn[5] = "2C";
    return layout;
}

TEST(CardAt, FollowsTheColumnFromItsDeepestCard)
{
    struct {
        const char* m_pszColumn;
        int m_nIndex;
        const char* m_pszExpected;
    } const aCase[] = {
        {"KS QH JC", 0, "KS"}, {"KS QH JC", 2, "JC"}, {"KS QH JC", 3, "--"},
        {"KS QH JC", -1, "--"}, {"", 0, "--"},
    };
    for (const auto& c : aCase) {
        SCOPED_TRACE(std::string(c.m_pszColumn) + " @" + std::to_string(c.m_nIndex));
        CBoard board;
        ASSERT_TRUE(Lay(board, WithColumn4(c.m_pszColumn)));
        EXPECT_EQ(CardName(board.CardAt(4, c.m_nIndex)), c.m_pszExpected);
    }
    CBoard board;
    EXPECT_EQ(board.CardAt(CBoard::NUM_COLUMNS, 0), nullptr);
    EXPECT_EQ(board.CardAt(-1, 0), nullptr);
}

TEST(HitRow, ClampsToTheColumn)
{
    struct {
        const char* m_pszColumn;
        int m_nRow;
        int m_nExpected;
    } const aCase[] = {
        {"9S 8H 7C", 0, 0}, {"9S 8H 7C", 1, 1}, {"9S 8H 7C", 2, 2}, {"9S 8H 7C", 3, 2},
        {"9S 8H 7C", 4, 2}, {"9S 8H 7C", 28, 2}, {"KD", 5, 0}, {"", 0, 0}, {"", 7, 0},
        {"9S 8H 7C", -1, 0},
    };
    for (const auto& c : aCase) {
        SCOPED_TRACE(std::string(c.m_pszColumn) + " row " + std::to_string(c.m_nRow));
        CBoard board;
        ASSERT_TRUE(Lay(board, WithColumn4(c.m_pszColumn)));
        EXPECT_EQ(board.HitRow(4, c.m_nRow), c.m_nExpected);
    }
}

TEST(IsRun, NeedsFallingRanksOfAlternatingColourToTheColumnsEnd)
{
    struct {
        const char* m_pszColumn;
        int m_nIndex;
        bool m_bExpected;
    } const aCase[] = {
        {"KS QH JC", 0, true},  {"KS QH JC", 1, true}, {"KS QH JC", 2, true},
        {"KS QH JC", 3, false},  // past the last card
        {"", 0, false},
        {"9S 8H 7H", 0, false},  // two reds in sequence
        {"9S 8H 7H", 1, false},  {"9S 8H 7H", 2, true},
        {"9S 8C", 0, false},     // two blacks, different suits
        {"9S 8D", 0, true},
        {"9S 8H 6C", 0, false},  // a rank skipped
        {"5H 5S", 0, false},     {"5H 6S", 0, false},
        {"2S AH", 0, true},      // an Ace closes a run
        {"2S AH KS", 0, false},  // and nothing follows an Ace
        {"2S AH KS", 1, false},  {"KD 2C 5H 4S", 1, false}, {"KD 2C 5H 4S", 2, true},
    };
    for (const auto& c : aCase) {
        SCOPED_TRACE(std::string(c.m_pszColumn) + " @" + std::to_string(c.m_nIndex));
        CBoard board;
        ASSERT_TRUE(Lay(board, WithColumn4(c.m_pszColumn)));
        EXPECT_EQ(board.IsRun(4, c.m_nIndex), c.m_bExpected);
    }
}

TEST(ColumnAccepts, KingsOnEmptyColumnsAndOneLowerOfTheOtherColourElsewhere)
{
    struct {
        const char* m_pszColumn;
        const char* m_pszCard;
        bool m_bExpected;
    } const aCase[] = {
        {"", "KS", true},      {"", "KH", true},      {"", "KC", true},      {"", "KD", true},
        {"", "QS", false},     {"", "AS", false},
        {"8H", "7S", true},    {"8H", "7C", true},    {"8H", "7H", false},   {"8H", "7D", false},
        {"8H", "6S", false},   {"8H", "9S", false},   {"8H", "8S", false},   {"8D", "7C", true},
        {"KS 2D 8H", "7S", true},  // only the exposed card counts
        {"KS 2D 8H", "AS", false}, {"2D", "AS", true},    {"AS", "KD", false},
    };
    for (const auto& c : aCase) {
        SCOPED_TRACE(std::string(c.m_pszCard) + " on [" + c.m_pszColumn + "]");
        CBoard board;
        ASSERT_TRUE(Lay(board, WithColumn4(c.m_pszColumn)));
        const CCard card = MakeCard(c.m_pszCard);
        EXPECT_EQ(board.ColumnAccepts(4, &card), c.m_bExpected);
    }
    CBoard board;
    EXPECT_FALSE(board.ColumnAccepts(4, nullptr));
    const CCard king = MakeCard("KS");
    EXPECT_FALSE(board.ColumnAccepts(CBoard::NUM_COLUMNS, &king));
}

TEST(FoundationAccepts, OnlyTheNextRankOfTheTopsSuitAndNeverOnAnEmptyFoundation)
{
    struct {
        int m_nFoundation;
        const char* m_pszFoundation;
        const char* m_pszCard;
        bool m_bExpected;
    } const aCase[] = {
        {0, "", "AS", false},           {1, "", "AS", false},           {2, "", "2H", false},
        {2, "4H 3H 2H AH", "5H", true}, {2, "4H 3H 2H AH", "5D", false}, {2, "4H 3H 2H AH", "5S", false},
        {2, "4H 3H 2H AH", "6H", false}, {2, "4H 3H 2H AH", "4H", false}, {7, "AD", "2D", true},
        {7, "AD", "2H", false},
    };
    for (const auto& c : aCase) {
        SCOPED_TRACE(std::string(c.m_pszCard) + " on foundation " + std::to_string(c.m_nFoundation) + " ["
                     + c.m_pszFoundation + "]");
        CBoard board;
        CLayout layout;
        layout.m_astrFoundation[c.m_nFoundation] = c.m_pszFoundation;
        ASSERT_TRUE(Lay(board, layout));
        const CCard card = MakeCard(c.m_pszCard);
        EXPECT_EQ(board.FoundationAccepts(c.m_nFoundation, &card), c.m_bExpected);
    }
}

TEST(PickFoundation, FillsEachPairFromItsFirstFoundation)
{
    constexpr int NONE = CBoard::NO_FOUNDATION;
    struct {
        const char* m_pszWhy;
        int m_nPair;  // suit whose two foundations are laid
        const char* m_pszFirst;
        const char* m_pszSecond;
        const char* m_pszCard;
        int m_nExpected;
    } const aCase[] = {
        {"Ace, pair empty", 0, "", "", "AS", 0},
        {"Ace, pair empty", 1, "", "", "AH", 2},
        {"Ace, pair empty", 2, "", "", "AC", 4},
        {"Ace, pair empty", 3, "", "", "AD", 6},
        {"Ace, first taken", 0, "AS", "", "AS", 1},
        {"Ace, first taken", 3, "3D 2D AD", "", "AD", 7},
        {"next rank on the first", 0, "AS", "", "2S", 0},
        {"first empty: second not tried", 0, "", "AS", "2S", NONE},
        {"both fit: the first wins", 0, "AS", "AS", "2S", 0},
        {"only the second fits", 0, "2S AS", "AS", "2S", 1},
        {"fits neither, second empty", 0, "2S AS", "", "4S", NONE},
        {"fits neither", 0, "2S AS", "AS", "4S", NONE},
        {"second fits", 3, "AD", "2D AD", "3D", 7},
        {"other suit's pair empty", 0, "AS", "", "2H", NONE},
        {"damaged board: a third Ace finds no place", 0, "AS", "AS", "AS", NONE},
    };
    for (const auto& c : aCase) {
        SCOPED_TRACE(std::string(c.m_pszWhy) + ": " + c.m_pszCard);
        CBoard board;
        CLayout layout;
        layout.m_astrFoundation[2 * c.m_nPair] = c.m_pszFirst;
        layout.m_astrFoundation[2 * c.m_nPair + 1] = c.m_pszSecond;
        ASSERT_TRUE(Lay(board, layout));
        const CCard card = MakeCard(c.m_pszCard);
        EXPECT_EQ(board.PickFoundation(&card), c.m_nExpected);
    }
    CBoard board;
    EXPECT_EQ(board.PickFoundation(nullptr), NONE);
}

TEST(PickFoundation, TheTwoAcesOfASuitFillBothFoundationsOfItsPair)
{
    CBoard board;
    CLayout layout;
    layout.m_strWaste = "AH AH 2H";
    ASSERT_TRUE(Lay(board, layout));
    for (int nExpected : {2, 3}) {
        const int f = board.PickFoundation(board.m_pWaste);
        ASSERT_EQ(f, nExpected);
        board.WasteToFoundation(f);
    }
    layout.m_strWaste = "2H";
    layout.m_astrFoundation[2] = "AH";
    layout.m_astrFoundation[3] = "AH";
    EXPECT_EQ(testboard::Describe(board), layout);
}

TEST(IsWon, StockAndWasteUsedUpAndEveryColumnOneRun)
{
    struct {
        const char* m_pszWhy;
        CLayout m_layout;
        bool m_bExpected;
    } const aCase[] = {
        {"everything empty", {}, true},
        {"one card in the stock", {.m_strStock = "5H"}, false},
        {"one card on the waste", {.m_strWaste = "5H"}, false},
        {"columns are runs", {.m_astrColumn = {"KS QH JC", "", "9D 8S", "", "", "", "", "", "", "AD"}}, true},
        {"foundations do not matter",
         {.m_astrColumn = {"KS QH"}, .m_astrFoundation = {"", "", "", "", "", "", "", "3D 2D AD"}},
         true},
        {"one column not a run", {.m_astrColumn = {"KS QH JC", "", "9D 8D"}}, false},
        {"runs, but the stock holds a card", {.m_strStock = "AS", .m_astrColumn = {"KS QH"}}, false},
        {"a column whose run starts below its deepest card", {.m_astrColumn = {"2C KS QH"}}, false},
    };
    for (const auto& c : aCase) {
        SCOPED_TRACE(c.m_pszWhy);
        CBoard board;
        ASSERT_TRUE(Lay(board, c.m_layout));
        EXPECT_EQ(board.IsWon(), c.m_bExpected);
    }
}

}  // namespace
