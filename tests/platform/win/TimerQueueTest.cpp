#include "platform/win/CTimerQueue.h"

#include "tests/platform/support/CHeadlessTest.h"
#include "tests/platform/support/CRecordingWnd.h"

#include <utility>
#include <vector>

namespace {

const HWND kA = reinterpret_cast<HWND>(std::uintptr_t{11});
const HWND kB = reinterpret_cast<HWND>(std::uintptr_t{12});
const HWND kC = reinterpret_cast<HWND>(std::uintptr_t{13});

using Fired = std::vector<std::pair<HWND, UINT>>;

// The queue on a clock that moves only when the test says.
class TimerQueue : public ::testing::Test {
protected:
    // Every WM_TIMER there is to take now, in the order they come.
    Fired FireAt(std::uint32_t now)
    {
        m_nNow = now;
        Fired out;
        MSG m;
        while (m_timers.TakeDue(&m)) {
            if (out.size() == 100) {
                ADD_FAILURE() << "timers keep coming at " << now;
                break;
            }
            EXPECT_EQ(m.message, WM_TIMER);
            EXPECT_EQ(m.time, now);
            out.emplace_back(m.hwnd, static_cast<UINT>(m.wParam));
        }
        EXPECT_FALSE(m_timers.AnyDue()) << "a timer that fired is still due at " << now;
        return out;
    }

    std::uint32_t m_nNow = 1000;
    CTimerQueue m_timers{[this] { return m_nNow; }};
};

TEST_F(TimerQueue, FiresWhenDueAndAgainElapseAfterItFired)
{
    m_timers.Set(kA, 7, 100);
    EXPECT_EQ(m_timers.NextDue(), 1100u);
    EXPECT_TRUE(FireAt(1099).empty());
    EXPECT_EQ(FireAt(1100), (Fired{{kA, 7}}));
    EXPECT_EQ(m_timers.NextDue(), 1200u);
    // Late, it fires once, not once for every elapse it missed.
    EXPECT_EQ(FireAt(1450), (Fired{{kA, 7}}));
    EXPECT_EQ(m_timers.NextDue(), 1550u);
}

TEST_F(TimerQueue, OverdueTimersComeMostOverdueFirstAndTiesInTheOrderSet)
{
    m_timers.Set(kA, 1, 300);
    m_timers.Set(kB, 2, 100);
    m_timers.Set(kC, 3, 200);
    m_timers.Set(kC, 4, 100);
    EXPECT_EQ(m_timers.NextDue(), 1100u);
    EXPECT_EQ(FireAt(1500), (Fired{{kB, 2}, {kC, 4}, {kC, 3}, {kA, 1}}));
}

TEST_F(TimerQueue, SettingAgainRestartsItAndKillingStopsOnlyThatOne)
{
    m_timers.Set(kA, 1, 100);
    m_timers.Set(kA, 2, 100);
    m_timers.Set(kB, 1, 100);
    m_nNow = 1050;
    m_timers.Set(kA, 1, 100);
    EXPECT_EQ(FireAt(1100), (Fired{{kA, 2}, {kB, 1}})) << "the timer set again fired on its old time";
    EXPECT_EQ(FireAt(1150), (Fired{{kA, 1}})) << "setting a timer again made a second one";

    m_timers.Kill(kA, 2);
    EXPECT_EQ(FireAt(1300), (Fired{{kB, 1}, {kA, 1}}));
    m_timers.Kill(kA, 1);
    m_timers.Kill(kB, 1);
    EXPECT_EQ(m_timers.NextDue(), std::nullopt);
    EXPECT_TRUE(FireAt(5000).empty());
}

TEST_F(TimerQueue, AWindowThatGoesTakesAllItsTimers)
{
    m_timers.Set(kA, 1, 100);
    m_timers.Set(kB, 1, 100);
    m_timers.Set(kA, 2, 50);
    m_timers.KillAll(kA);
    EXPECT_EQ(FireAt(2000), (Fired{{kB, 1}}));
}

TEST_F(TimerQueue, AZeroElapseFiresEveryMillisecondNotOverAndOver)
{
    m_timers.Set(kA, 1, 0);
    EXPECT_TRUE(FireAt(1000).empty());
    EXPECT_EQ(FireAt(1001), (Fired{{kA, 1}}));
    EXPECT_EQ(FireAt(1002), (Fired{{kA, 1}}));
}

TEST_F(TimerQueue, TheClockWrappingAroundKeepsTheOrderOfTimes)
{
    m_nNow = 0xFFFFFF00u;
    m_timers.Set(kA, 1, 0x200);  // due at 0x100, after the wrap
    m_timers.Set(kB, 2, 0x50);   // due at 0xFFFFFF50, before it
    EXPECT_EQ(m_timers.NextDue(), 0xFFFFFF50u);
    EXPECT_TRUE(FireAt(0xFFFFFF4Fu).empty());
    EXPECT_EQ(FireAt(0xFFFFFFFFu), (Fired{{kB, 2}})) << "a time after the wrap counted as already past";
    EXPECT_EQ(m_timers.NextDue(), 0x4Fu);
    EXPECT_EQ(FireAt(0x150), (Fired{{kB, 2}, {kA, 1}}));
}

using WindowTimers = CHeadlessTest;

// The window system drops a window's timers when it goes; a timer set on a
// handle that names nothing is never set at all.
TEST_F(WindowTimers, ADestroyedWindowsTimersNeverArrive)
{
    CRecordingWnd going, staying;
    ASSERT_TRUE(going.CreatePopup(nullptr, {0, 0, 100, 100}));
    ASSERT_TRUE(staying.CreatePopup(nullptr, {100, 0, 200, 100}));
    std::vector<MSG> timers;
    WsSetDispatchHook([&](const MSG& m) {
        if (m.message == WM_TIMER)
            timers.push_back(m);
    });
    const HWND gone = going.m_hWnd;
    SetTimer(gone, 1, 100);
    SetTimer(staying.m_hWnd, 2, 1000);
    going.DestroyWindow();
    SetTimer(gone, 3, 100);
    m_backend.Wait(1100);
    m_backend.Tap({150, 50});
    RunUntilScriptDone();
    ASSERT_EQ(timers.size(), 1u);
    EXPECT_EQ(timers[0].hwnd, staying.m_hWnd);
    EXPECT_EQ(timers[0].wParam, 2u);
}

}  // namespace
