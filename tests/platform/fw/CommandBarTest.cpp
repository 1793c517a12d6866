#include "tests/platform/support/CHeadlessTest.h"
#include "tests/platform/support/CRecordingWnd.h"
#include "tests/platform/support/CTestResources.h"
#include "tests/platform/support/Locators.h"

#include "platform/fw/CCmdUI.h"
#include "platform/fw/CCommandBar.h"
#include "platform/fw/CFrameWnd.h"
#include "platform/fw/CMenuPopup.h"
#include "platform/fw/CWinApp.h"

#include <array>

namespace {

constexpr UINT IDR_MAINFRAME = 128;
constexpr UINT ID_APP_ABOUT = 0xE140;
constexpr UINT ID_GAME_UNDO = 0x800C;
constexpr UINT ID_GAME_DEAL = 0x8003;

constexpr std::array<MenuItemTemplate, 3> kFileItems{{
    {"Exit", IDOK, MF_STRING}, {nullptr, 0, MF_SEPARATOR}, {"About", ID_APP_ABOUT, MF_STRING}}};
constexpr std::array<MenuItemTemplate, 2> kGameItems{{
    {"Undo", ID_GAME_UNDO, MF_STRING | MF_GRAYED}, {"Deal", ID_GAME_DEAL, MF_STRING}}};
constexpr std::array<PopupMenuTemplate, 2> kPopups{{{"File", MF_POPUP, kFileItems}, {"Game", MF_POPUP, kGameItems}}};
constexpr std::array<MenuTemplate, 1> kMenus{{{IDR_MAINFRAME, kPopups}}};
constexpr std::array<UINT, 4> kButtons{IDOK, ID_GAME_DEAL, ID_GAME_UNDO, ID_APP_ABOUT};
constexpr std::array<ToolbarTemplate, 1> kToolbars{{{IDR_MAINFRAME, 1, 16, 16, kButtons}}};
constexpr std::array<StringTemplate, 1> kStrings{{{IDR_MAINFRAME, "Corvane\n\nCorvane\n\n\nCorvane.Document\nCorvane Document"}}};
constexpr AppResources kResources{kStrings, kMenus, kToolbars, {}, nullptr};

class CBarFrame : public CFrameWnd {
public:
    const MessageTable* GetMessageMap() const override { return &s_messageTable; }

    CCommandBar m_wndCommandBar;
    CRecordingWnd m_wndBoard;
    const wchar_t* m_apszToolTips[6] = {};
    bool m_bToolTips = true;
    bool m_bCanUndo = false;
    std::vector<UINT> m_aCommands;

    static const MessageEntry s_entries[];
    static const MessageTable s_messageTable;

private:
    int OnCreate(CREATESTRUCT* cs)
    {
        if (CFrameWnd::OnCreate(cs) == -1)
            return -1;
        if (!m_wndBoard.CreateChild(this, {}, CS_DBLCLKS, WS_VISIBLE, AFX_IDW_PANE_FIRST))
            return -1;
        const wchar_t* tips[6] = {L"b", L"c", L"Exit", L"Deal again", L"Undo", L"About and help"};
        std::copy(std::begin(tips), std::end(tips), m_apszToolTips);
        if (!m_wndCommandBar.Create(this) || !m_wndCommandBar.InsertMenuBar(IDR_MAINFRAME) ||
            !m_wndCommandBar.AddAdornments(0) || !m_wndCommandBar.LoadToolBar(IDR_MAINFRAME))
            return -1;
        if (!m_wndCommandBar.SendMessage(TB_SETTOOLTIPS, 6, reinterpret_cast<LPARAM>(m_apszToolTips)))
            return -1;
        if (m_bToolTips)
            m_wndCommandBar.SetBarStyle(m_wndCommandBar.GetBarStyle() | CBRS_TOOLTIPS | CBRS_FLYBY | CBRS_SIZE_FIXED);
        return 0;
    }
    void OnExit() { m_aCommands.push_back(IDOK); }
    void OnAbout() { m_aCommands.push_back(ID_APP_ABOUT); }
    void OnUndo() { m_aCommands.push_back(ID_GAME_UNDO); }
    void OnDeal() { m_aCommands.push_back(ID_GAME_DEAL); }
    void OnUpdateUndo(CCmdUI* ui) { ui->Enable(m_bCanUndo); }
};
constexpr MessageEntry CBarFrame::s_entries[] = {
    OnCreateEntry<&CBarFrame::OnCreate>(),
    OnCommandEntry<IDOK, &CBarFrame::OnExit>(),
    OnCommandEntry<ID_APP_ABOUT, &CBarFrame::OnAbout>(),
    OnCommandEntry<ID_GAME_UNDO, &CBarFrame::OnUndo>(),
    OnCommandEntry<ID_GAME_DEAL, &CBarFrame::OnDeal>(),
    OnUpdateCommandUIEntry<ID_GAME_UNDO, &CBarFrame::OnUpdateUndo>(),
};
constexpr MessageTable CBarFrame::s_messageTable{&CFrameWnd::s_messageTable, s_entries};

class CommandBar : public CHeadlessTest {
protected:
    void SetUp() override
    {
        CHeadlessTest::SetUp();
        m_res.WithArtwork().SetAppResources(&kResources).Install();
    }
    void Start(bool toolTips = true)
    {
        m_pFrame = new CBarFrame;
        m_pFrame->m_bToolTips = toolTips;
        m_app.m_pMainWnd = m_pFrame;
        ASSERT_TRUE(m_pFrame->LoadFrame(IDR_MAINFRAME));
        m_pFrame->ShowWindow(SW_SHOW);
        m_pFrame->UpdateWindow();
        RunUntilScriptDone();
    }
    CCommandBar& Bar() { return m_pFrame->m_wndCommandBar; }
    const CCommandBar::Item& Item(std::size_t i) { return Bar().Items().at(i); }
    CPoint ItemCentre(std::size_t i) { return ClientToScreen(Bar().m_hWnd, Item(i).rect.Center()); }
    // Where an entry of the open drop-down menu lies on the screen.
    static CHeadlessBackend::Locator MenuEntry(const char* menu, std::string text)
    {
        return [menu, text]() -> std::optional<CPoint> {
            auto* popup = dynamic_cast<CMenuPopup*>(CWnd::FromHandle(FindWindowByText(menu)));
            if (!popup)
                return std::nullopt;
            for (const CMenuPopup::Entry& e : popup->Entries())
                if (e.item->text && e.item->text == text)
                    return ClientToScreen(popup->m_hWnd, e.rect.Center());
            return std::nullopt;
        };
    }

