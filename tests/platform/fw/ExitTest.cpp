#include "tests/platform/support/CHeadlessTest.h"
#include "tests/platform/support/CRecordingWnd.h"
#include "tests/platform/support/Locators.h"

#include <cstdio>
#include <cstdlib>

namespace {

// Stands for the application object: constructed first, destroyed by the
// exit-time handler its construction registered.
struct CNoisy {
    ~CNoisy() { std::fputs("application object destroyed\n", stderr); }
};

void SecondHandler() { std::fputs("second handler\n", stderr); }
void ThirdHandler() { std::fputs("third handler\n", stderr); }

[[noreturn]] void RegisterAndExit()
{
    static CNoisy app;
    std::atexit(SecondHandler);
    std::atexit(ThirdHandler);
    std::exit(0);
}

TEST(ExitDeathTest, ExitTimeHandlersRunNewestFirst)
{
    EXPECT_EXIT(RegisterAndExit(), ::testing::ExitedWithCode(0),
                "third handler\nsecond handler\napplication object destroyed\n");
}

// A window that dies loudly if anything closes it: the normal exit closes nothing.
class CNoCloseWnd : public CRecordingWnd {
public:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_CLOSE || message == WM_DESTROY)
            std::_Exit(3);
        if (message == WM_COMMAND && LOWORD(wParam) == IDOK && MessageBox("Exit?", "Exit", MB_YESNO) == IDYES)
            std::exit(0);
        return CRecordingWnd::WindowProc(message, wParam, lParam);
    }
};

using ExitFromHandlerDeathTest = CHeadlessTest;

TEST_F(ExitFromHandlerDeathTest, ConfirmedExitEndsAtOnceWithStatusZeroClosingNothing)
{
    auto run = [this] {
        std::atexit([] { std::fputs("exit handler ran\n", stderr); });
        CNoCloseWnd main;
        main.CreatePopup(nullptr, {0, 0, 240, 320});
        main.PostMessage(WM_COMMAND, IDOK);
        m_backend.TapAt(WindowWithText("Yes"), "Yes");
        RunUntilScriptDone();
        std::fputs("the loop went on\n", stderr);
        std::_Exit(4);
    };
    EXPECT_EXIT(run(), ::testing::ExitedWithCode(0), "exit handler ran");
}

}  // namespace
