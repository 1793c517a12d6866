// Double taps at screen points, as the window system makes them from two
// presses: the first press is an ordinary tap, the second arrives as the
// double tap. The position and selection after are those of the whole
// gesture; the snapshot and the redraw are those of the double tap alone,
// watched from between the two presses.

#include "tests/view/CBoardSession.h"
#include "tests/view/TapPoints.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using testboard::CLayout;
using viewcheck::CardPoint;

struct CDoubleTapCase {
    const char* m_pszName;
    CLayout m_before;
    CSelection m_selBefore;
    CPoint m_pt;  // board pixels
    CLayout m_after;
    CSelection m_selAfter;
    bool m_bSnapshot;  // by the double tap
    bool m_bRedraw;    // by the double tap
};

void PrintTo(const CDoubleTapCase& c, std::ostream* pOut) { *pOut << c.m_pszName; }

constexpr bool kSnapshot = true;
constexpr bool kNoSnapshot = false;
constexpr bool kRedraw = true;
constexpr bool kNoRedraw = false;

// Spades up to the Ace on foundation 0 and hearts up to the 3 on foundation
// 2; a 2 of spades exposed in column 3, a club Ace in column 4, a covered
// spade Ace in column 5.
const CLayout kBase = {
    .m_strStock = "7D 2C",
    .m_strWaste = "JD 5H",
    .m_astrColumn = {"QS", "", "9C 8H 7S", "9C 2S", "QD AC", "AS 5H"},
    .m_astrFoundation = {"AS", "", "3H 2H AH"},
};

CLayout With(void (*change)(CLayout&)) { return viewcheck::With(kBase, change); }

