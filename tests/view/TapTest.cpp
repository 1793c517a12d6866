// Taps on the board, one row of the tap table or one boundary point a case:
// the position and the selection before, the point, then the position, the
// selection, whether the undo snapshot was written and whether the board was
// drawn again.

#include "tests/view/CBoardSession.h"
#include "tests/view/TapPoints.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using testboard::CLayout;
using viewcheck::CardPoint;

struct CTapCase {
    const char* m_pszName;
    CLayout m_before;
    CSelection m_selBefore;
    CPoint m_pt;  // board pixels
    CLayout m_after;
    CSelection m_selAfter;
    bool m_bSnapshot;
    bool m_bRedraw;
};

void PrintTo(const CTapCase& c, std::ostream* pOut) { *pOut << c.m_pszName; }

constexpr bool kSnapshot = true;
constexpr bool kNoSnapshot = false;
constexpr bool kRedraw = true;
constexpr bool kNoRedraw = false;

// The position most cases start from: a run in column 2, a column that is
// no run in column 3, an empty column 1, hearts up to the 3 on foundation 2.
const CLayout kBase = {
    .m_strStock = "7D 2C",
    .m_strWaste = "JD 5H",
    .m_astrColumn = {"QS", "", "9C 8H 7S", "5D 4H", "KD", "8D", "9S"},
    .m_astrFoundation = {"", "", "3H 2H AH"},
};

CLayout With(void (*change)(CLayout&)) { return viewcheck::With(kBase, change); }

