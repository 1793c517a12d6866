#include "tests/platform/support/CHeadlessTest.h"
#include "tests/platform/support/CRecordingWnd.h"

#include "platform/fw/CDC.h"

namespace {

constexpr COLORREF kGrey = RGB(128, 128, 128);
constexpr COLORREF kBlue = RGB(0, 0, 255);
constexpr COLORREF kYellow = RGB(255, 255, 0);

using Paint = CHeadlessTest;

TEST_F(Paint, ComesOnlyWhenNoPostedMessageWaits)
{
    CRecordingWnd wnd;
    ASSERT_TRUE(wnd.CreatePopup(nullptr, {0, 0, 100, 100}));
    wnd.PostMessage(WM_USER + 1);
    wnd.PostMessage(WM_USER + 2);
    RunUntilScriptDone();
    EXPECT_EQ(wnd.Messages({WM_USER + 1, WM_USER + 2, WM_PAINT}),
              (std::vector<UINT>{WM_USER + 1, WM_USER + 2, WM_PAINT}));
}

// The headless host hands out its script only when the program waits, as a
// tester taps only what is already drawn.
TEST_F(Paint, ScriptedInputComesAfterPostedMessagesAndPaint)
{
    CRecordingWnd wnd;
    ASSERT_TRUE(wnd.CreatePopup(nullptr, {0, 0, 100, 100}));
    RunUntilScriptDone();
    wnd.ClearLog();
    wnd.Invalidate();
    wnd.PostMessage(WM_USER);
    m_backend.Press({10, 10}, 0);
    RunUntilScriptDone();
    EXPECT_EQ(wnd.Messages({WM_USER, WM_LBUTTONDOWN, WM_PAINT}),
              (std::vector<UINT>{WM_USER, WM_PAINT, WM_LBUTTONDOWN}));
}

TEST_F(Paint, BeginPaintValidatesSoOnePaintAnswersManyInvalidations)
{
    CRecordingWnd wnd;
    ASSERT_TRUE(wnd.CreatePopup(nullptr, {0, 0, 100, 100}));
    RunUntilScriptDone();
    const int before = wnd.PaintCount();
    const CRect a{10, 10, 20, 20}, b{30, 5, 40, 15};
    ::InvalidateRect(wnd.m_hWnd, &a, false);
    ::InvalidateRect(wnd.m_hWnd, &b, false);
    CRect pending;
    ASSERT_TRUE(GetUpdateRect(wnd.m_hWnd, &pending));
    EXPECT_EQ(pending, (CRect{10, 5, 40, 20}));
    RunUntilScriptDone();
    EXPECT_EQ(wnd.PaintCount(), before + 1);
    EXPECT_EQ(wnd.LastPaintRect(), (CRect{10, 5, 40, 20}));
    EXPECT_FALSE(GetUpdateRect(wnd.m_hWnd, nullptr));
}

TEST_F(Paint, ValidatedPartsAreNotPainted)
{
    CRecordingWnd wnd;
    ASSERT_TRUE(wnd.CreatePopup(nullptr, {0, 0, 100, 100}));
    RunUntilScriptDone();
    const int before = wnd.PaintCount();
    wnd.Invalidate();
    ValidateRect(wnd.m_hWnd, nullptr);
    RunUntilScriptDone();
    EXPECT_EQ(wnd.PaintCount(), before);
}

// A window whose procedure leaves WM_PAINT to nobody is not asked again and again.
TEST_F(Paint, UnansweredPaintIsNotRepeated)
{
    CRecordingWnd wnd;
    ASSERT_TRUE(wnd.CreatePopup(nullptr, {0, 0, 100, 100}));
    int paints = 0;
    WsSetDispatchHook([&](const MSG& m) { paints += m.message == WM_PAINT; });
    // The window system's own default: no BeginPaint from the handler.
    WNDCLASS wc;
    wc.lpfnWndProc = [](HWND, UINT, WPARAM, LPARAM) -> LRESULT { return 0; };
    wc.lpszClassName = "silent";
    ASSERT_TRUE(RegisterClass(wc));
    const HWND silent = CreateWindowEx(0, "silent", "", WS_POPUP | WS_VISIBLE, 0, 0, 50, 50, nullptr, 0, nullptr);
    ASSERT_NE(silent, nullptr);
    RunUntilScriptDone();
    EXPECT_EQ(paints, 2);
}

// What becomes invalid while a window paints (a box it opened and closed
// from its paint handler) is painted again afterwards, not forgotten.
TEST_F(Paint, InvalidatedDuringItsOwnPaintIsPaintedAgain)
{
    class CReinvalidating : public CRecordingWnd {
    public:
        bool m_bOnce = true;
        LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
        {
            const LRESULT result = CRecordingWnd::WindowProc(message, wParam, lParam);
            if (message == WM_PAINT && m_bOnce) {
                m_bOnce = false;
                Invalidate(false);
            }
            return result;
        }
    } wnd;
    ASSERT_TRUE(wnd.CreatePopup(nullptr, {0, 0, 100, 100}));
    RunUntilScriptDone();
    EXPECT_EQ(wnd.PaintCount(), 2);
    EXPECT_FALSE(GetUpdateRect(wnd.m_hWnd, nullptr));
}

struct UncoverCase {
    const char* name;
    void (*uncover)(CRecordingWnd& top);
    CRect stillTop;   // where the top window shows afterwards (screen), empty if nowhere
    CRect uncovered;  // what the bottom window must repaint
};

void PrintTo(const UncoverCase& c, std::ostream* os) { *os << c.name; }

class Uncovering : public CHeadlessTest, public ::testing::WithParamInterface<UncoverCase> {};

TEST_P(Uncovering, RepaintsExactlyWhatWasUncovered)
{
    CRecordingWnd bottom, top, elsewhere;
    bottom.SetPaintColour(kGrey);
    top.SetPaintColour(kBlue);
    elsewhere.SetPaintColour(kYellow);
    ASSERT_TRUE(bottom.CreatePopup(nullptr, {0, 0, 200, 200}));
    ASSERT_TRUE(elsewhere.CreatePopup(nullptr, {0, 250, 100, 300}));
    ASSERT_TRUE(top.CreatePopup(nullptr, {50, 40, 110, 90}));
    RunUntilScriptDone();
    ASSERT_TRUE(ScreenRectIs({50, 40, 110, 90}, kBlue));
    const int bottomPaints = bottom.PaintCount();
    const int elsewherePaints = elsewhere.PaintCount();

    GetParam().uncover(top);
    RunUntilScriptDone();
    EXPECT_EQ(bottom.PaintCount(), bottomPaints + 1);
    EXPECT_EQ(bottom.LastPaintRect(), GetParam().uncovered);
    EXPECT_EQ(elsewhere.PaintCount(), elsewherePaints) << "a window that was not uncovered was repainted";

    const CRect now = GetParam().stillTop;
    for (CPoint p : {CPoint{50, 40}, CPoint{109, 89}, CPoint{80, 60}}) {
        if (!now.Contains(p)) {
            EXPECT_TRUE(ScreenPixelIs(p, kGrey));
        }
    }
    if (!now.IsEmpty()) {
        EXPECT_TRUE(ScreenRectIs(now, kBlue));
    }
    EXPECT_TRUE(ScreenRectIs({0, 0, 200, 40}, kGrey));
    EXPECT_TRUE(ScreenRectIs({0, 250, 100, 300}, kYellow));
}

INSTANTIATE_TEST_SUITE_P(
    Ways, Uncovering,
    ::testing::Values(UncoverCase{"Hidden", [](CRecordingWnd& w) { w.ShowWindow(SW_HIDE); }, {}, {50, 40, 110, 90}},
                      UncoverCase{"Destroyed", [](CRecordingWnd& w) { w.DestroyWindow(); }, {}, {50, 40, 110, 90}},
                      UncoverCase{"MovedAway", [](CRecordingWnd& w) { w.MoveWindow({120, 100, 180, 150}); },
                                  {120, 100, 180, 150}, {50, 40, 110, 90}},
                      UncoverCase{"MovedHalfAway", [](CRecordingWnd& w) { w.MoveWindow({80, 40, 140, 90}); },
                                  {80, 40, 140, 90}, {50, 40, 80, 90}}),
    [](const ::testing::TestParamInfo<UncoverCase>& p) { return p.param.name; });

TEST_F(Paint, TheScreenPersistsWithoutPaintMessages)
{
    CRecordingWnd wnd;
    wnd.SetPaintColour(kGrey);
    ASSERT_TRUE(wnd.CreatePopup(nullptr, {0, 0, 240, 320}));
    RunUntilScriptDone();
    const int paints = wnd.PaintCount();
    // Drawing through a window context and waiting invalidate nothing.
    {
        CClientDC dc(&wnd);
        dc.FillSolidRect(10, 10, 20, 20, kBlue);
    }
    m_backend.Wait(5000);
    RunUntilScriptDone();
    EXPECT_EQ(wnd.PaintCount(), paints);
    EXPECT_TRUE(ScreenRectIs({10, 10, 30, 30}, kBlue));
    EXPECT_TRUE(ScreenPixelIs({30, 30}, kGrey));
}

TEST_F(Paint, ParentsPaintBeforeTheirChildren)
{
    std::vector<MSG> trace;
    CRecordingWnd parent(&trace), child(&trace);
    parent.SetPaintColour(kGrey);
    child.SetPaintColour(kBlue);
    ASSERT_TRUE(parent.CreatePopup(nullptr, {0, 0, 100, 100}));
    ASSERT_TRUE(child.CreateChild(&parent, {10, 10, 50, 50}));
    RunUntilScriptDone();
    std::vector<HWND> order;
    for (const MSG& m : trace)
        if (m.message == WM_PAINT)
            order.push_back(m.hwnd);
    EXPECT_EQ(order, (std::vector<HWND>{parent.m_hWnd, child.m_hWnd}));
    EXPECT_TRUE(ScreenRectIs({10, 10, 50, 50}, kBlue));
    EXPECT_TRUE(ScreenPixelIs({50, 50}, kGrey));
}

TEST_F(Paint, UpdateWindowPaintsAtOnceWithoutTheLoop)
{
    CRecordingWnd parent, child;
    ASSERT_TRUE(parent.CreatePopup(nullptr, {0, 0, 100, 100}));
    ASSERT_TRUE(child.CreateChild(&parent, {10, 10, 50, 50}));
    parent.UpdateWindow();
    EXPECT_EQ(parent.PaintCount(), 1);
    EXPECT_EQ(child.PaintCount(), 1);
    EXPECT_FALSE(GetUpdateRect(child.m_hWnd, nullptr));
}

TEST_F(Paint, BareDesktopIsClearedToBlack)
{
    CRecordingWnd wnd;
    wnd.SetPaintColour(kBlue);
    ASSERT_TRUE(wnd.CreatePopup(nullptr, {0, 0, 100, 100}));
    RunUntilScriptDone();
    wnd.ShowWindow(SW_HIDE);
    RunUntilScriptDone();
    EXPECT_TRUE(ScreenRectIs({0, 0, 100, 100}, RGB(0, 0, 0)));
}

// A control shown inside a window that is still hidden shows nothing: what
// lies beneath keeps its picture, and the control paints once its parent
// shows. (A message box building its buttons made the board beneath it
// repaint, which asked the win question again, without end.)
TEST_F(Paint, ShowingInsideAHiddenWindowAsksNothingBeneathToPaint)
{
    CRecordingWnd below;
    ASSERT_TRUE(below.CreatePopup(nullptr, {0, 0, 100, 100}));
    RunUntilScriptDone();
    const int before = below.PaintCount();
    CRecordingWnd box, button;
    ASSERT_TRUE(box.CreatePopup(nullptr, {10, 10, 60, 60}, 0, 0));
    ASSERT_TRUE(button.CreateChild(&box, {5, 5, 30, 30}));
    EXPECT_FALSE(GetUpdateRect(below.m_hWnd, nullptr));
    RunUntilScriptDone();
    EXPECT_EQ(below.PaintCount(), before);
    EXPECT_EQ(button.PaintCount(), 0);

    box.ShowWindow(SW_SHOW);
    RunUntilScriptDone();
    EXPECT_EQ(below.PaintCount(), before);
    EXPECT_EQ(button.PaintCount(), 1);
}

}  // namespace
