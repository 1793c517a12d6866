#include "tests/platform/support/CHeadlessTest.h"
#include "tests/platform/support/CRecordingWnd.h"

namespace {

using Input = CHeadlessTest;

std::vector<CPoint> PressPoints(const CRecordingWnd& w)
{
    std::vector<CPoint> out;
    for (const MSG& m : w.Log())
        if (m.message == WM_LBUTTONDOWN)
            out.push_back(PointFromLParam(m.lParam));
    return out;
}

TEST_F(Input, GoesToTheTopmostWindowUnderThePoint)
{
    CRecordingWnd lower, upper;
    ASSERT_TRUE(lower.CreatePopup(nullptr, {0, 0, 100, 100}));
    ASSERT_TRUE(upper.CreatePopup(nullptr, {50, 50, 150, 150}));
    m_backend.Tap({75, 75});
    m_backend.Tap({25, 25});
    m_backend.Tap({125, 125});
    m_backend.Tap({200, 200});
    RunUntilScriptDone();
    EXPECT_EQ(PressPoints(lower), (std::vector<CPoint>{{25, 25}}));
    EXPECT_EQ(PressPoints(upper), (std::vector<CPoint>{{25, 25}, {75, 75}}));
}

TEST_F(Input, ADisabledWindowOrOneInsideItTakesNone)
{
    CRecordingWnd lower, upper, child;
    ASSERT_TRUE(lower.CreatePopup(nullptr, {0, 0, 100, 100}));
    ASSERT_TRUE(upper.CreatePopup(nullptr, {50, 50, 150, 150}));
    ASSERT_TRUE(child.CreateChild(&upper, {50, 50, 100, 100}));
    upper.EnableWindow(false);
    m_backend.Tap({75, 75});
    m_backend.Tap({125, 125});
    RunUntilScriptDone();
    EXPECT_TRUE(PressPoints(lower).empty()) << "input fell through a disabled window";
    EXPECT_TRUE(PressPoints(upper).empty());
    EXPECT_TRUE(PressPoints(child).empty());

    upper.EnableWindow(true);
    m_backend.Tap({125, 125});
    RunUntilScriptDone();
    EXPECT_EQ(PressPoints(child), (std::vector<CPoint>{{25, 25}}));
}

TEST_F(Input, ChildrenTakeTheirOwnInInClientPoints)
{
    CRecordingWnd parent, child;
    ASSERT_TRUE(parent.CreatePopup(nullptr, {10, 10, 110, 110}, 0, WS_VISIBLE | WS_BORDER));
    ASSERT_TRUE(child.CreateChild(&parent, {20, 20, 60, 60}));
    m_backend.Tap({31 + 5, 31 + 6});
    m_backend.Tap({15, 15});
    m_backend.Tap({10, 10});  // on the parent's border: nobody's client area
    RunUntilScriptDone();
    EXPECT_EQ(PressPoints(child), (std::vector<CPoint>{{5, 6}}));
    EXPECT_EQ(PressPoints(parent), (std::vector<CPoint>{{4, 4}}));
}

TEST_F(Input, TransparentWindowsLetInputThrough)
{
    CRecordingWnd lower;
    ASSERT_TRUE(lower.CreatePopup(nullptr, {0, 0, 100, 100}));
    CRecordingWnd tip;
    ASSERT_TRUE(tip.CreateEx(WS_EX_TRANSPARENT, AfxRegisterWndClass(0), "tip", WS_POPUP | WS_VISIBLE,
                             {10, 10, 60, 30}, nullptr, 0));
    m_backend.Tap({20, 20});
    RunUntilScriptDone();
    EXPECT_EQ(PressPoints(lower), (std::vector<CPoint>{{20, 20}}));
    EXPECT_TRUE(PressPoints(tip).empty());
}

TEST_F(Input, TheCaptureTakesEverythingUntilReleased)
{
    CRecordingWnd a, b;
    ASSERT_TRUE(a.CreatePopup(nullptr, {0, 0, 100, 100}));
    ASSERT_TRUE(b.CreatePopup(nullptr, {100, 0, 200, 100}));
    SetCapture(a.m_hWnd);
    m_backend.Tap({150, 20});
    RunUntilScriptDone();
    EXPECT_EQ(PressPoints(a), (std::vector<CPoint>{{150, 20}}));
    ReleaseCapture();
    m_backend.Tap({150, 20});
    RunUntilScriptDone();
    EXPECT_EQ(PressPoints(b), (std::vector<CPoint>{{50, 20}}));
}

TEST_F(Input, HiddenWindowsLoseTheCapture)
{
    CRecordingWnd a;
    ASSERT_TRUE(a.CreatePopup(nullptr, {0, 0, 100, 100}));
    SetCapture(a.m_hWnd);
    a.ShowWindow(SW_HIDE);
    EXPECT_EQ(GetCapture(), nullptr);
}

}  // namespace