const std::vector<CTapCase>& TapCases()
{
    static const std::vector<CTapCase> cases = {
        // Row 1: the stock turns its top card, whatever was selected.
        {"Row01_StockTurnsWithRunSelected", kBase, CSelection::Column(2, 0), {11, 14},
         With([](CLayout& l) { l.m_strStock = "2C", l.m_strWaste = "7D JD 5H"; }), CSelection::None(), kSnapshot, kRedraw},
        {"Row01_StockAtX23Y27", kBase, CSelection::Waste(), {23, 27},
         With([](CLayout& l) { l.m_strStock = "2C", l.m_strWaste = "7D JD 5H"; }), CSelection::None(), kSnapshot, kRedraw},
        // Row 2: one snapshot before the whole waste turns back.
        {"Row02_EmptyStockRecyclesWaste", With([](CLayout& l) { l.m_strStock = "", l.m_strWaste = "5H JD 2C"; }),
         CSelection::Foundation(2), {0, 0},
         With([](CLayout& l) { l.m_strStock = "2C JD 5H", l.m_strWaste = ""; }), CSelection::None(), kSnapshot, kRedraw},
        // Row 3: nothing to turn; the selection goes and the board repaints.
        {"Row03_NothingToTurn", With([](CLayout& l) { l.m_strStock = "", l.m_strWaste = ""; }), CSelection::Column(2, 1),
         {12, 20}, With([](CLayout& l) { l.m_strStock = "", l.m_strWaste = ""; }), CSelection::None(), kNoSnapshot,
         kRedraw},
        // Row 4: an empty waste keeps whatever was selected.
        {"Row04_EmptyWasteAtX24", With([](CLayout& l) { l.m_strWaste = ""; }), CSelection::Column(2, 1), {24, 10},
         With([](CLayout& l) { l.m_strWaste = ""; }), CSelection::Column(2, 1), kNoSnapshot, kNoRedraw},
        // Rows 5 and 6: the waste toggles, and takes over any other selection
        // without moving a card.
        {"Row05_SelectedWasteUnselects", kBase, CSelection::Waste(), {47, 27}, kBase, CSelection::None(), kNoSnapshot,
         kRedraw},
        {"Row06_WasteSelected", kBase, CSelection::None(), {24, 0}, kBase, CSelection::Waste(), kNoSnapshot, kRedraw},
        {"Row06_WasteTakesOverRun", kBase, CSelection::Column(2, 2), {36, 14}, kBase, CSelection::Waste(), kNoSnapshot,
         kRedraw},
        {"Row06_WasteTakesOverFoundation", kBase, CSelection::Foundation(2), {36, 14}, kBase, CSelection::Waste(),
         kNoSnapshot, kRedraw},
        // Row 7: an empty foundation takes nothing by a tap, not even an Ace.
        {"Row07_EmptyFoundationRefusesAce", With([](CLayout& l) { l.m_strWaste = "AS JD"; }), CSelection::Waste(),
         {49, 10}, With([](CLayout& l) { l.m_strWaste = "AS JD"; }), CSelection::Waste(), kNoSnapshot, kNoRedraw},
        // Row 8: the selected foundation unselects; x 239 is foundation 7.
        {"Row08_SelectedFoundationUnselects", With([](CLayout& l) { l.m_astrFoundation[7] = "2D AD"; }),
         CSelection::Foundation(7), {239, 27}, With([](CLayout& l) { l.m_astrFoundation[7] = "2D AD"; }),
         CSelection::None(), kNoSnapshot, kRedraw},
        // Row 9: foundation 0 is hit from x 49 to 71, foundation 1 from x 72.
        {"Row09_FoundationZeroAtX49", With([](CLayout& l) { l.m_astrFoundation[0] = "AS"; }), CSelection::None(),
         {49, 27}, With([](CLayout& l) { l.m_astrFoundation[0] = "AS"; }), CSelection::Foundation(0), kNoSnapshot,
         kRedraw},
        {"Row09_FoundationZeroAtX71", With([](CLayout& l) { l.m_astrFoundation[0] = "AS"; }), CSelection::None(),
         {71, 0}, With([](CLayout& l) { l.m_astrFoundation[0] = "AS"; }), CSelection::Foundation(0), kNoSnapshot,
         kRedraw},
        {"Row09_FoundationOneAtX72TakesOver",
         With([](CLayout& l) { l.m_astrFoundation[0] = "AS", l.m_astrFoundation[1] = "AS"; }),
         CSelection::Foundation(2), {72, 5},
         With([](CLayout& l) { l.m_astrFoundation[0] = "AS", l.m_astrFoundation[1] = "AS"; }),
         CSelection::Foundation(1), kNoSnapshot, kRedraw},
        // Rows 10 and 11: the waste card goes up when the foundation takes
        // it, else the foundation is selected.
        {"Row10_WasteCardToFoundation", With([](CLayout& l) { l.m_strWaste = "4H JD"; }), CSelection::Waste(), {108, 10},
         With([](CLayout& l) { l.m_strWaste = "JD", l.m_astrFoundation[2] = "4H 3H 2H AH"; }), CSelection::None(),
         kSnapshot, kRedraw},
        {"Row11_WasteRefusedSelectsFoundation", kBase, CSelection::Waste(), {108, 10}, kBase, CSelection::Foundation(2),
         kNoSnapshot, kRedraw},
        // Rows 12 and 13: only a single last card goes up.
        {"Row12_LastCardToFoundation", kBase, CSelection::Column(3, 1), {108, 10},
         With([](CLayout& l) { l.m_astrColumn[3] = "5D", l.m_astrFoundation[2] = "4H 3H 2H AH"; }), CSelection::None(),
         kSnapshot, kRedraw},
        {"Row13_RunOfTwoSelectsFoundation", With([](CLayout& l) { l.m_astrColumn[7] = "4H 3S"; }),
         CSelection::Column(7, 0), {108, 10}, With([](CLayout& l) { l.m_astrColumn[7] = "4H 3S"; }),
         CSelection::Foundation(2), kNoSnapshot, kRedraw},
        {"Row13_UnfitCardSelectsFoundation", kBase, CSelection::Column(2, 2), {108, 10}, kBase,
         CSelection::Foundation(2), kNoSnapshot, kRedraw},
        // Rows 14 and 15: with nothing selected, a run is selected.
        {"Row14_RunSelected", kBase, CSelection::None(), CardPoint(2, 1), kBase, CSelection::Column(2, 1), kNoSnapshot,
         kRedraw},
        {"Row14_FirstCardAtY35", kBase, CSelection::None(), {48, 35}, kBase, CSelection::Column(2, 0), kNoSnapshot,
         kRedraw},
        {"Row14_FarBelowHitsLastCard", kBase, CSelection::None(), {71, 293}, kBase, CSelection::Column(2, 2),
         kNoSnapshot, kRedraw},
        {"Row15_CardStartingNoRun", kBase, CSelection::None(), CardPoint(3, 0), kBase, CSelection::None(), kNoSnapshot,
         kNoRedraw},
        {"Row15_EmptyColumn", kBase, CSelection::None(), CardPoint(1, 2), kBase, CSelection::None(), kNoSnapshot, kNoRedraw},
        // Rows 16 to 19: the waste card onto a column.
        {"Row16_WasteKingToEmptyColumn", With([](CLayout& l) { l.m_strWaste = "KC JD"; }), CSelection::Waste(),
         CardPoint(1, 0), With([](CLayout& l) { l.m_strWaste = "JD", l.m_astrColumn[1] = "KC"; }), CSelection::None(),
         kSnapshot, kRedraw},
        {"Row17_WasteNonKingToEmptyColumn", kBase, CSelection::Waste(), CardPoint(1, 0), kBase, CSelection::Waste(),
         kNoSnapshot, kNoRedraw},
        {"Row18_WasteOntoColumn", kBase, CSelection::Waste(), CardPoint(0, 0),
         With([](CLayout& l) { l.m_strWaste = "5H", l.m_astrColumn[0] = "QS JD"; }), CSelection::None(), kSnapshot,
         kRedraw},
        {"Row19_WasteRefusedSelectsTappedRun", kBase, CSelection::Waste(), CardPoint(2, 1), kBase, CSelection::Column(2, 1),
         kNoSnapshot, kRedraw},
        {"Row19_WasteRefusedOnNoRunClears", kBase, CSelection::Waste(), CardPoint(3, 0), kBase, CSelection::None(),
         kNoSnapshot, kRedraw},
        // Rows 20 to 23: a foundation's top card onto a column.
        {"Row20_FoundationKingToEmptyColumn",
         With([](CLayout& l) { l.m_astrFoundation[6] = "KD QD JD TD 9D 8D 7D 6D 5D 4D 3D 2D AD"; }),
         CSelection::Foundation(6), CardPoint(1, 0),
         With([](CLayout& l) {
             l.m_astrColumn[1] = "KD";
             l.m_astrFoundation[6] = "QD JD TD 9D 8D 7D 6D 5D 4D 3D 2D AD";
         }),
         CSelection::None(), kSnapshot, kRedraw},
        {"Row21_FoundationNonKingToEmptyColumnClears", kBase, CSelection::Foundation(2), CardPoint(1, 0), kBase,
         CSelection::None(), kNoSnapshot, kRedraw},
        {"Row22_FoundationCardOntoColumn", With([](CLayout& l) { l.m_astrColumn[7] = "4S"; }), CSelection::Foundation(2),
         CardPoint(7, 0),
         With([](CLayout& l) { l.m_astrColumn[7] = "4S 3H", l.m_astrFoundation[2] = "2H AH"; }), CSelection::None(),
         kSnapshot, kRedraw},
        {"Row23_FoundationRefusedSelectsTappedRun", kBase, CSelection::Foundation(2), CardPoint(2, 1), kBase,
         CSelection::Column(2, 1), kNoSnapshot, kRedraw},
        {"Row23_FoundationRefusedOnNoRunClears", kBase, CSelection::Foundation(2), CardPoint(3, 0), kBase,
         CSelection::None(), kNoSnapshot, kRedraw},
        // Row 24: the selected card again, after the clamp below the column.
        {"Row24_SelectedCardUnselects", kBase, CSelection::Column(2, 1), CardPoint(2, 1), kBase, CSelection::None(),
         kNoSnapshot, kRedraw},
        {"Row24_FarBelowSelectedLastCardUnselects", kBase, CSelection::Column(2, 2), {60, 293}, kBase,
         CSelection::None(), kNoSnapshot, kRedraw},
        // Rows 25 to 28: a run onto a column.
        {"Row25_KingRunToEmptyColumn", With([](CLayout& l) { l.m_astrColumn[7] = "5C KS QH"; }),
         CSelection::Column(7, 1), CardPoint(1, 0),
         With([](CLayout& l) { l.m_astrColumn[7] = "5C", l.m_astrColumn[1] = "KS QH"; }), CSelection::None(), kSnapshot,
         kRedraw},
        {"Row25_WholeColumnLeavesItEmpty", With([](CLayout& l) { l.m_astrColumn[7] = "KS QH"; }),
         CSelection::Column(7, 0), CardPoint(1, 4),
         With([](CLayout& l) { l.m_astrColumn[7] = "", l.m_astrColumn[1] = "KS QH"; }), CSelection::None(), kSnapshot,
         kRedraw},
        {"Row26_NonKingRunToEmptyColumn", kBase, CSelection::Column(2, 1), CardPoint(1, 0), kBase, CSelection::Column(2, 1),
         kNoSnapshot, kNoRedraw},
        {"Row27_CardOntoColumn", kBase, CSelection::Column(2, 2), CardPoint(5, 0),
         With([](CLayout& l) { l.m_astrColumn[2] = "9C 8H", l.m_astrColumn[5] = "8D 7S"; }), CSelection::None(),
         kSnapshot, kRedraw},
        {"Row27_RunOntoColumn", kBase, CSelection::Column(2, 1), {167, 200},
         With([](CLayout& l) { l.m_astrColumn[2] = "9C", l.m_astrColumn[6] = "9S 8H 7S"; }), CSelection::None(),
         kSnapshot, kRedraw},
        {"Row28_RefusedSelectsTappedRun", kBase, CSelection::Column(2, 2), CardPoint(0, 0), kBase, CSelection::Column(0, 0),
         kNoSnapshot, kRedraw},
        {"Row28_RefusedOnNoRunClears", kBase, CSelection::Column(2, 2), CardPoint(3, 0), kBase, CSelection::None(),
         kNoSnapshot, kRedraw},
        {"Row28_SameColumnOtherRun", kBase, CSelection::Column(2, 2), CardPoint(2, 0), kBase, CSelection::Column(2, 0),
         kNoSnapshot, kRedraw},
        {"Row28_SameColumnNoRunClears", kBase, CSelection::Column(3, 1), CardPoint(3, 0), kBase, CSelection::None(),
         kNoSnapshot, kRedraw},
        // Row 29: x 48 of the top row and the band y 28 to 34 mean nothing.
        {"Row29_GapAtX48", kBase, CSelection::Waste(), {48, 10}, kBase, CSelection::Waste(), kNoSnapshot, kNoRedraw},
        {"Row29_BandAtY28BelowStock", kBase, CSelection::Column(2, 0), {10, 28}, kBase, CSelection::Column(2, 0),
         kNoSnapshot, kNoRedraw},
        {"Row29_BandAtY34", kBase, CSelection::Foundation(2), {108, 34}, kBase, CSelection::Foundation(2), kNoSnapshot,
         kNoRedraw},
    };
    return cases;
}

