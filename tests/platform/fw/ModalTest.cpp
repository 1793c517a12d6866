#include "tests/platform/support/CHeadlessTest.h"
#include "tests/platform/support/CRecordingWnd.h"
#include "tests/platform/support/Locators.h"

#include "platform/fw/CFrameWnd.h"
#include "platform/win/CScriptExhausted.h"

namespace {

using MessageBoxTest = CHeadlessTest;

// Taps the owner (which must not take it), then the answer.
void ScriptAnswer(CHeadlessBackend& backend, const char* button)
{
    backend.Tap({10, 10});
    backend.TapAt(WindowWithText(button), std::string("the ") + button + " button");
}

TEST_F(MessageBoxTest, BlocksUntilYesIsTappedAndReturnsIdYes)
{
    CRecordingWnd owner;
    ASSERT_TRUE(owner.CreatePopup(nullptr, {0, 0, 240, 320}));
    owner.SetFocus();
    RunUntilScriptDone();
    owner.ClearLog();
    bool sawBox = false;
    WsSetDispatchHook([&](const MSG&) {
        const HWND box = FindWindowByText("Question");
        sawBox = sawBox || (box && !IsWindowEnabled(owner.m_hWnd) && GetOwner(box) == owner.m_hWnd);
    });
    ScriptAnswer(m_backend, "Yes");

    EXPECT_EQ(owner.MessageBox("Really deal again?", "Question", MB_YESNO), IDYES);
    EXPECT_TRUE(sawBox) << "no box owned by the disabled owner was up";
    EXPECT_EQ(m_backend.Pending(), 0u) << "returned before the answer";
    EXPECT_TRUE(owner.Messages({WM_LBUTTONDOWN}).empty()) << "the owner took a tap while the box ran";
    EXPECT_TRUE(owner.IsWindowEnabled());
    EXPECT_EQ(FindWindowByText("Question"), nullptr) << "the box is still there";
    EXPECT_EQ(GetFocus(), owner.m_hWnd) << "the owner did not get the focus back";
}

TEST_F(MessageBoxTest, NoReturnsIdNo)
{
    CRecordingWnd owner;
    ASSERT_TRUE(owner.CreatePopup(nullptr, {0, 0, 240, 320}));
    ScriptAnswer(m_backend, "No");
    EXPECT_EQ(owner.MessageBox("Do you really wont to exit the game?", "Exit", MB_YESNO), IDNO);
}

TEST_F(MessageBoxTest, ShowsItsTextAndOnlyItsButtons)
{
    CRecordingWnd owner;
    ASSERT_TRUE(owner.CreatePopup(nullptr, {0, 0, 240, 320}));
    std::vector<std::string> texts;
    m_backend.TapAt(
        [&]() {
            for (HWND h : GetChildren(FindWindowByText("Winner")))
                texts.push_back(GetWindowText(h));
            return ClientCentre(FindWindowByText("Yes"));
        },
        "Yes");
    EXPECT_EQ(owner.MessageBox("You have won the game. Congratulations!\n\nDeal again?", "Winner", MB_YESNO), IDYES);
    EXPECT_EQ(texts, (std::vector<std::string>{"You have won the game. Congratulations!\n\nDeal again?", "Yes", "No"}));
}

TEST_F(MessageBoxTest, AnUnansweredBoxFailsNamingItself)
{
    CRecordingWnd owner;
    ASSERT_TRUE(owner.CreatePopup(nullptr, {0, 0, 240, 320}));
    m_backend.Tap({10, 10});
    try {
        owner.MessageBox("Really deal again?", "Deal", MB_YESNO);
        FAIL() << "the box returned without an answer";
    } catch (const CScriptExhausted& e) {
        EXPECT_GT(e.Depth(), 0);
        EXPECT_NE(std::string(e.what()).find("\"Deal\""), std::string::npos) << e.what();
    }
    // The box cleans up behind it.
    EXPECT_EQ(FindWindowByText("Deal"), nullptr);
    EXPECT_TRUE(owner.IsWindowEnabled());
    EXPECT_EQ(WsModalDepth(), 0);
}

// Running the program's loop: a question that nobody answers is the test's
// fault, not the end of its script.
TEST_F(MessageBoxTest, TheLoopHelperPassesOnAnUnansweredQuestion)
{
    class CAsking : public CRecordingWnd {
    public:
        LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
        {
            if (message == WM_USER)
                MessageBox("Sure?", "Ask", MB_YESNO);
            return CRecordingWnd::WindowProc(message, wParam, lParam);
        }
    } owner;
    ASSERT_TRUE(owner.CreatePopup(nullptr, {0, 0, 240, 320}));
    owner.PostMessage(WM_USER);
    EXPECT_THROW(RunUntilScriptDone(), CScriptExhausted);
}

TEST_F(MessageBoxTest, QuestionsNestAndUnwindInOrder)
{
    // A message that reaches the owner while the outer question is up asks another.
    class CAsking : public CRecordingWnd {
    public:
        LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
        {
            if (message == WM_USER) {
                m_nDepth = WsModalDepth();
                m_nInner = MessageBox("Inner?", "Inner", MB_YESNO);
            }
            return CRecordingWnd::WindowProc(message, wParam, lParam);
        }
        int m_nDepth = 0;
        int m_nInner = 0;
    } owner;
    ASSERT_TRUE(owner.CreatePopup(nullptr, {0, 0, 240, 320}));
    owner.PostMessage(WM_USER);
    // The inner box lies on top, so its buttons are found first.
    m_backend.TapAt(WindowWithText("Yes"), "Yes of the inner box");
    m_backend.TapAt(WindowWithText("No"), "No of the outer box");
    EXPECT_EQ(owner.MessageBox("Outer?", "Outer", MB_YESNO), IDNO);
    EXPECT_EQ(owner.m_nInner, IDYES);
    EXPECT_EQ(owner.m_nDepth, 1);
    EXPECT_EQ(WsModalDepth(), 0);
    EXPECT_TRUE(owner.IsWindowEnabled());
}

// Closing the host window while a question is up must not pull the owner
// away from under the question's caller.
TEST_F(MessageBoxTest, HostCloseWaitsForTheAnswer)
{
    auto* frame = new CFrameWnd;
    ASSERT_TRUE(frame->LoadFrame(1));
    frame->ShowWindow(SW_SHOW);
    WsSetHostWindow(frame->m_hWnd);
    const HWND hFrame = frame->m_hWnd;
    m_backend.CloseHostWindow();
    m_backend.TapAt(WindowWithText("Yes"), "Yes");
    EXPECT_EQ(frame->MessageBox("Really deal again?", "Deal", MB_YESNO), IDYES);
    RunUntilScriptDone();
    ASSERT_TRUE(IsWindow(hFrame)) << "the frame was closed while its question ran";

    m_backend.CloseHostWindow();
    RunUntilScriptDone();
    EXPECT_FALSE(IsWindow(hFrame));
}

TEST_F(MessageBoxTest, FrameOwnerHandsTheFocusBackToItsPane)
{
    auto* frame = new CFrameWnd;
    ASSERT_TRUE(frame->LoadFrame(1));
    CRecordingWnd pane;
    ASSERT_TRUE(pane.CreateChild(frame, {0, 26, 240, 320}, CS_DBLCLKS, WS_VISIBLE, AFX_IDW_PANE_FIRST));
    frame->ShowWindow(SW_SHOW);
    frame->SetFocus();
    EXPECT_EQ(GetFocus(), pane.m_hWnd);
    pane.ClearLog();
    m_backend.TapAt(WindowWithText("Yes"), "Yes");
    EXPECT_EQ(pane.MessageBox("Sure?", "Ask", MB_YESNO), IDYES);
    EXPECT_EQ(GetFocus(), pane.m_hWnd);
    EXPECT_EQ(pane.Messages({WM_KILLFOCUS, WM_SETFOCUS}), (std::vector<UINT>{WM_KILLFOCUS, WM_SETFOCUS}));
}

}  // namespace
