#include "platform/backend/sdl/CSdlViewport.h"

#include <gtest/gtest.h>

namespace {

struct FitCase {
    int width;
    int height;
    int factor;
};

class SdlViewportFit : public ::testing::TestWithParam<FitCase> {};

TEST_P(SdlViewportFit, LargestWholeFactorThatFitsWithTheWindowFrame)
{
    const CSdlViewport viewport(240, 320);
    EXPECT_EQ(viewport.FitFactor(GetParam().width, GetParam().height), GetParam().factor);
}

INSTANTIATE_TEST_SUITE_P(Desktops, SdlViewportFit,
                         ::testing::Values(FitCase{1024, 768, 2},    // 640 + frame fits, 960 does not
                                           FitCase{1920, 1040, 3},   // a full HD desktop less its panel
                                           FitCase{2560, 1400, 4},
                                           FitCase{1366, 704, 2},    // 640 + 64 fits exactly
                                           FitCase{1366, 703, 1},    // one pixel short
                                           FitCase{800, 600, 1},
                                           FitCase{200, 200, 1},     // smaller than the screen: still 1
                                           FitCase{496, 2000, 2},    // the width decides
                                           FitCase{495, 2000, 1}));

TEST(SdlViewport, WindowOfExactMultipleHasNoBars)
{
    CSdlViewport viewport(240, 320);
    viewport.SetWindowSize(720, 960);
    EXPECT_EQ(viewport.Factor(), 3);
    EXPECT_EQ(viewport.ScreenArea(), CRect(0, 0, 720, 960));
    EXPECT_EQ(viewport.ToScreen({0, 0}), CPoint(0, 0));
    EXPECT_EQ(viewport.ToScreen({719, 959}), CPoint(239, 319));
    EXPECT_EQ(viewport.ToScreen({5, 8}), CPoint(1, 2));
    EXPECT_EQ(viewport.ToWindow(CRect(1, 2, 3, 5)), CRect(3, 6, 9, 15));
}

TEST(SdlViewport, LargerWindowIsLetterboxedAndItsBarsTakeNoTaps)
{
    CSdlViewport viewport(240, 320);
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

TEST(SdlViewport, ResizeChangesTheFactorBothWays)
{
    CSdlViewport viewport(240, 320);
    viewport.SetWindowSize(300, 400);
    EXPECT_EQ(viewport.Factor(), 1);
    EXPECT_EQ(viewport.ScreenArea(), CRect(30, 40, 270, 360));
    viewport.SetWindowSize(960, 1280);
    EXPECT_EQ(viewport.Factor(), 4);
    EXPECT_EQ(viewport.ScreenArea(), CRect(0, 0, 960, 1280));
}

TEST(SdlViewport, WindowSmallerThanTheScreenShowsItsTopLeft)
{
    CSdlViewport viewport(240, 320);
    viewport.SetWindowSize(200, 100);
    EXPECT_EQ(viewport.Factor(), 1);
    EXPECT_EQ(viewport.ScreenArea(), CRect(0, 0, 240, 320));
    EXPECT_EQ(viewport.ToScreen({199, 99}), CPoint(199, 99));
    EXPECT_FALSE(viewport.ToScreen({200, 50}));  // outside the window
}

}  // namespace
