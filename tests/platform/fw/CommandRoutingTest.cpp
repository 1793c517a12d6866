#include "tests/platform/support/CHeadlessTest.h"

#include "platform/fw/CCmdUI.h"
#include "platform/fw/CFrameWnd.h"
#include "platform/fw/CWinApp.h"

#include <string>
#include <vector>

namespace {

constexpr UINT ID_BOTH = 100;        // the frame and the application handle it
constexpr UINT ID_APP_ONLY = 200;
constexpr UINT ID_NOBODY = 400;
constexpr UINT ID_PANE = 500;       // only the pane of a frame that asks its pane first

std::vector<std::string> g_calls;

class CRoutingApp : public CWinApp {
public:
    const MessageTable* GetMessageMap() const override { return &s_messageTable; }
    static const MessageEntry s_entries[];
    static const MessageTable s_messageTable;

private:
    void OnBoth() { g_calls.push_back("app:both"); }
    void OnAppOnly() { g_calls.push_back("app:only"); }
    void OnPane() { g_calls.push_back("app:pane"); }
};
constexpr MessageEntry CRoutingApp::s_entries[] = {
    OnCommandEntry<ID_BOTH, &CRoutingApp::OnBoth>(),
    OnCommandEntry<ID_APP_ONLY, &CRoutingApp::OnAppOnly>(),
    OnCommandEntry<ID_PANE, &CRoutingApp::OnPane>(),
};
constexpr MessageTable CRoutingApp::s_messageTable{&CCmdTarget::s_messageTable, s_entries};

class CPane : public CWnd {
public:
    const MessageTable* GetMessageMap() const override { return &s_messageTable; }
    static const MessageEntry s_entries[];
    static const MessageTable s_messageTable;

private:
    void OnPane() { g_calls.push_back("pane:pane"); }
};
constexpr MessageEntry CPane::s_entries[] = {OnCommandEntry<ID_PANE, &CPane::OnPane>()};
constexpr MessageTable CPane::s_messageTable{&CWnd::s_messageTable, s_entries};

class CRoutingFrame : public CFrameWnd {
public:
    explicit CRoutingFrame(bool paneFirst) : m_bPaneFirst(paneFirst) {}
    const MessageTable* GetMessageMap() const override { return &s_messageTable; }
    // As the game's frame does: the pane is asked before the frame's own road.
    bool OnCmdMsg(UINT nID, UINT nCode, void* pExtra, AFX_CMDHANDLERINFO* pInfo) override
    {
        if (m_bPaneFirst && m_wndPane.OnCmdMsg(nID, nCode, pExtra, pInfo))
            return true;
        return CFrameWnd::OnCmdMsg(nID, nCode, pExtra, pInfo);
    }
    static const MessageEntry s_entries[];
    static const MessageTable s_messageTable;
    CPane m_wndPane;

private:
    int OnCreate(CREATESTRUCT* cs)
    {
        if (CFrameWnd::OnCreate(cs) == -1)
            return -1;
        return m_wndPane.Create(nullptr, nullptr, WS_VISIBLE, {}, this, AFX_IDW_PANE_FIRST) ? 0 : -1;
    }
    void OnBoth() { g_calls.push_back("frame:both"); }

