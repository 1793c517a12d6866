// Start-up, the main window, its command bar with menus and tooltips, and the
// road a command takes.

#include "tests/app/AppScript.h"

#include "res/CorvaneResources.h"
#include "res/Resource.h"
#include "tests/support/BoardFixture.h"

#include <gtest/gtest.h>

#include <ostream>

namespace {

using namespace apptest;
using Kind = CCommandBar::ItemKind;

TEST(App, StartsTitledWithTheBoardBelowTheBar)
{
    CAppSession s;
    s.Run();

    EXPECT_EQ(s.Host().Title(), "Corvane");
    EXPECT_EQ(GetWindowText(s.Frame()->m_hWnd), "Corvane");
    EXPECT_EQ(theApp.GetRegistryKey(), "Local AppWizard-Generated Applications");
    EXPECT_TRUE(s.Frame()->IsWindowVisible());

    const HWND board = s.Board().m_hWnd;
    ASSERT_TRUE(IsWindow(board));
    EXPECT_EQ(GetParent(board), s.Frame()->m_hWnd);
    EXPECT_EQ(GetDlgCtrlID(board), static_cast<int>(AFX_IDW_PANE_FIRST));
    EXPECT_EQ(GetWindowRect(board), (CRect{0, CCommandBar::kHeight, SCREEN_WIDTH, SCREEN_HEIGHT}));
    EXPECT_EQ(GetWindowRect(s.Frame()->m_wndCommandBar.m_hWnd), (CRect{0, 0, SCREEN_WIDTH, CCommandBar::kHeight}));
    EXPECT_EQ(GetClassStyle(board), 0x000Bu);
    EXPECT_EQ(GetClassStyle(s.Frame()->m_hWnd), 0u);

    // The first deal is on the screen.
    EXPECT_TRUE(ShowsThePaintedBoard(s)) << s.SaveScreen("start");
}

// A main window that cannot be completed is refused: the frame deletes
// itself, and the program ends at once with a message and status 1.
TEST(App, EndsWithAMessageWhenTheMainWindowIsRefused)
{
    // Without toolbar 128 the frame's creation fails after the board and the
    // bar's menus are made, so all of them go with the refused window.
    AppResources noToolbar = *CorvaneAppResources();
    noToolbar.toolbars = {};
    CHeadlessBackend host;
    CProgram program(&host);
    InstallAppResources(&noToolbar);

    ::testing::internal::CaptureStderr();
    const int status = program.Run();
    EXPECT_EQ(::testing::internal::GetCapturedStderr(), "program: the main window could not be created\n");
    EXPECT_EQ(status, 1);
    EXPECT_EQ(theApp.m_pMainWnd, nullptr);
    EXPECT_TRUE(GetChildren(nullptr).empty()) << "a window of the refused frame is left";
}

// Off until the window system gives the focus to a top-level window when it
// shows it: nothing else hands the main window the focus at start-up.
TEST(App, BoardHasTheFocusAfterStartUp)
{
    CAppSession s;
    s.Run();
    EXPECT_EQ(GetFocus(), s.Board().m_hWnd);
}

TEST(App, MainWindowHandsTheFocusToTheBoard)
{
    CAppSession s;
    s.Run();
    const HWND bar = s.Frame()->m_wndCommandBar.m_hWnd;
    SetFocus(bar);
    ASSERT_EQ(GetFocus(), bar);
    SetFocus(s.Frame()->m_hWnd);
    EXPECT_EQ(GetFocus(), s.Board().m_hWnd);
}

TEST(App, DoubleTapReachesTheBoardAsDoubleClick)
{
    CAppSession s;
    std::vector<UINT> messages;
    const HWND board = s.Board().m_hWnd;
    WsSetDispatchHook([&messages, board](const MSG& msg) {
        if (msg.hwnd == board && msg.message >= WM_LBUTTONDOWN && msg.message <= WM_LBUTTONDBLCLK)
            messages.push_back(msg.message);
    });
    // Below the columns, where a tap finds no card.
    s.Host().DoubleTap(CAppSession::BoardPoint(230, 280));
    s.Run();
    EXPECT_EQ(messages, (std::vector<UINT>{WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK, WM_LBUTTONUP}));
}

TEST(App, BarHoldsTheMenusThenTheToolButtonsThenTheCloseButton)
{
    CAppSession s;
    s.Run();
    const CCommandBar& bar = s.Frame()->m_wndCommandBar;
    EXPECT_EQ(GetDlgCtrlID(bar.m_hWnd), static_cast<int>(AFX_IDW_TOOLBAR));
    EXPECT_EQ(bar.GetBarStyle() & (CBRS_TOOLTIPS | CBRS_FLYBY | CBRS_SIZE_FIXED), 0x0032u);

    struct Expected {
        Kind kind;
        int index;
        UINT id;
    };
    const Expected expected[] = {
        {Kind::Menu, kFileMenu, 0},          {Kind::Menu, kGameMenu, 0},
        {Kind::Button, kExitButton, IDOK},   {Kind::Button, kDealButton, ID_GAME_DEAL},
        {Kind::Button, kUndoButton, ID_GAME_UNDO}, {Kind::Button, kAboutButton, ID_APP_ABOUT},
        {Kind::Close, 0, 0},
    };
    const auto& items = bar.Items();
    ASSERT_EQ(items.size(), std::size(expected));
    int right = 0;
    for (std::size_t i = 0; i < items.size(); ++i) {
        SCOPED_TRACE("item " + std::to_string(i));
        EXPECT_EQ(items[i].kind, expected[i].kind);
        EXPECT_EQ(items[i].index, expected[i].index);
        if (expected[i].kind == Kind::Button) {
            EXPECT_EQ(items[i].id, expected[i].id);
        }
        // Left to right, side by side, all on the bar.
        EXPECT_GE(items[i].rect.left, right);
        EXPECT_GT(items[i].rect.Width(), 0);
        EXPECT_GE(items[i].rect.top, 0);
        EXPECT_LE(items[i].rect.bottom, CCommandBar::kHeight);
        right = items[i].rect.right;
    }
    // The close button keeps to the right end.
    EXPECT_GE(items.back().rect.right, SCREEN_WIDTH - 4);
    EXPECT_LE(items.back().rect.right, SCREEN_WIDTH);
}

struct MenuCase {
    int menu;
    const char* title;
    std::vector<std::pair<const char*, UINT>> entries;  // null text: a separator
};
void PrintTo(const MenuCase& c, std::ostream* os) { *os << c.title; }

class AppMenu : public ::testing::TestWithParam<MenuCase> {};

TEST_P(AppMenu, DropsDownItsItemsAndAnotherTapClosesIt)
{
    const MenuCase& c = GetParam();
    CAppSession s;
    auto commands = LogCommands(s);
    s.Host().Tap(s.BarItemCentre(Kind::Menu, c.menu));
    s.Run();

    CMenuPopup* popup = OpenPopup();
    ASSERT_NE(popup, nullptr);
    EXPECT_EQ(popup->GetWindowText(), c.title);
    const auto& entries = popup->Entries();
    ASSERT_EQ(entries.size(), c.entries.size());
    for (std::size_t i = 0; i < entries.size(); ++i) {
        SCOPED_TRACE("entry " + std::to_string(i));
        if (!c.entries[i].first) {
            EXPECT_TRUE(!entries[i].item->text || (entries[i].item->flags & MF_SEPARATOR));
            continue;
        }
        ASSERT_NE(entries[i].item->text, nullptr);
        EXPECT_STREQ(entries[i].item->text, c.entries[i].first);
        EXPECT_EQ(entries[i].item->id, c.entries[i].second);
    }
    // It drops down below its own title, on the screen.
    const CRect menuRect = GetWindowRect(popup->m_hWnd);
    const CRect titleRect = BarItem(s, Kind::Menu, c.menu).rect;
    EXPECT_EQ(menuRect.left, titleRect.left);
    EXPECT_GE(menuRect.top, titleRect.bottom);
    EXPECT_LE(menuRect.right, SCREEN_WIDTH);
    EXPECT_LE(menuRect.bottom, SCREEN_HEIGHT);

    // A tap beside the menu closes it and reaches nothing else.
    const auto before = testboard::Describe(s.Game());
    s.Host().Tap(CAppSession::BoardPoint(230, 280));
    s.Run();
    EXPECT_EQ(OpenPopup(), nullptr);
    EXPECT_TRUE(commands->empty());
    EXPECT_EQ(testboard::Describe(s.Game()), before);
    EXPECT_EQ(s.Game().m_nSelKind, CBoard::SEL_NONE);
}

INSTANTIATE_TEST_SUITE_P(
    App, AppMenu,
    ::testing::Values(MenuCase{kFileMenu, "File", {{"Exit", IDOK}, {nullptr, 0}, {"About", ID_APP_ABOUT}}},
                      MenuCase{kGameMenu, "Game", {{"Undo", ID_GAME_UNDO}, {"Deal", ID_GAME_DEAL}}}),
    [](const auto& p) { return std::string(p.param.title); });

// How a command is given, what it sends, and how the test then leaves it.
struct CommandCase {
    const char* name;
    std::function<void(CAppSession&)> give;
    UINT id;
    std::function<void(CAppSession&)> finish;
};
void PrintTo(const CommandCase& c, std::ostream* os) { *os << c.name; }

void TurnStock(CAppSession& s) { s.Host().Tap(CAppSession::BoardPoint(12, 14)); }
void SayNo(CAppSession& s) { Answer(s, "No"); }
void CloseAbout(CAppSession& s) { TapCaptionOk(s); }
void Nothing(CAppSession&) {}

class AppCommand : public ::testing::TestWithParam<CommandCase> {};

TEST_P(AppCommand, SendsItsIdToTheMainWindow)
{
    const CommandCase& c = GetParam();
    CAppSession s;
    // A move first, so that Undo is enabled.
    TurnStock(s);
    s.Run();
    auto commands = LogCommands(s);
    c.give(s);
    c.finish(s);
    s.Run();
    EXPECT_EQ(*commands, std::vector<UINT>{c.id});
    EXPECT_NE(s.Frame(), nullptr);
}

INSTANTIATE_TEST_SUITE_P(
    App, AppCommand,
    ::testing::Values(
        CommandCase{"FileExit", [](CAppSession& s) { s.ChooseMenu(kFileMenu, "Exit"); }, IDOK, SayNo},
        CommandCase{"FileAbout", [](CAppSession& s) { s.ChooseMenu(kFileMenu, "About"); }, ID_APP_ABOUT, CloseAbout},
        CommandCase{"GameUndo", [](CAppSession& s) { s.ChooseMenu(kGameMenu, "Undo"); }, ID_GAME_UNDO, Nothing},
        CommandCase{"GameDeal", [](CAppSession& s) { s.ChooseMenu(kGameMenu, "Deal"); }, ID_GAME_DEAL, SayNo},
        CommandCase{"ExitButton", [](CAppSession& s) { TapToolButton(s, kExitButton); }, IDOK, SayNo},
        CommandCase{"DealButton", [](CAppSession& s) { TapToolButton(s, kDealButton); }, ID_GAME_DEAL, SayNo},
        CommandCase{"UndoButton", [](CAppSession& s) { TapToolButton(s, kUndoButton); }, ID_GAME_UNDO, Nothing},
        CommandCase{"AboutButton", [](CAppSession& s) { TapToolButton(s, kAboutButton); }, ID_APP_ABOUT,
                    CloseAbout}),
    [](const auto& p) { return std::string(p.param.name); });

// Tooltips: a button held or rested on shows its text after a moment.
struct TipCase {
    int button;
    const char* text;
};
void PrintTo(const TipCase& c, std::ostream* os) { *os << c.text; }

class AppToolTip : public ::testing::TestWithParam<TipCase> {};

TEST_P(AppToolTip, ShowsWhileTheButtonIsHeld)
{
    const TipCase& c = GetParam();
    CAppSession s;
    // A move first, so that every button is enabled and held ones press in.
    TurnStock(s);
    s.Run();
    auto commands = LogCommands(s);
    const CPoint button = s.BarItemCentre(Kind::Button, c.button);
    s.Host().Press(button);
    s.Host().Wait(700);
    s.Run();
    EXPECT_EQ(s.Frame()->m_wndCommandBar.VisibleToolTip(), c.text);
    const HWND tip = CAppSession::FindWindowByText(c.text);
    ASSERT_NE(tip, nullptr) << s.SaveScreen(std::string("tip-") + c.text);
    // Just below the bar, on the screen, in the button's column.
    const CRect r = GetWindowRect(tip);
    EXPECT_GE(r.top, CCommandBar::kHeight);
    EXPECT_LE(r.right, SCREEN_WIDTH);
    EXPECT_LE(r.left, button.x);

    // Slid off and lifted elsewhere: no command, and the tip goes.
    s.Host().Move(CAppSession::BoardPoint(120, 250));
    s.Host().Release(CAppSession::BoardPoint(120, 250));
    s.Run();
    EXPECT_TRUE(commands->empty());
    EXPECT_EQ(s.Frame()->m_wndCommandBar.VisibleToolTip(), "");
    EXPECT_EQ(CAppSession::FindWindowByText(c.text), nullptr);
}

TEST_P(AppToolTip, ShowsWhileTheStylusRestsOnTheButton)
{
    const TipCase& c = GetParam();
    CAppSession s;
    s.Host().Move(s.BarItemCentre(Kind::Button, c.button));
    s.Host().Wait(700);
    s.Run();
    EXPECT_EQ(s.Frame()->m_wndCommandBar.VisibleToolTip(), c.text);
    EXPECT_NE(CAppSession::FindWindowByText(c.text), nullptr);
}

INSTANTIATE_TEST_SUITE_P(App, AppToolTip,
                         ::testing::Values(TipCase{kExitButton, "Exit"}, TipCase{kDealButton, "Deal again"},
                                           TipCase{kUndoButton, "Undo"}, TipCase{kAboutButton, "About and help"}),
                         [](const auto& p) { return "Button" + std::to_string(p.param.button); });

TEST(App, MenusAndTheCloseButtonShowNoToolTip)
{
    CAppSession s;
    const CPoint places[] = {s.BarItemCentre(Kind::Menu, kFileMenu), s.BarItemCentre(Kind::Menu, kGameMenu),
                             s.BarItemCentre(Kind::Close, 0)};
    for (CPoint place : places) {
        s.Host().Move(place);
        s.Host().Wait(700);
        s.Run();
        EXPECT_EQ(s.Frame()->m_wndCommandBar.VisibleToolTip(), "");
    }
    // The close button held.
    s.Host().Press(places[2]);
    s.Host().Wait(700);
    s.Run();
    EXPECT_EQ(s.Frame()->m_wndCommandBar.VisibleToolTip(), "");
    for (const char* unused : {"b", "c"})
        EXPECT_EQ(CAppSession::FindWindowByText(unused), nullptr);
    s.Host().Move(CAppSession::BoardPoint(120, 250));
    s.Host().Release(CAppSession::BoardPoint(120, 250));
    s.Run();
    EXPECT_NE(s.Frame(), nullptr);
}

// Which object answers a command or an enable query, asked the way the
// framework asks without running the handler.
struct RouteCase {
    const char* name;
    UINT id;
    UINT code;
    bool board;  // else theApp
};
void PrintTo(const RouteCase& c, std::ostream* os) { *os << c.name; }

class AppRoute : public ::testing::TestWithParam<RouteCase> {};

TEST_P(AppRoute, TheBoardAnswersFirstTheApplicationLast)
{
    const RouteCase& c = GetParam();
    CAppSession s;
    CMainFrame* frame = s.Frame();
    AFX_CMDHANDLERINFO info;
    ASSERT_TRUE(frame->OnCmdMsg(c.id, c.code, nullptr, &info));
    CCmdTarget* expected = c.board ? static_cast<CCmdTarget*>(&s.Board()) : &theApp;
    EXPECT_EQ(info.pTarget, expected);
    ASSERT_NE(info.pEntry, nullptr);
    EXPECT_EQ(info.pEntry->nID, c.id);
    EXPECT_EQ(info.pEntry->nCode, c.code);

    // Passed on only by the board and by the frame's own tables.
    AFX_CMDHANDLERINFO own;
    EXPECT_EQ(s.Board().OnCmdMsg(c.id, c.code, nullptr, &own), c.board);
    EXPECT_FALSE(frame->CCmdTarget::OnCmdMsg(c.id, c.code, nullptr, &own));
}

INSTANTIATE_TEST_SUITE_P(App, AppRoute,
                         ::testing::Values(RouteCase{"Exit", IDOK, CN_COMMAND, true},
                                           RouteCase{"Deal", ID_GAME_DEAL, CN_COMMAND, true},
                                           RouteCase{"Undo", ID_GAME_UNDO, CN_COMMAND, true},
                                           RouteCase{"UndoEnable", ID_GAME_UNDO, CN_UPDATE_COMMAND_UI, true},
                                           RouteCase{"About", ID_APP_ABOUT, CN_COMMAND, false}),
                         [](const auto& p) { return std::string(p.param.name); });

}  // namespace