class TapCase : public ::testing::TestWithParam<CTapCase> {};

TEST_P(TapCase, ActsAsItsRowSays)
{
    const CTapCase& c = GetParam();
    CBoardSession s;
    ASSERT_TRUE(s.Lay(c.m_before, c.m_selBefore));
    ASSERT_FALSE(s.Game().IsWon()) << "a won position would stop at the win prompt";
    s.Watch();

    ASSERT_TRUE(s.TapBoard(c.m_pt));

    EXPECT_TRUE(s.Outcome(c.m_after, c.m_selAfter, c.m_bSnapshot, c.m_bRedraw));
}

INSTANTIATE_TEST_SUITE_P(Tap, TapCase, ::testing::ValuesIn(TapCases()),
                         [](const auto& p) { return std::string(p.param.m_pszName); });

// Points off the board reach the handlers only when sent to the window
// directly. Each would mean something if its coordinates were clamped or
// divided as in-board ones: a stock turn, a selection, a move, or a pile index
// past the last one.
TEST(OffBoardPoint, IgnoredByTapAndDoubleTap)
{
    const CLayout layout = {
        .m_strStock = "7D",
        .m_strWaste = "AH",
        .m_astrColumn = {"2S", "", "", "", "", "", "", "", "", "5H"},
        .m_astrFoundation = {"AS", "", "", "", "", "", "", "AD"},
    };
    const CPoint points[] = {{-1, 40}, {-1, 10}, {-30, 100}, {240, 40}, {240, 10}, {263, 300},
                             {30000, 100}, {-30000, 10}, {60, -1}, {10, -1}, {30, -20}, {230, -30000}};
    for (const UINT message : {WM_LBUTTONDOWN, WM_LBUTTONDBLCLK}) {
        for (const CPoint pt : points) {
            SCOPED_TRACE((message == WM_LBUTTONDOWN ? "tap at (" : "double tap at (") + std::to_string(pt.x) + ", "
                         + std::to_string(pt.y) + ")");
            CBoardSession s;
            ASSERT_TRUE(s.Lay(layout, CSelection::None()));
            s.Watch();

            ASSERT_TRUE(s.SendToBoard(message, pt));

            EXPECT_TRUE(s.Outcome(layout, CSelection::None(), kNoSnapshot, kNoRedraw));
        }
    }
}

}  // namespace