    bool m_bPaneFirst;
};
constexpr MessageEntry CRoutingFrame::s_entries[] = {
    OnCreateEntry<&CRoutingFrame::OnCreate>(),
    OnCommandEntry<ID_BOTH, &CRoutingFrame::OnBoth>(),
};
constexpr MessageTable CRoutingFrame::s_messageTable{&CFrameWnd::s_messageTable, s_entries};

struct RouteCase {
    const char* name;
    bool paneFirst;
    UINT id;
    std::vector<std::string> calls;
};

void PrintTo(const RouteCase& c, std::ostream* os) { *os << c.name; }

class CommandRouting : public CHeadlessTest, public ::testing::WithParamInterface<RouteCase> {
protected:
    void SetUp() override
    {
        CHeadlessTest::SetUp();
        g_calls.clear();
    }
};

TEST_P(CommandRouting, FrameTablesFirstThenTheApplication)
{
    const RouteCase& c = GetParam();
    CRoutingApp app;
    auto* frame = new CRoutingFrame(c.paneFirst);
    ASSERT_TRUE(frame->LoadFrame(1));
    app.m_pMainWnd = frame;
    // A posted command, as menus and tool buttons send them.
    frame->PostMessage(WM_COMMAND, MAKEWPARAM(static_cast<int>(c.id), 0));
    RunUntilScriptDone();
    EXPECT_EQ(g_calls, c.calls);

    // The enable query takes the same road and finds a handler exactly when the command did.
    g_calls.clear();
    CCmdUI ui;
    ui.m_nID = c.id;
    EXPECT_EQ(ui.DoUpdate(frame), !c.calls.empty());
    EXPECT_TRUE(g_calls.empty()) << "asking whether a handler exists ran it";
    frame->DestroyWindow();
}

INSTANTIATE_TEST_SUITE_P(
    Roads, CommandRouting,
    ::testing::Values(RouteCase{"FrameBeforeApp", false, ID_BOTH, {"frame:both"}},
                      RouteCase{"AppWhenFramePasses", false, ID_APP_ONLY, {"app:only"}},
                      RouteCase{"Nobody", false, ID_NOBODY, {}},
                      RouteCase{"PaneAskedFirst", true, ID_PANE, {"pane:pane"}},
                      RouteCase{"PanePassesToFrame", true, ID_BOTH, {"frame:both"}},
                      RouteCase{"WithoutPaneFirstTheAppAnswers", false, ID_PANE, {"app:pane"}}),
    [](const ::testing::TestParamInfo<RouteCase>& p) { return p.param.name; });

// Command-enable queries.
constexpr UINT ID_COMMAND_ONLY = 1;
constexpr UINT ID_NOTHING = 2;
constexpr UINT ID_DISABLED_BY_UPDATE = 3;
constexpr UINT ID_ENABLED_BY_UPDATE = 4;
constexpr UINT ID_SILENT_UPDATE_WITH_COMMAND = 5;
constexpr UINT ID_SILENT_UPDATE_ALONE = 6;

class CEnableTarget : public CCmdTarget {
public:
    const MessageTable* GetMessageMap() const override { return &s_messageTable; }
    static const MessageEntry s_entries[];
    static const MessageTable s_messageTable;
    int m_nCommands = 0;

private:
    void OnCommand() { ++m_nCommands; }
    void OnUpdateOff(CCmdUI* ui) { ui->Enable(false); }
    void OnUpdateOn(CCmdUI* ui) { ui->Enable(true); }
    void OnUpdateSilent(CCmdUI*) {}
};
constexpr MessageEntry CEnableTarget::s_entries[] = {
    OnCommandEntry<ID_COMMAND_ONLY, &CEnableTarget::OnCommand>(),
    OnCommandEntry<ID_DISABLED_BY_UPDATE, &CEnableTarget::OnCommand>(),
    OnUpdateCommandUIEntry<ID_DISABLED_BY_UPDATE, &CEnableTarget::OnUpdateOff>(),
    OnUpdateCommandUIEntry<ID_ENABLED_BY_UPDATE, &CEnableTarget::OnUpdateOn>(),
    OnCommandEntry<ID_SILENT_UPDATE_WITH_COMMAND, &CEnableTarget::OnCommand>(),
    OnUpdateCommandUIEntry<ID_SILENT_UPDATE_WITH_COMMAND, &CEnableTarget::OnUpdateSilent>(),
    OnUpdateCommandUIEntry<ID_SILENT_UPDATE_ALONE, &CEnableTarget::OnUpdateSilent>(),
};
constexpr MessageTable CEnableTarget::s_messageTable{&CCmdTarget::s_messageTable, s_entries};

struct EnableCase {
    const char* name;
    UINT id;
    bool enabled;
};

void PrintTo(const EnableCase& c, std::ostream* os) { *os << c.name; }

class CommandEnable : public ::testing::TestWithParam<EnableCase> {};

TEST_P(CommandEnable, UpdateHandlerDecidesElseAHandlerMustExist)
{
    CEnableTarget target;
    CCmdUI ui;
    ui.m_nID = GetParam().id;
    EXPECT_EQ(ui.DoUpdate(&target), GetParam().enabled);
    EXPECT_EQ(ui.m_bEnabled, GetParam().enabled);
    EXPECT_EQ(target.m_nCommands, 0);
    // Asked again, the answer stands.
    EXPECT_EQ(ui.DoUpdate(&target), GetParam().enabled);
}

INSTANTIATE_TEST_SUITE_P(
    Handlers, CommandEnable,
    ::testing::Values(EnableCase{"CommandHandlerOnly", ID_COMMAND_ONLY, true},
                      EnableCase{"NoHandlerAtAll", ID_NOTHING, false},
                      EnableCase{"UpdateHandlerDisables", ID_DISABLED_BY_UPDATE, false},
                      EnableCase{"UpdateHandlerEnablesWithoutCommand", ID_ENABLED_BY_UPDATE, true},
                      EnableCase{"SilentUpdateHandlerWithCommand", ID_SILENT_UPDATE_WITH_COMMAND, true},
                      EnableCase{"SilentUpdateHandlerAlone", ID_SILENT_UPDATE_ALONE, false}),
    [](const ::testing::TestParamInfo<EnableCase>& p) { return p.param.name; });

}  // namespace
