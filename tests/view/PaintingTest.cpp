// The board's picture: the fresh deal against its reference picture, small
// positions against the reference painter, the selection rectangles against
// their exact extents, and what the screen shows after redraws.

#include "tests/platform/support/PngReader.h"
#include "tests/view/CBoardSession.h"
#include "tests/view/CReferencePainter.h"
#include "tests/view/PictureCheck.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using testboard::CLayout;
using viewcheck::SamePicture;

TEST(BoardPicture, FreshDealEqualsReferencePicture)
{
    CBoardSession s;  // the clock reads 1765372800
    std::string strError;
    const std::optional<CSurface> reference = ReadPng(viewcheck::DataPath("board-1765372800.png"), &strError);
    ASSERT_TRUE(reference) << strError;

    ASSERT_EQ(CSelection::Of(s.Game()), CSelection::None());
    EXPECT_TRUE(SamePicture(s.PaintedBoard(), *reference, "off-screen"));
    // The painter the other cases trust draws that deal the same way.
    EXPECT_TRUE(SamePicture(CReferencePainter::Paint(s.Game()), *reference, "reference-painter"));
    // The first paint put it on screen, as far as the window reaches.
    const CSurface shown = s.ShownBoard();
    EXPECT_TRUE(SamePicture(shown, viewcheck::Crop(*reference, shown.Bounds()), "screen"));
}

struct CPaintCase {
    const char* m_pszName;
    CLayout m_layout;
    CSelection m_selection = CSelection::None();
};

void PrintTo(const CPaintCase& c, std::ostream* pOut)
{
    *pOut << c.m_pszName << ", ";
    PrintTo(c.m_selection, pOut);
    testboard::PrintTo(c.m_layout, pOut);
}

const CPaintCase kPaintCases[] = {
    {"StockOfOne", {.m_strStock = "5H"}},
    {"StockOfTwo", {.m_strStock = "5H 9C"}},
    {"StockOfThree", {.m_strStock = "5H 9C KD"}},
    {"StockOfFive", {.m_strStock = "5H 9C KD 2S AS"}},
    {"WasteOfOne", {.m_strWaste = "QH"}},
    {"WasteOfTwo", {.m_strWaste = "QH 3S"}},
    {"WasteOfThree", {.m_strWaste = "QH 3S 7D"}},
    {"WasteOfFour", {.m_strWaste = "TC 3S 7D 2H"}},
    {"FoundationTops",
     {.m_astrFoundation = {"AS", "3S 2S AS", "TH 9H 8H 7H 6H 5H 4H 3H 2H AH", "", "JC TC 9C 8C 7C 6C 5C 4C 3C 2C AC",
                           "", "2D AD", "KD QD JD TD 9D 8D 7D 6D 5D 4D 3D 2D AD"}}},
    {"ColumnOfOne", {.m_astrColumn = {"7C"}}},
    {"ColumnsOfEveryRank",
     {.m_astrColumn = {"KS QH JC TD 9S 8H 7C 6D 5S 4H 3C 2D AS", "", "", "", "", "", "", "", "",
                       "KH QS JD TC 9H 8S 7D 6C 5H 4S 3D 2C AH"}}},
    {"RedAndBlackGlyphs", {.m_astrColumn = {"", "", "", "9S 9H 9C 9D", "QS QH QC QD", "AD AC AH AS"}}},
    {"ColumnPastTheSurface",
     {.m_astrColumn = {"", "", "", "", "",
                       "KS QH JC TD 9S 8H 7C 6D 5S 4H 3C 2D AS KH QS JD TC 9H 8S 7D 6C 5H 4S 3D 2C AH 5C"}}},
    {"WasteSelected", {.m_strStock = "2C", .m_strWaste = "QH 3S 7D"}, CSelection::Waste()},
    {"FoundationSelected", {.m_astrFoundation = {"AS", "", "", "", "", "", "", "3D 2D AD"}}, CSelection::Foundation(7)},
    {"WholeColumnSelected", {.m_astrColumn = {"", "", "", "9S 8H 7C 6D"}}, CSelection::Column(3, 0)},
    {"ColumnTailSelected", {.m_astrColumn = {"KD", "", "", "", "", "", "", "", "", "4C 9S 8H 7C 6D"}},
     CSelection::Column(9, 2)},
    {"FullBoardWithSelection",
     {.m_strStock = "3S 4D 5C",
      .m_strWaste = "6H 7S",
      .m_astrColumn = {"KH", "3S 8H", "6D 2C 7D", "JS 6S 5C 2D", "9S AS 7H 5S JS", "6S 7S 5D 5S TS 8S"},
      .m_astrFoundation = {"2S AS", "", "AH"}},
     CSelection::Column(1, 1)},
};

