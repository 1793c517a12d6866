#include "platform/backend/CViewport.h"

#include <gtest/gtest.h>

namespace {

struct FitCase {
    int width;
    int height;
    int factor;
};

class ViewportFit : public ::testing::TestWithParam<FitCase> {};

TEST_P(ViewportFit, LargestWholeFactorThatFitsWithTheWindowFrame)
{
    const CViewport viewport(240, 320);
    EXPECT_EQ(viewport.FitFactor(GetParam().width, GetParam().height), GetParam().factor);
}

TEST(Viewport, FitsWithTheFrameTheHostMeasured)
{
    const CViewport viewport(240, 320);
    // A Windows frame at 96 dpi: 16 across, 39 down with the caption.
    EXPECT_EQ(viewport.FitFactor(1024, 679, {16, 39}), 2);
    EXPECT_EQ(viewport.FitFactor(1024, 678, {16, 39}), 1);
    EXPECT_EQ(viewport.FitFactor(736, 2000, {16, 39}), 3);
    EXPECT_EQ(viewport.FitFactor(735, 2000, {16, 39}), 2);
    EXPECT_EQ(viewport.FitFactor(480, 640, {0, 0}), 2);
}

INSTANTIATE_TEST_SUITE_P(Desktops, ViewportFit,
                         ::testing::Values(FitCase{1024, 768, 2},    // 640 + frame fits, 960 does not
                                           FitCase{1920, 1040, 3},   // a full HD desktop less its panel
                                           FitCase{2560, 1400, 4},
                                           FitCase{1366, 704, 2},    // 640 + 64 fits exactly
                                           FitCase{1366, 703, 1},    // one pixel short
                                           FitCase{800, 600, 1},
                                           FitCase{200, 200, 1},     // smaller than the screen: still 1
                                           FitCase{496, 2000, 2},    // the width decides
                                           FitCase{495, 2000, 1}));

TEST(Viewport, WindowOfExactMultipleHasNoBars)
{
    CViewport viewport(240, 320);
    viewport.SetWindowSize(720, 960);
    EXPECT_EQ(viewport.Factor(), 3);
    EXPECT_EQ(viewport.ScreenArea(), CRect(0, 0, 720, 960));
    EXPECT_EQ(viewport.ToScreen({0, 0}), CPoint(0, 0));
    EXPECT_EQ(viewport.ToScreen({719, 959}), CPoint(239, 319));
    EXPECT_EQ(viewport.ToScreen({5, 8}), CPoint(1, 2));
    EXPECT_EQ(viewport.ToWindow(CRect(1, 2, 3, 5)), CRect(3, 6, 9, 15));
}

TEST(Viewport, LargerWindowIsLetterboxedAndItsBarsTakeNoTaps)
{
    CViewport viewport(240, 320);
    viewport.SetWindowSize(1000, 700);  // 2 fits both ways, 3 only across
    EXPECT_EQ(viewport.Factor(), 2);
    EXPECT_EQ(viewport.ScreenArea(), CRect(260, 30, 740, 670));
    EXPECT_EQ(viewport.ToWindow(CRect(0, 0, 1, 1)), CRect(260, 30, 262, 32));
    EXPECT_EQ(viewport.ToScreen({260, 30}), CPoint(0, 0));
    EXPECT_EQ(viewport.ToScreen({739, 669}), CPoint(239, 319));
    for (CPoint bar : {CPoint{259, 100}, CPoint{740, 100}, CPoint{500, 29}, CPoint{500, 670}, CPoint{0, 0}})
        EXPECT_FALSE(viewport.ToScreen(bar)) << bar.x << "," << bar.y;
    // A stylus dragged into a bar stays on the screen's edge.
    EXPECT_EQ(viewport.ToScreenClamped({100, 40}), CPoint(0, 5));
    EXPECT_EQ(viewport.ToScreenClamped({999, 699}), CPoint(239, 319));
}

TEST(Viewport, ResizeChangesTheFactorBothWays)
{
    CViewport viewport(240, 320);
    viewport.SetWindowSize(300, 400);
    EXPECT_EQ(viewport.Factor(), 1);
    EXPECT_EQ(viewport.ScreenArea(), CRect(30, 40, 270, 360));
    viewport.SetWindowSize(960, 1280);
    EXPECT_EQ(viewport.Factor(), 4);
    EXPECT_EQ(viewport.ScreenArea(), CRect(0, 0, 960, 1280));
}

TEST(Viewport, WindowSmallerThanTheScreenShowsItsTopLeft)
{
    CViewport viewport(240, 320);
    viewport.SetWindowSize(200, 100);
    EXPECT_EQ(viewport.Factor(), 1);
    EXPECT_EQ(viewport.ScreenArea(), CRect(0, 0, 240, 320));
    EXPECT_EQ(viewport.ToScreen({199, 99}), CPoint(199, 99));
    EXPECT_FALSE(viewport.ToScreen({200, 50}));  // outside the window
}

}  // namespace