const std::vector<CDoubleTapCase>& DoubleTapCases()
{
    static const std::vector<CDoubleTapCase> cases = {
        // The waste's own zone, x 25 to 47 and y up to 27: an Ace starts the
        // first foundation of its pair, else the second.
        {"Waste_AceToFirstOfPairAtX25Y27", With([](CLayout& l) { l.m_strWaste = "AD JD"; }), CSelection::None(),
         {25, 27}, With([](CLayout& l) { l.m_strWaste = "JD", l.m_astrFoundation[6] = "AD"; }), CSelection::None(),
         kSnapshot, kRedraw},
        {"Waste_AceToSecondOfPairAtX47", With([](CLayout& l) { l.m_strWaste = "AS JD"; }), CSelection::None(), {47, 0},
         With([](CLayout& l) { l.m_strWaste = "JD", l.m_astrFoundation[1] = "AS"; }), CSelection::None(), kSnapshot,
         kRedraw},
        {"Waste_CardOntoItsSuitWithRunSelected", With([](CLayout& l) { l.m_strWaste = "4H JD"; }),
         CSelection::Column(2, 0), {36, 14},
         With([](CLayout& l) { l.m_strWaste = "JD", l.m_astrFoundation[2] = "4H 3H 2H AH"; }), CSelection::None(),
         kSnapshot, kRedraw},
        // No place: the waste stays selected by the first tap.
        {"Waste_CardWithNoPlaceStaysSelected", kBase, CSelection::None(), {36, 14}, kBase, CSelection::Waste(),
         kNoSnapshot, kNoRedraw},
        {"Waste_TwoWithAceOnSecondOfPair",
         With([](CLayout& l) { l.m_strWaste = "2D JD", l.m_astrFoundation[7] = "AD"; }), CSelection::None(), {36, 14},
         With([](CLayout& l) { l.m_strWaste = "2D JD", l.m_astrFoundation[7] = "AD"; }), CSelection::Waste(),
         kNoSnapshot, kNoRedraw},
        {"Waste_Empty", With([](CLayout& l) { l.m_strWaste = ""; }), CSelection::Column(2, 1), {36, 14},
         With([](CLayout& l) { l.m_strWaste = ""; }), CSelection::Column(2, 1), kNoSnapshot, kNoRedraw},
        // Elsewhere above y 35 the double tap is a second tap.
        {"Top_WasteAtX24IsTwoTaps", With([](CLayout& l) { l.m_strWaste = "AD JD"; }), CSelection::None(), {24, 14},
         With([](CLayout& l) { l.m_strWaste = "AD JD"; }), CSelection::None(), kNoSnapshot, kRedraw},
        {"Top_StockTurnsTwice", kBase, CSelection::None(), {11, 14},
         With([](CLayout& l) { l.m_strStock = "", l.m_strWaste = "2C 7D JD 5H"; }), CSelection::None(), kSnapshot,
         kRedraw},
        {"Top_FoundationSelectedAndUnselected", kBase, CSelection::None(), {108, 10}, kBase, CSelection::None(),
         kNoSnapshot, kRedraw},
        {"Top_GapAtX48", kBase, CSelection::Waste(), {48, 5}, kBase, CSelection::Waste(), kNoSnapshot, kNoRedraw},
        {"Top_BandAtY34", kBase, CSelection::Column(2, 1), {84, 34}, kBase, CSelection::Column(2, 1), kNoSnapshot,
         kNoRedraw},
        // The columns: only an exposed card goes up.
        {"Column_ExposedCardToFoundation", kBase, CSelection::None(), CardPoint(3, 1),
         With([](CLayout& l) { l.m_astrColumn[3] = "9C", l.m_astrFoundation[0] = "2S AS"; }), CSelection::None(),
         kSnapshot, kRedraw},
        {"Column_FarBelowExposedAceAtX96", kBase, CSelection::None(), {96, 293},
         With([](CLayout& l) { l.m_astrColumn[4] = "QD", l.m_astrFoundation[4] = "AC"; }), CSelection::None(),
         kSnapshot, kRedraw},
        {"Column_FirstCardAtY35", With([](CLayout& l) { l.m_astrColumn[1] = "AH"; }), CSelection::None(), {47, 35},
         With([](CLayout& l) { l.m_astrFoundation[3] = "AH"; }), CSelection::None(), kSnapshot, kRedraw},
        {"Column_WithWasteSelectedBefore", kBase, CSelection::Waste(), CardPoint(3, 1),
         With([](CLayout& l) { l.m_astrColumn[3] = "9C", l.m_astrFoundation[0] = "2S AS"; }), CSelection::None(),
         kSnapshot, kRedraw},
        {"Column_CoveredCardOfRun", kBase, CSelection::None(), CardPoint(2, 1), kBase, CSelection::Column(2, 1),
         kNoSnapshot, kNoRedraw},
        {"Column_CoveredAceStays", kBase, CSelection::None(), CardPoint(5, 0), kBase, CSelection::None(), kNoSnapshot,
         kNoRedraw},
        {"Column_Empty", kBase, CSelection::Waste(), CardPoint(1, 0), kBase, CSelection::Waste(), kNoSnapshot,
         kNoRedraw},
        {"Column_ExposedCardWithNoPlaceStaysSelected", kBase, CSelection::None(), CardPoint(2, 2), kBase,
         CSelection::Column(2, 2), kNoSnapshot, kNoRedraw},
        // The first foundation of the pair is empty: the 2 is not sent to
        // the Ace on the second.
        {"Column_TwoWithAceOnSecondOfPair",
         With([](CLayout& l) { l.m_astrColumn[1] = "2H", l.m_astrFoundation[2] = "", l.m_astrFoundation[3] = "AH"; }),
         CSelection::None(), CardPoint(1, 0),
         With([](CLayout& l) { l.m_astrColumn[1] = "2H", l.m_astrFoundation[2] = "", l.m_astrFoundation[3] = "AH"; }),
         CSelection::Column(1, 0), kNoSnapshot, kNoRedraw},
    };
    return cases;
}

class DoubleTapCase : public ::testing::TestWithParam<CDoubleTapCase> {};

TEST_P(DoubleTapCase, ActsAsItsCaseSays)
{
    const CDoubleTapCase& c = GetParam();
    CBoardSession s;
    ASSERT_TRUE(s.Lay(c.m_before, c.m_selBefore));
    ASSERT_FALSE(s.Game().IsWon());
    const CPoint pt = CAppSession::BoardPoint(c.m_pt.x, c.m_pt.y);

    s.Host().Press(pt);
    s.Host().Release(pt);
    ASSERT_TRUE(s.Play());
    s.Watch();
    s.Host().Press(pt, CHeadlessBackend::kDoubleTapGap);
    s.Host().Release(pt);
    ASSERT_TRUE(s.Play());

    EXPECT_TRUE(s.Outcome(c.m_after, c.m_selAfter, c.m_bSnapshot, c.m_bRedraw));
}

INSTANTIATE_TEST_SUITE_P(DoubleTap, DoubleTapCase, ::testing::ValuesIn(DoubleTapCases()),
                         [](const auto& p) { return std::string(p.param.m_pszName); });

}  // namespace