class PaintCase : public ::testing::TestWithParam<CPaintCase> {};

TEST_P(PaintCase, OffScreenPictureFollowsTheArtwork)
{
    const CPaintCase& c = GetParam();
    CBoardSession s;
    ASSERT_TRUE(s.Lay(c.m_layout, c.m_selection));
    EXPECT_TRUE(SamePicture(s.PaintedBoard(), CReferencePainter::Paint(s.Game()), c.m_pszName));
}

INSTANTIATE_TEST_SUITE_P(BoardPicture, PaintCase, ::testing::ValuesIn(kPaintCases),
                         [](const auto& p) { return std::string(p.param.m_pszName); });

// Pixels that the stacked cards of the stock and the waste leave showing,
// checked by colour at named points.
struct CProbe {
    int m_nX;
    int m_nY;
    Pixel m_colour;
};

struct CProbeCase {
    const char* m_pszName;
    CLayout m_layout;
    std::vector<CProbe> m_aProbe;
};

constexpr Pixel kGreen = CReferencePainter::kBackground;
constexpr Pixel kTeal = CReferencePainter::kTeal;
constexpr Pixel kBlack = CReferencePainter::kBlack;
constexpr Pixel kWhite = CReferencePainter::kWhite;

const CProbeCase kProbeCases[] = {
    // One back at y 1 to 28; its cut corner shows the background.
    {"StockOfOne", {.m_strStock = "5H"}, {{5, 0, kGreen}, {5, 1, kBlack}, {5, 28, kBlack}, {5, 29, kGreen}, {0, 1, kGreen}}},
    // A band of two rows below it: the second back's last two rows.
    {"StockOfTwo", {.m_strStock = "5H 9C"}, {{5, 29, kTeal}, {5, 30, kBlack}, {5, 31, kGreen}, {0, 29, kGreen}}},
    {"StockOfThree", {.m_strStock = "5H 9C KD"}, {{5, 29, kTeal}, {5, 30, kBlack}, {5, 31, kTeal}, {5, 32, kBlack}, {5, 33, kGreen}}},
    {"WasteOfOne", {.m_strWaste = "QH"}, {{30, 4, kGreen}, {30, 5, kBlack}, {30, 6, kWhite}}},
    // Edges two and four pixels above the face, without marks.
    {"WasteOfTwo", {.m_strWaste = "QH 3S"}, {{30, 2, kGreen}, {30, 3, kBlack}, {30, 4, kWhite}, {24, 3, kGreen}}},
    {"WasteOfThree", {.m_strWaste = "QH 3S 7D"}, {{30, 0, kGreen}, {30, 1, kBlack}, {30, 2, kWhite}, {30, 3, kBlack}}},
    // The last column of every card lets the background through.
    {"ColumnOfOne", {.m_astrColumn = {"7C"}}, {{23, 40, kGreen}, {22, 40, kBlack}, {0, 35, kGreen}, {2, 35, kBlack}}},
};

TEST(BoardPicture, StackedCardsShowTheirEdges)
{
    for (const CProbeCase& c : kProbeCases) {
        SCOPED_TRACE(c.m_pszName);
        CBoardSession s;
        ASSERT_TRUE(s.Lay(c.m_layout, CSelection::None()));
        const CSurface painted = s.PaintedBoard();
        for (const CProbe& p : c.m_aProbe)
            EXPECT_EQ(painted.At(p.m_nX, p.m_nY), p.m_colour) << "at (" << p.m_nX << ", " << p.m_nY << ")";
    }
}

// The selection inverts exactly one rectangle; every other pixel stays.
struct CSelectionCase {
    const char* m_pszName;
    CLayout m_layout;
    CSelection m_selection;
    CRect m_inverted;  // right and bottom exclusive
};

std::string Extent(const CRect& r)
{
    return "x " + std::to_string(r.left) + ".." + std::to_string(r.right - 1) + ", y " + std::to_string(r.top) + ".."
           + std::to_string(r.bottom - 1);
}

