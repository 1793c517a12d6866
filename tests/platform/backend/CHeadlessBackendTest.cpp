#include "tests/platform/support/CHeadlessTest.h"
#include "tests/platform/support/CRecordingWnd.h"

#include <stdexcept>

namespace {

using HeadlessBackend = CHeadlessTest;

std::vector<DWORD> TimesOf(const std::vector<MSG>& dispatched, UINT message)
{
    std::vector<DWORD> out;
    for (const MSG& m : dispatched)
        if (m.message == message)
            out.push_back(m.time);
    return out;
}

TEST_F(HeadlessBackend, TheFakeClockMovesOnlyWithTheScript)
{
    CRecordingWnd wnd;
    ASSERT_TRUE(wnd.CreatePopup(nullptr, {0, 0, 100, 100}, CS_DBLCLKS));
    std::vector<MSG> dispatched;
    WsSetDispatchHook([&](const MSG& m) { dispatched.push_back(m); });
    const std::uint32_t start = m_backend.Now();
    m_backend.Tap({10, 10});
    m_backend.Wait(1000);
    m_backend.DoubleTap({10, 10});
    RunUntilScriptDone();
    const std::uint32_t gap = CHeadlessBackend::kTapGap, hold = CHeadlessBackend::kHold;
    const std::uint32_t second = start + gap + hold + 1000 + gap;
    EXPECT_EQ(TimesOf(dispatched, WM_LBUTTONDOWN), (std::vector<DWORD>{start + gap, second}));
    EXPECT_EQ(TimesOf(dispatched, WM_LBUTTONDBLCLK),
              std::vector<DWORD>{second + hold + CHeadlessBackend::kDoubleTapGap});
    EXPECT_EQ(m_backend.Now(), second + 2 * hold + CHeadlessBackend::kDoubleTapGap);
    EXPECT_EQ(GetTickCount(), m_backend.Now());
}

TEST_F(HeadlessBackend, TimersFireOnTheFakeClockWhileTheScriptWaits)
{
    CRecordingWnd wnd;
    ASSERT_TRUE(wnd.CreatePopup(nullptr, {0, 0, 100, 100}));
    std::vector<MSG> dispatched;
    WsSetDispatchHook([&](const MSG& m) { dispatched.push_back(m); });
    const std::uint32_t start = m_backend.Now();
    SetTimer(wnd.m_hWnd, 7, 100);
    m_backend.Wait(350);
    m_backend.Tap({10, 10});
    RunUntilScriptDone();
    const std::vector<DWORD> ticks = TimesOf(dispatched, WM_TIMER);
    ASSERT_GE(ticks.size(), 3u);
    EXPECT_EQ(ticks[0], start + 100);
    EXPECT_EQ(ticks[1], start + 200);
    EXPECT_EQ(ticks[2], start + 300);
    // The tap still comes when the script says, not later for the timers' sake.
    EXPECT_EQ(TimesOf(dispatched, WM_LBUTTONDOWN), std::vector<DWORD>{start + 350 + CHeadlessBackend::kTapGap});
    for (const MSG& m : dispatched) {
        if (m.message == WM_TIMER) {
            EXPECT_EQ(m.wParam, 7u);
        }
    }

    // A killed timer is never heard from again; with nothing scripted the run ends.
    KillTimer(wnd.m_hWnd, 7);
    dispatched.clear();
    RunUntilScriptDone();
    EXPECT_TRUE(TimesOf(dispatched, WM_TIMER).empty());
}

TEST_F(HeadlessBackend, ALocatedTapReleasesWhereItPressed)
{
    CRecordingWnd wnd;
    ASSERT_TRUE(wnd.CreatePopup(nullptr, {0, 0, 240, 320}));
    int calls = 0;
    m_backend.TapAt(
        [&]() -> std::optional<CPoint> {
            ++calls;
            return CPoint{30 + calls, 40};
        },
        "a moving target");
    RunUntilScriptDone();
    EXPECT_EQ(calls, 1);
    std::vector<CPoint> points;
    for (const MSG& m : wnd.Log())
        if (m.message == WM_LBUTTONDOWN || m.message == WM_LBUTTONUP)
            points.push_back(PointFromLParam(m.lParam));
    EXPECT_EQ(points, (std::vector<CPoint>{{31, 40}, {31, 40}}));
}

TEST_F(HeadlessBackend, ALocatorThatFindsNothingFailsNamingTheStep)
{
    m_backend.TapAt([] { return std::optional<CPoint>{}; }, "the Yes button");
    try {
        RunUntilScriptDone();
        FAIL() << "a tap on nothing went unnoticed";
    } catch (const std::runtime_error& e) {
        EXPECT_NE(std::string(e.what()).find("the Yes button"), std::string::npos) << e.what();
    }
}

TEST(HeadlessBackendPresent, CopiesOnlyTheDirtyPart)
{
    CHeadlessBackend backend;
    const CSurface screen(240, 320, 0x00FF00);
    CRegion dirty({10, 20, 30, 40});
    dirty.Union(CRect{100, 100, 101, 101});
    backend.Present(screen, dirty);
    EXPECT_EQ(backend.PresentCount(), 1);
    int green = 0;
    for (Pixel p : backend.Framebuffer().Pixels())
        green += p == 0x00FF00;
    EXPECT_EQ(green, 20 * 20 + 1);
    EXPECT_EQ(backend.Framebuffer().At(10, 20), 0x00FF00u);
    EXPECT_EQ(backend.Framebuffer().At(30, 40), 0u);
}

TEST(HeadlessBackendScript, RunsDryWithNothingScripted)
{
    CHeadlessBackend backend;
    CInputEvent ev;
    EXPECT_FALSE(backend.PollEvent(ev));
    EXPECT_EQ(backend.WaitEvent(std::nullopt, ev), WaitResult::Exhausted);
    EXPECT_EQ(backend.WaitEvent(backend.Now() + 50, ev), WaitResult::Exhausted) << "a timer alone keeps nothing alive";
    backend.Wait(10);
    EXPECT_EQ(backend.WaitEvent(std::nullopt, ev), WaitResult::Exhausted);
    EXPECT_EQ(backend.Now(), 1010u);
}

}  // namespace
