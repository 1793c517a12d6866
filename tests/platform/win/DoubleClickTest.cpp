#include "platform/win/CDoubleClick.h"

#include "tests/platform/support/CHeadlessTest.h"
#include "tests/platform/support/CRecordingWnd.h"

#include <vector>

namespace {

constexpr UINT kDown = WM_LBUTTONDOWN;
constexpr UINT kUp = WM_LBUTTONUP;
constexpr UINT kDbl = WM_LBUTTONDBLCLK;

struct PressPairCase {
    const char* name;
    UINT classStyle;
    std::uint32_t pressToPress;  // ms between the two presses
    CPoint move;                 // where the second press lands, from the first
    std::vector<UINT> expected;
};

void PrintTo(const PressPairCase& c, std::ostream* os) { *os << c.name; }

class DoubleClick : public CHeadlessTest, public ::testing::WithParamInterface<PressPairCase> {};

TEST_P(DoubleClick, SecondPressBecomesADoubleClickOnlyWhenCloseEnough)
{
    const PressPairCase& c = GetParam();
    CRecordingWnd wnd;
    ASSERT_TRUE(wnd.CreatePopup(nullptr, {20, 30, 120, 130}, c.classStyle));
    const CPoint first{60, 70};
    m_backend.Press(first);
    m_backend.Release(first, CHeadlessBackend::kHold);
    m_backend.Press(first + c.move, c.pressToPress - CHeadlessBackend::kHold);
    m_backend.Release(first + c.move);
    RunUntilScriptDone();
    EXPECT_EQ(wnd.Messages({kDown, kUp, kDbl}), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Presses, DoubleClick,
    ::testing::Values(PressPairCase{"Quick", CS_DBLCLKS, 160, {0, 0}, {kDown, kUp, kDbl, kUp}},
                      PressPairCase{"AtTheTimeLimit", CS_DBLCLKS, 500, {0, 0}, {kDown, kUp, kDbl, kUp}},
                      PressPairCase{"JustTooLate", CS_DBLCLKS, 501, {0, 0}, {kDown, kUp, kDown, kUp}},
                      PressPairCase{"FourPixelsEitherWay", CS_DBLCLKS, 160, {4, -4}, {kDown, kUp, kDbl, kUp}},
                      PressPairCase{"FivePixelsAcross", CS_DBLCLKS, 160, {5, 0}, {kDown, kUp, kDown, kUp}},
                      PressPairCase{"FivePixelsUp", CS_DBLCLKS, 160, {0, -5}, {kDown, kUp, kDown, kUp}},
                      PressPairCase{"ClassWithoutDoubleClicks", CS_HREDRAW | CS_VREDRAW, 160, {0, 0},
                                    {kDown, kUp, kDown, kUp}}),
    [](const ::testing::TestParamInfo<PressPairCase>& p) { return p.param.name; });

using DoubleTap = CHeadlessTest;

TEST_F(DoubleTap, ArrivesAsDownUpDoubleClickUpWithClientPoints)
{
    CRecordingWnd frame;
    ASSERT_TRUE(frame.CreatePopup(nullptr, {0, 0, 240, 320}));
    CRecordingWnd board;
    ASSERT_TRUE(board.CreateChild(&frame, {0, 26, 240, 320}, CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW));
    m_backend.DoubleTap({100, 126});
    RunUntilScriptDone();

    std::vector<MSG> mouse;
    for (const MSG& m : board.Log())
        if (m.message >= WM_LBUTTONDOWN && m.message <= WM_LBUTTONDBLCLK)
            mouse.push_back(m);
    ASSERT_EQ(mouse.size(), 4u);
    const UINT expected[] = {kDown, kUp, kDbl, kUp};
    for (std::size_t i = 0; i < 4; ++i) {
        EXPECT_EQ(mouse[i].message, expected[i]) << "message " << i;
        EXPECT_EQ(PointFromLParam(mouse[i].lParam), (CPoint{100, 100})) << "message " << i;
    }
    EXPECT_EQ(mouse[0].wParam & MK_LBUTTON, MK_LBUTTON);
    EXPECT_EQ(mouse[2].wParam & MK_LBUTTON, MK_LBUTTON);
    EXPECT_TRUE(frame.Messages({kDown, kUp, kDbl}).empty());
}

TEST_F(DoubleTap, ThirdQuickPressIsAPlainPressAndAFourthPairsAgain)
{
    CRecordingWnd wnd;
    ASSERT_TRUE(wnd.CreatePopup(nullptr, {0, 0, 100, 100}, CS_DBLCLKS));
    const CPoint p{50, 50};
    m_backend.Tap(p);
    for (int i = 0; i < 3; ++i) {
        m_backend.Press(p, 100);
        m_backend.Release(p);
    }
    RunUntilScriptDone();
    EXPECT_EQ(wnd.Messages({kDown, kDbl}), (std::vector<UINT>{kDown, kDbl, kDown, kDbl}));
}

TEST_F(DoubleTap, PressesOnTwoWindowsNeverPair)
{
    CRecordingWnd left, right;
    ASSERT_TRUE(left.CreatePopup(nullptr, {0, 0, 50, 50}, CS_DBLCLKS));
    ASSERT_TRUE(right.CreatePopup(nullptr, {50, 0, 100, 50}, CS_DBLCLKS));
    m_backend.Tap({48, 20});
    m_backend.Press({51, 20}, 100);
    m_backend.Release({51, 20});
    RunUntilScriptDone();
    EXPECT_EQ(left.Messages({kDown, kDbl}), std::vector<UINT>{kDown});
    EXPECT_EQ(right.Messages({kDown, kDbl}), std::vector<UINT>{kDown});
}

TEST_F(DoubleTap, ScriptedTapsAreSpacedSoTheyNeverPair)
{
    CRecordingWnd wnd;
    ASSERT_TRUE(wnd.CreatePopup(nullptr, {0, 0, 100, 100}, CS_DBLCLKS));
    m_backend.Tap({10, 10});
    m_backend.Tap({10, 10});
    RunUntilScriptDone();
    EXPECT_EQ(wnd.Messages({kDown, kDbl}), (std::vector<UINT>{kDown, kDown}));
}

// The synthesis itself, press by press, without a host.
const HWND kA = reinterpret_cast<HWND>(std::uintptr_t{21});
const HWND kB = reinterpret_cast<HWND>(std::uintptr_t{22});

struct Step {
    HWND hwnd;
    CPoint pt;
    std::uint32_t time = 0;
    UINT classStyle = CS_DBLCLKS;
    bool gone = false;  // the window goes instead of being pressed
};

Step Gone(HWND hwnd) { return {hwnd, {}, 0, 0, true}; }

struct PressesCase {
    const char* name;
    std::vector<Step> steps;
    std::vector<bool> doubles;  // for each press, whether it is the second of a double click
};

void PrintTo(const PressesCase& c, std::ostream* os) { *os << c.name; }

class DoubleClickPresses : public ::testing::TestWithParam<PressesCase> {};

TEST_P(DoubleClickPresses, PairOnlyWhenTheRulesAllow)
{
    const PressesCase& c = GetParam();
    CDoubleClick clicks;
    std::vector<bool> doubles;
    for (const Step& s : c.steps) {
        if (s.gone)
            clicks.Forget(s.hwnd);
        else
            doubles.push_back(clicks.Press(s.hwnd, s.classStyle, s.pt, s.time));
    }
    EXPECT_EQ(doubles, c.doubles);
}

INSTANTIATE_TEST_SUITE_P(
    Synthesis, DoubleClickPresses,
    ::testing::Values(
        PressesCase{"SameWindowQuick", {{kA, {10, 10}, 1000}, {kA, {10, 10}, 1160}}, {false, true}},
        PressesCase{"AtTheTimeLimit", {{kA, {10, 10}, 1000}, {kA, {10, 10}, 1500}}, {false, true}},
        PressesCase{"JustTooLate", {{kA, {10, 10}, 1000}, {kA, {10, 10}, 1501}}, {false, false}},
        PressesCase{"AtTheSameTime", {{kA, {10, 10}, 1000}, {kA, {10, 10}, 1000}}, {false, true}},
        PressesCase{"FourPixelsEitherWay", {{kA, {10, 10}, 1000}, {kA, {14, 6}, 1100}}, {false, true}},
        PressesCase{"FivePixelsAcross", {{kA, {10, 10}, 1000}, {kA, {5, 10}, 1100}}, {false, false}},
        PressesCase{"FivePixelsDown", {{kA, {10, 10}, 1000}, {kA, {10, 15}, 1100}}, {false, false}},
        PressesCase{"OtherWindow", {{kA, {10, 10}, 1000}, {kB, {10, 10}, 1100}}, {false, false}},
        PressesCase{"ClassWithoutDoubleClicks", {{kA, {10, 10}, 1000, 0}, {kA, {10, 10}, 1100, 0}}, {false, false}},
        PressesCase{"ThirdPressStartsAfresh",
                    {{kA, {10, 10}, 1000}, {kA, {10, 10}, 1100}, {kA, {10, 10}, 1200}, {kA, {10, 10}, 1300}},
                    {false, true, false, true}},
        PressesCase{"APressThatDoesNotPairStartsAnother",
                    {{kA, {10, 10}, 1000}, {kA, {30, 30}, 1100}, {kA, {30, 30}, 1200}}, {false, false, true}},
        PressesCase{"AfterTheWindowWent", {{kA, {10, 10}, 1000}, Gone(kA), {kA, {10, 10}, 1100}}, {false, false}},
        PressesCase{"AnotherWindowGoing", {{kA, {10, 10}, 1000}, Gone(kB), {kA, {10, 10}, 1100}}, {false, true}},
        PressesCase{"AcrossTheClocksWrap", {{kA, {10, 10}, 0xFFFFFF00u}, {kA, {10, 10}, 0xA0}}, {false, true}},
        PressesCase{"AnEarlierTime", {{kA, {10, 10}, 1000}, {kA, {10, 10}, 900}}, {false, false}}),
    [](const ::testing::TestParamInfo<PressesCase>& p) { return p.param.name; });

}  // namespace