const CSelectionCase kSelectionCases[] = {
    // x 24..46, y 5..32: the top card only, not the edges above it.
    {"Waste", {.m_strWaste = "QH 3S 7D"}, CSelection::Waste(), {24, 5, 47, 33}},
    {"FoundationSeven", {.m_astrFoundation = {"", "", "", "", "", "", "", "2D AD"}}, CSelection::Foundation(7),
     {216, 1, 239, 29}},
    {"FoundationZero", {.m_astrFoundation = {"AS"}}, CSelection::Foundation(0), {48, 1, 71, 29}},
    // k = 0 on n cards: y 35..10n + 52.
    {"ColumnOfOne", {.m_astrColumn = {"7C"}}, CSelection::Column(0, 0), {0, 35, 23, 63}},
    {"ColumnOfFour", {.m_astrColumn = {"", "", "", "9S 8H 7C 6D"}}, CSelection::Column(3, 0), {72, 35, 95, 93}},
    // k > 0: from the top of the selected card to the bottom of the last.
    {"ColumnTail", {.m_astrColumn = {"", "", "", "", "", "", "", "", "", "4C 9S 8H 7C 6D"}}, CSelection::Column(9, 2),
     {216, 55, 239, 103}},
    {"ColumnLastCard", {.m_astrColumn = {"", "", "", "", "", "KD 4C 9S"}}, CSelection::Column(5, 2),
     {120, 55, 143, 83}},
};

TEST(BoardPicture, SelectionInvertsItsRectangleOnly)
{
    for (const CSelectionCase& c : kSelectionCases) {
        SCOPED_TRACE(c.m_pszName);
        CBoardSession s;
        ASSERT_TRUE(s.Lay(c.m_layout, CSelection::None()));
        const CSurface plain = s.PaintedBoard();
        c.m_selection.ApplyTo(s.Game());
        const CSurface selected = s.PaintedBoard();

        const viewcheck::CDifference d = viewcheck::Difference(plain, selected);
        EXPECT_EQ(Extent(d.m_bounds), Extent(c.m_inverted));
        EXPECT_EQ(d.m_nCount, c.m_inverted.Width() * c.m_inverted.Height());
        // Inverted, not merely changed.
        for (int y = c.m_inverted.top; y < c.m_inverted.bottom; ++y)
            for (int x = c.m_inverted.left; x < c.m_inverted.right; ++x)
                ASSERT_EQ(selected.At(x, y), plain.At(x, y) ^ 0xFFFFFFu) << "at (" << x << ", " << y << ")";
    }
}

TEST(BoardPicture, UnselectingGivesThePictureBack)
{
    CBoardSession s;
    ASSERT_TRUE(s.Lay({.m_strStock = "2C", .m_astrColumn = {"KD", "", "9S 8H 7C"}}, CSelection::None()));
    s.Board().Redraw();
    ASSERT_TRUE(s.Play());
    const CSurface before = s.ShownBoard();
    ASSERT_TRUE(s.ShowsBoard("before"));

    ASSERT_TRUE(s.TapBoard({60, 50}));  // selects the run from the 8
    ASSERT_EQ(CSelection::Of(s.Game()), CSelection::Column(2, 1));
    EXPECT_TRUE(s.ShowsBoard("selected"));
    EXPECT_FALSE(s.ShownBoard() == before);

    ASSERT_TRUE(s.TapBoard({60, 50}));
    ASSERT_EQ(CSelection::Of(s.Game()), CSelection::None());
    EXPECT_TRUE(SamePicture(s.ShownBoard(), before, "unselected"));
}

TEST(BoardPicture, TwoRedrawsShowTheSamePicture)
{
    CBoardSession s;
    ASSERT_TRUE(s.Lay({.m_strStock = "2C 5D 9H", .m_strWaste = "QH 3S", .m_astrColumn = {"KD QS", "", "9S 8H 7C"},
                       .m_astrFoundation = {"AS"}},
                      CSelection::Column(2, 1)));
    s.Scribble();
    s.Board().Redraw();
    ASSERT_TRUE(s.Play());
    const CSurface first = s.ShownBoard();
    EXPECT_TRUE(s.ShowsBoard("first"));

    s.Scribble();
    s.Board().Redraw();
    ASSERT_TRUE(s.Play());
    EXPECT_TRUE(SamePicture(s.ShownBoard(), first, "second"));
}

}  // namespace
