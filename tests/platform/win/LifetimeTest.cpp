#include "tests/platform/support/CHeadlessTest.h"
#include "tests/platform/support/CRecordingWnd.h"

namespace {

using Lifetime = CHeadlessTest;

TEST_F(Lifetime, DestroyingAWindowTakesItsChildrenAndOwnedPopups)
{
    std::vector<MSG> trace;
    CRecordingWnd owner(&trace), child(&trace), owned(&trace), unrelated(&trace);
    ASSERT_TRUE(owner.CreatePopup(nullptr, {0, 0, 100, 100}));
    ASSERT_TRUE(child.CreateChild(&owner, {0, 0, 50, 50}));
    ASSERT_TRUE(owned.CreatePopup(&child, {20, 20, 80, 80}));
    ASSERT_TRUE(unrelated.CreatePopup(nullptr, {100, 100, 150, 150}));
    EXPECT_EQ(GetOwner(owned.m_hWnd), owner.m_hWnd) << "a popup is owned by a top-level window";
    const HWND hOwner = owner.m_hWnd, hChild = child.m_hWnd, hOwned = owned.m_hWnd;
    trace.clear();

    owner.DestroyWindow();
    for (HWND h : {hOwner, hChild, hOwned}) {
        EXPECT_FALSE(IsWindow(h));
    }
    EXPECT_TRUE(IsWindow(unrelated.m_hWnd));
    EXPECT_EQ(owner.m_hWnd, nullptr) << "the object lets go of its window";
    EXPECT_EQ(child.m_hWnd, nullptr);
    EXPECT_EQ(owned.m_hWnd, nullptr);

    std::vector<std::pair<HWND, UINT>> order;
    for (const MSG& m : trace)
        if (m.message == WM_DESTROY || m.message == WM_NCDESTROY)
            order.emplace_back(m.hwnd, m.message);
    const std::vector<std::pair<HWND, UINT>> expected{{hOwned, WM_DESTROY}, {hOwned, WM_NCDESTROY},
                                                     {hOwner, WM_DESTROY},  {hChild, WM_DESTROY},
                                                     {hChild, WM_NCDESTROY}, {hOwner, WM_NCDESTROY}};
    EXPECT_EQ(order, expected);
}

TEST_F(Lifetime, StaleHandlesFindNothing)
{
    CRecordingWnd wnd;
    ASSERT_TRUE(wnd.CreatePopup(nullptr, {0, 0, 100, 100}));
    const HWND h = wnd.m_hWnd;
    wnd.PostMessage(WM_USER);
    wnd.DestroyWindow();
    EXPECT_FALSE(IsWindow(h));
    EXPECT_EQ(SendMessage(h, WM_USER), 0);
    EXPECT_FALSE(PostMessage(h, WM_USER));
    EXPECT_FALSE(DestroyWindow(h));
    EXPECT_EQ(GetWindowText(h), "");
    EXPECT_EQ(CWnd::FromHandle(h), nullptr);
    wnd.ClearLog();
    RunUntilScriptDone();
    EXPECT_TRUE(wnd.Log().empty()) << "a message posted to a window that went was still delivered";
}

// A handler of WM_DESTROY that asks for the window's destruction again.
TEST_F(Lifetime, DestroyingAgainFromWmDestroyIsHarmless)
{
    class CSelfDestroying : public CRecordingWnd {
    public:
        LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
        {
            if (message == WM_DESTROY) {
                ++m_nDestroys;
                ::DestroyWindow(m_hWnd);
            }
            return CRecordingWnd::WindowProc(message, wParam, lParam);
        }
        int m_nDestroys = 0;
    } wnd;
    CRecordingWnd child;
    ASSERT_TRUE(wnd.CreatePopup(nullptr, {0, 0, 100, 100}));
    ASSERT_TRUE(child.CreateChild(&wnd, {0, 0, 10, 10}));
    const HWND h = wnd.m_hWnd;
    EXPECT_TRUE(wnd.DestroyWindow());
    EXPECT_FALSE(IsWindow(h));
    EXPECT_EQ(wnd.m_nDestroys, 1);
    EXPECT_EQ(child.Messages({WM_DESTROY}).size(), 1u);
}

TEST_F(Lifetime, WmCreateCanRefuseTheWindow)
{
    class CRefusing : public CRecordingWnd {
    public:
        LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
        {
            CRecordingWnd::WindowProc(message, wParam, lParam);
            return message == WM_CREATE ? -1 : 0;
        }
    } wnd;
    EXPECT_FALSE(wnd.CreatePopup(nullptr, {0, 0, 100, 100}));
    EXPECT_EQ(wnd.m_hWnd, nullptr);
    EXPECT_TRUE(GetChildren(nullptr).empty());
    EXPECT_EQ(wnd.Messages({WM_CREATE, WM_DESTROY, WM_NCDESTROY}),
              (std::vector<UINT>{WM_CREATE, WM_DESTROY, WM_NCDESTROY}));
}

TEST_F(Lifetime, ClosingTheHostWindowClosesTheHostsWindow)
{
    CRecordingWnd main, other;
    ASSERT_TRUE(main.CreatePopup(nullptr, {0, 0, 240, 320}));
    ASSERT_TRUE(other.CreatePopup(nullptr, {0, 0, 10, 10}));
    WsSetHostWindow(main.m_hWnd);
    m_backend.CloseHostWindow();
    RunUntilScriptDone();
    EXPECT_EQ(main.Messages({WM_CLOSE}).size(), 1u);
    EXPECT_EQ(main.m_hWnd, nullptr) << "the ordinary close destroys the window";
    EXPECT_NE(other.m_hWnd, nullptr);
    EXPECT_EQ(WsGetHostWindow(), nullptr);
    // With no host window left, another close request goes nowhere.
    m_backend.CloseHostWindow();
    RunUntilScriptDone();
    EXPECT_TRUE(other.Messages({WM_CLOSE}).empty());
}

TEST_F(Lifetime, TheHostTitleFollowsTheHostWindow)
{
    CRecordingWnd main;
    ASSERT_TRUE(main.CreatePopup(nullptr, {0, 0, 240, 320}));
    main.SetWindowText("Corvane");
    WsSetHostWindow(main.m_hWnd);
    EXPECT_EQ(m_backend.Title(), "Corvane");
    main.SetWindowText("Other");
    EXPECT_EQ(m_backend.Title(), "Other");
}

}  // namespace
