#include "tests/platform/support/CHeadlessTest.h"
#include "tests/platform/support/CRecordingWnd.h"

namespace {

using Focus = CHeadlessTest;

std::vector<MSG> FocusMessages(const std::vector<MSG>& trace)
{
    std::vector<MSG> out;
    for (const MSG& m : trace)
        if (m.message == WM_SETFOCUS || m.message == WM_KILLFOCUS)
            out.push_back(m);
    return out;
}

TEST_F(Focus, MovingTheFocusTellsTheLoserFirstThenTheWinner)
{
    std::vector<MSG> trace;
    CRecordingWnd a(&trace), b(&trace);
    ASSERT_TRUE(a.CreatePopup(nullptr, {0, 0, 100, 100}));
    ASSERT_TRUE(b.CreatePopup(nullptr, {100, 0, 200, 100}));
    // The first window shown took the focus; start from none.
    ::SetFocus(nullptr);
    trace.clear();

    EXPECT_EQ(a.SetFocus(), nullptr);
    EXPECT_EQ(b.SetFocus(), &a);
    EXPECT_EQ(GetFocus(), b.m_hWnd);
    const std::vector<MSG> got = FocusMessages(trace);
    ASSERT_EQ(got.size(), 3u);
    EXPECT_EQ(got[0].hwnd, a.m_hWnd);
    EXPECT_EQ(got[0].message, static_cast<UINT>(WM_SETFOCUS));
    EXPECT_EQ(got[0].wParam, 0u);
    EXPECT_EQ(got[1].hwnd, a.m_hWnd);
    EXPECT_EQ(got[1].message, static_cast<UINT>(WM_KILLFOCUS));
    EXPECT_EQ(reinterpret_cast<HWND>(got[1].wParam), b.m_hWnd);
    EXPECT_EQ(got[2].hwnd, b.m_hWnd);
    EXPECT_EQ(got[2].message, static_cast<UINT>(WM_SETFOCUS));
    EXPECT_EQ(reinterpret_cast<HWND>(got[2].wParam), a.m_hWnd);
}

TEST_F(Focus, SettingItWhereItIsSaysNothing)
{
    std::vector<MSG> trace;
    CRecordingWnd a(&trace);
    ASSERT_TRUE(a.CreatePopup(nullptr, {0, 0, 100, 100}));
    a.SetFocus();
    trace.clear();
    a.SetFocus();
    EXPECT_TRUE(FocusMessages(trace).empty());
    SetFocus(nullptr);
    ASSERT_EQ(FocusMessages(trace).size(), 1u);
    EXPECT_EQ(FocusMessages(trace)[0].message, static_cast<UINT>(WM_KILLFOCUS));
    EXPECT_EQ(GetFocus(), nullptr);
}

// A handler may move the focus on while it is being given: the last word holds.
TEST_F(Focus, AHandlerThatPassesTheFocusOnWins)
{
    CRecordingWnd pane;
    class CForwarding : public CRecordingWnd {
    public:
        CWnd* m_pTo = nullptr;
        LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
        {
            if (message == WM_SETFOCUS && m_pTo)
                m_pTo->SetFocus();
            return CRecordingWnd::WindowProc(message, wParam, lParam);
        }
    } frame;
    ASSERT_TRUE(frame.CreatePopup(nullptr, {0, 0, 240, 320}));
    ASSERT_TRUE(pane.CreateChild(&frame, {0, 26, 240, 320}));
    frame.m_pTo = &pane;
    ::SetFocus(nullptr);
    frame.SetFocus();
    EXPECT_EQ(GetFocus(), pane.m_hWnd);
}

TEST_F(Focus, ATopLevelWindowTakesItWhenFirstShownAndAnOwnedPopupDoesNot)
{
    CRecordingWnd main, owned;
    ASSERT_TRUE(main.CreatePopup(nullptr, {0, 0, 240, 320}));
    EXPECT_EQ(GetFocus(), main.m_hWnd);
    ASSERT_TRUE(owned.CreatePopup(&main, {10, 10, 100, 100}));
    EXPECT_EQ(GetFocus(), main.m_hWnd);
}

TEST_F(Focus, HidingOrDestroyingTheFocusLetsItGo)
{
    CRecordingWnd parent, child;
    ASSERT_TRUE(parent.CreatePopup(nullptr, {0, 0, 100, 100}));
    ASSERT_TRUE(child.CreateChild(&parent, {0, 0, 50, 50}));
    child.SetFocus();
    parent.ShowWindow(SW_HIDE);
    EXPECT_EQ(GetFocus(), nullptr);

    parent.ShowWindow(SW_SHOW);
    child.SetFocus();
    child.DestroyWindow();
    EXPECT_EQ(GetFocus(), nullptr);
    EXPECT_EQ(CWnd::GetFocus(), nullptr);
}

}  // namespace