    CTestResources m_res;
    CWinApp m_app;
    CBarFrame* m_pFrame = nullptr;
};

TEST_F(CommandBar, LaysOutMenusThenButtonsThenCloseAboveThePane)
{
    Start();
    EXPECT_EQ(m_pFrame->GetWindowText(), "Corvane");
    EXPECT_EQ(m_backend.Title(), "Corvane");
    EXPECT_EQ(GetWindowRectInParent(Bar().m_hWnd), (CRect{0, 0, 240, CCommandBar::kHeight}));
    EXPECT_EQ(GetWindowRectInParent(m_pFrame->m_wndBoard.m_hWnd), (CRect{0, CCommandBar::kHeight, 240, 320}));

    using Kind = CCommandBar::ItemKind;
    const auto& items = Bar().Items();
    ASSERT_EQ(items.size(), 7u);
    const Kind kinds[] = {Kind::Menu, Kind::Menu, Kind::Button, Kind::Button, Kind::Button, Kind::Button, Kind::Close};
    for (std::size_t i = 0; i < items.size(); ++i) {
        EXPECT_EQ(items[i].kind, kinds[i]) << i;
        if (i > 0) {
            EXPECT_LE(items[i - 1].rect.right, items[i].rect.left) << "item " << i << " overlaps the one before";
        }
    }
    for (std::size_t b = 0; b < 4; ++b) {
        EXPECT_EQ(items[2 + b].id, kButtons[b]);
    }
    EXPECT_GE(items[6].rect.right, 236) << "the close button stands at the right end";
}

TEST_F(CommandBar, ToolButtonsSendTheirCommandsAndDisabledOnesDoNot)
{
    Start();
    for (std::size_t i = 2; i < 6; ++i)
        m_backend.Tap(ItemCentre(i));
    RunUntilScriptDone();
    EXPECT_FALSE(Item(4).enabled) << "Undo follows its enable handler";
    EXPECT_EQ(m_pFrame->m_aCommands, (std::vector<UINT>{IDOK, ID_GAME_DEAL, ID_APP_ABOUT}));

    // The idle update after the next message shows the new state.
    m_pFrame->m_bCanUndo = true;
    m_pFrame->PostMessage(WM_NULL);
    RunUntilScriptDone();
    EXPECT_TRUE(Item(4).enabled);
    m_backend.Tap(ItemCentre(4));
    RunUntilScriptDone();
    EXPECT_EQ(m_pFrame->m_aCommands.back(), ID_GAME_UNDO);
}

TEST_F(CommandBar, ReleasingOffAButtonSendsNothing)
{
    Start();
    m_backend.Press(ItemCentre(3));
    m_backend.Release({ItemCentre(3).x, 200});
    RunUntilScriptDone();
    EXPECT_TRUE(m_pFrame->m_aCommands.empty());
}

TEST_F(CommandBar, MenusOpenOnATapAndSendTheChosenCommand)
{
    Start();
    m_backend.Tap(ItemCentre(1));
    RunUntilScriptDone();
    ASSERT_TRUE(Bar().IsMenuOpen());
    auto* popup = dynamic_cast<CMenuPopup*>(CWnd::FromHandle(FindWindowByText("Game")));
    ASSERT_NE(popup, nullptr);
    ASSERT_EQ(popup->Entries().size(), 2u);
    EXPECT_FALSE(popup->Entries()[0].enabled) << "Undo is disabled by its enable handler";
    EXPECT_TRUE(popup->Entries()[1].enabled);

    m_backend.TapAt(MenuEntry("Game", "Deal"), "Game / Deal");
    RunUntilScriptDone();
    EXPECT_FALSE(Bar().IsMenuOpen());
    EXPECT_EQ(FindWindowByText("Game"), nullptr);
    EXPECT_EQ(m_pFrame->m_aCommands, std::vector<UINT>{ID_GAME_DEAL});

    m_backend.Tap(ItemCentre(0));
    m_backend.TapAt(MenuEntry("File", "About"), "File / About");
    RunUntilScriptDone();
    EXPECT_EQ(m_pFrame->m_aCommands, (std::vector<UINT>{ID_GAME_DEAL, ID_APP_ABOUT}));
}

TEST_F(CommandBar, DisabledMenuItemsSendNothingAndATapOutsideCloses)
{
    Start();
    m_backend.Tap(ItemCentre(1));
    m_backend.TapAt(MenuEntry("Game", "Undo"), "Game / Undo");
    RunUntilScriptDone();
    EXPECT_TRUE(Bar().IsMenuOpen()) << "a disabled item closed the menu";
    m_pFrame->m_wndBoard.ClearLog();
    m_backend.Tap({200, 250});
    RunUntilScriptDone();
    EXPECT_FALSE(Bar().IsMenuOpen());
    EXPECT_TRUE(m_pFrame->m_aCommands.empty());
    EXPECT_TRUE(m_pFrame->m_wndBoard.Messages({WM_LBUTTONDOWN}).empty()) << "the closing tap went on to the board";
}

struct TipCase {
    std::size_t item;
    const char* tip;
};

void PrintTo(const TipCase& c, std::ostream* os) { *os << c.tip; }

class CommandBarToolTips : public CommandBar, public ::testing::WithParamInterface<TipCase> {};

TEST_P(CommandBarToolTips, HoldingAButtonShowsTheEntryOfItsPosition)
{
    Start();
    m_backend.Press(ItemCentre(GetParam().item));
    m_backend.Wait(700);
    RunUntilScriptDone();
    EXPECT_EQ(Bar().VisibleToolTip(), GetParam().tip);
    const HWND tip = FindWindowByText(GetParam().tip);
    ASSERT_NE(tip, nullptr);
    EXPECT_GE(GetWindowRect(tip).top, CCommandBar::kHeight) << "the tooltip covers the bar";

    m_backend.Release(ItemCentre(GetParam().item));
    RunUntilScriptDone();
    EXPECT_EQ(Bar().VisibleToolTip(), "");
}

INSTANTIATE_TEST_SUITE_P(Buttons, CommandBarToolTips,
                         ::testing::Values(TipCase{2, "Exit"}, TipCase{3, "Deal again"}, TipCase{4, "Undo"},
                                           TipCase{5, "About and help"}));

TEST_F(CommandBar, MenusAndTheCloseButtonShowNoTooltip)
{
    Start();
    EXPECT_EQ(Bar().ToolTipFor(Item(0)), "");
    EXPECT_EQ(Bar().ToolTipFor(Item(1)), "");
    EXPECT_EQ(Bar().ToolTipFor(Item(6)), "");
    m_backend.Press(ItemCentre(6));
    m_backend.Wait(700);
    RunUntilScriptDone();
    EXPECT_EQ(Bar().VisibleToolTip(), "");
}

TEST_F(CommandBar, NoTooltipsWithoutTheBarStyle)
{
    Start(false);
    m_backend.Press(ItemCentre(2));
    m_backend.Wait(700);
    RunUntilScriptDone();
    EXPECT_EQ(Bar().VisibleToolTip(), "");
}

TEST_F(CommandBar, TheCloseButtonClosesTheFrameAndEndsTheLoop)
{
    Start();
    const HWND frame = m_pFrame->m_hWnd;
    bool commanded = false;
    WsSetDispatchHook([&](const MSG& m) { commanded = commanded || m.message == WM_COMMAND; });
    m_backend.Tap(ItemCentre(6));
    EXPECT_EQ(RunUntilScriptDone(), std::optional<int>(0));
    m_pFrame = nullptr;  // deleted with its window
    EXPECT_FALSE(IsWindow(frame));
    EXPECT_EQ(m_app.m_pMainWnd, nullptr);
    EXPECT_FALSE(commanded) << "the close button sent a command";
}

TEST_F(CommandBar, TheFrameHandsItsFocusToThePane)
{
    Start();
    m_pFrame->SetFocus();
    EXPECT_EQ(GetFocus(), m_pFrame->m_wndBoard.m_hWnd);
}

}  // namespace
