// The commands: Undo's enabled state, Deal and Exit with their questions
// answered both ways, and the ways the program ends.

#include "tests/app/AppScript.h"

#include "res/Resource.h"
#include "tests/support/BoardFixture.h"

#include <gtest/gtest.h>

#include <ostream>

#include <array>
#include <cstdlib>
#include <cstring>

namespace {

using namespace apptest;
using Kind = CCommandBar::ItemKind;
using testboard::Describe;

// Turning the stock is a move that any deal allows.
void TurnStock(CAppSession& s) { s.Host().Tap(CAppSession::BoardPoint(12, 14)); }
// Column 0 holds one card, a run on its own: the tap selects it.
void SelectColumn0(CAppSession& s) { s.Host().Tap(CAppSession::BoardPoint(12, 40)); }

// What a command may change, caught before it and compared after.
struct CGameState {
    testboard::CLayout m_layout;
    std::array<std::uint8_t, CBoard::UNDO_SIZE> m_abUndo;
    std::int32_t m_bCanUndo;
    std::uint8_t m_nSelKind;
    std::int32_t m_nSelPile;
    std::int32_t m_nSelCard;

    explicit CGameState(const CBoard& b)
        : m_layout(Describe(b)), m_abUndo(), m_bCanUndo(b.m_bCanUndo), m_nSelKind(b.m_nSelKind),
          m_nSelPile(b.m_nSelPile), m_nSelCard(b.m_nSelCard)
    {
        std::memcpy(m_abUndo.data(), b.m_abUndo, m_abUndo.size());
    }
    bool operator==(const CGameState&) const = default;
};

// Undo is enabled on the bar and in the Game menu; opening the menu to look
// closes it again.
struct CUndoShown {
    bool m_bButton;
    bool m_bMenuItem;
};

CUndoShown UndoShown(CAppSession& s)
{
    CUndoShown shown{BarItem(s, Kind::Button, kUndoButton).enabled, false};
    s.Host().Tap(s.BarItemCentre(Kind::Menu, kGameMenu));
    s.Run();
    const CMenuPopup::Entry* undo = PopupEntry("Undo");
    EXPECT_NE(undo, nullptr);
    shown.m_bMenuItem = undo && undo->enabled;
    s.Host().Tap(CAppSession::BoardPoint(230, 280));
    s.Run();
    EXPECT_EQ(OpenPopup(), nullptr);
    return shown;
}

TEST(AppUndo, EnabledExactlyWhileThereIsAMoveToTakeBack)
{
    CAppSession s;
    s.Run();
    const CRect buttonRect = BarItem(s, Kind::Button, kUndoButton).rect;
    const CSurface disabledLook = ScreenPart(s, buttonRect);
    CUndoShown shown = UndoShown(s);
    EXPECT_FALSE(shown.m_bButton);
    EXPECT_FALSE(shown.m_bMenuItem);

    // A tap on the disabled button does nothing.
    const CGameState start(s.Game());
    TapToolButton(s, kUndoButton);
    s.Run();
    EXPECT_EQ(CGameState(s.Game()), start);

    TurnStock(s);
    s.Run();
    ASSERT_EQ(s.Game().m_bCanUndo, 1);
    shown = UndoShown(s);
    EXPECT_TRUE(shown.m_bButton);
    EXPECT_TRUE(shown.m_bMenuItem);
    EXPECT_FALSE(ScreenPart(s, buttonRect) == disabledLook) << s.SaveScreen("undo-enabled");

    TapToolButton(s, kUndoButton);
    s.Run();
    EXPECT_EQ(Describe(s.Game()), start.m_layout);
    EXPECT_TRUE(ShowsThePaintedBoard(s));
    shown = UndoShown(s);
    EXPECT_FALSE(shown.m_bButton);
    EXPECT_FALSE(shown.m_bMenuItem);
    EXPECT_TRUE(ScreenPart(s, buttonRect) == disabledLook) << s.SaveScreen("undo-disabled-again");

    // The menu's Undo takes a move back as well.
    TurnStock(s);
    s.ChooseMenu(kGameMenu, "Undo");
    s.Run();
    EXPECT_EQ(Describe(s.Game()), start.m_layout);
    EXPECT_EQ(s.Game().m_bCanUndo, 0);
}

// How Deal and Exit are given.
struct Route {
    const char* name;
    void (*give)(CAppSession&);
};
void PrintTo(const Route& c, std::ostream* os) { *os << c.name; }

void DealFromMenu(CAppSession& s) { s.ChooseMenu(kGameMenu, "Deal"); }
void DealFromButton(CAppSession& s) { TapToolButton(s, kDealButton); }
void ExitFromMenu(CAppSession& s) { s.ChooseMenu(kFileMenu, "Exit"); }
void ExitFromButton(CAppSession& s) { TapToolButton(s, kExitButton); }

struct DealCase {
    Route route;
    bool moveFirst;  // so that Undo is enabled when the deal comes
};
void PrintTo(const DealCase& c, std::ostream* os)
{
    *os << c.route.name << (c.moveFirst ? " after a move" : " at start");
}

class AppDeal : public ::testing::TestWithParam<DealCase> {};

TEST_P(AppDeal, YesLaysOutANewGameAndKeepsTheUndoState)
{
    const DealCase& c = GetParam();
    CAppSession s;
    if (c.moveFirst)
        TurnStock(s);
    SelectColumn0(s);
    s.Run();
    ASSERT_EQ(s.Game().m_nSelKind, CBoard::SEL_COLUMN);
    const CGameState before(s.Game());
    const bool undoShown = BarItem(s, Kind::Button, kUndoButton).enabled;
    ASSERT_EQ(undoShown, c.moveFirst);

    // Another second, so that the new layout differs from the first.
    s.Clock().Set(CAppSession::kDealSecond + 3600);
    c.route.give(s);
    auto seen = std::make_shared<CQuestionSeen>();
    Answer(s, "Yes", seen);
    s.Run();

    ASSERT_TRUE(seen->m_bSeen);
    EXPECT_EQ(seen->m_strCaption, "Deal");
    EXPECT_EQ(seen->m_astrTexts, (std::vector<std::string>{"Really deal again?", "Yes", "No"}));
    EXPECT_FALSE(seen->m_bMainEnabled);

    const CBoard& game = s.Game();
    const CBoard expected;  // the deal of the clock's second
    EXPECT_EQ(Describe(game), Describe(expected));
    EXPECT_NE(Describe(game), before.m_layout);
    EXPECT_TRUE(testboard::HoldsFullBoard(game));
    int stock = 0;
    for (const CCard* p = game.m_pStock; p; p = p->m_pNext)
        ++stock;
    EXPECT_EQ(stock, 49);
    for (int col = 0; col < CBoard::NUM_COLUMNS; ++col) {
        int n = 0;
        for (const CCard* p = game.m_apColumn[col]; p; p = p->m_pNext)
            ++n;
        EXPECT_EQ(n, col + 1) << "column " << col;
    }
    EXPECT_EQ(game.m_nSelKind, CBoard::SEL_NONE);
    EXPECT_EQ(game.m_bCanUndo, before.m_bCanUndo);
    EXPECT_EQ(0, std::memcmp(game.m_abUndo, before.m_abUndo.data(), CBoard::UNDO_SIZE));
    EXPECT_EQ(BarItem(s, Kind::Button, kUndoButton).enabled, undoShown);

    EXPECT_TRUE(ShowsThePaintedBoard(s)) << s.SaveScreen("deal-yes");
    EXPECT_EQ(GetFocus(), s.Board().m_hWnd);
}

INSTANTIATE_TEST_SUITE_P(App, AppDeal,
                         ::testing::Values(DealCase{{"Menu", DealFromMenu}, false},
                                           DealCase{{"Button", DealFromButton}, false},
                                           DealCase{{"Menu", DealFromMenu}, true},
                                           DealCase{{"Button", DealFromButton}, true}),
                         [](const auto& p) {
                             return std::string(p.param.route.name) + (p.param.moveFirst ? "AfterAMove" : "AtStart");
                         });

struct NoCase {
    Route route;
    const char* caption;
    const char* question;
};
void PrintTo(const NoCase& c, std::ostream* os) { *os << c.route.name; }

class AppAnswerNo : public ::testing::TestWithParam<NoCase> {};

TEST_P(AppAnswerNo, LeavesTheGameAsItWas)
{
    const NoCase& c = GetParam();
    CAppSession s;
    TurnStock(s);
    SelectColumn0(s);
    s.Run();
    const CGameState before(s.Game());
    const CSurface screen = s.Host().Framebuffer();

    s.Clock().Set(CAppSession::kDealSecond + 3600);
    c.route.give(s);
    auto seen = std::make_shared<CQuestionSeen>();
    Answer(s, "No", seen);
    s.Run();

    ASSERT_TRUE(seen->m_bSeen);
    EXPECT_EQ(seen->m_strCaption, c.caption);
    EXPECT_EQ(seen->m_astrTexts, (std::vector<std::string>{c.question, "Yes", "No"}));
    EXPECT_FALSE(seen->m_bMainEnabled);

    ASSERT_NE(s.Frame(), nullptr);
    EXPECT_EQ(CGameState(s.Game()), before);
    EXPECT_TRUE(s.Host().Framebuffer() == screen) << s.SaveScreen(std::string("no-") + c.caption);
    EXPECT_TRUE(s.Frame()->IsWindowEnabled());
    EXPECT_EQ(GetFocus(), s.Board().m_hWnd);

    // The game goes on: the selected card can still be let go.
    SelectColumn0(s);
    s.Run();
    EXPECT_EQ(s.Game().m_nSelKind, CBoard::SEL_NONE);
}

INSTANTIATE_TEST_SUITE_P(
    App, AppAnswerNo,
    ::testing::Values(NoCase{{"DealMenu", DealFromMenu}, "Deal", "Really deal again?"},
                      NoCase{{"DealButton", DealFromButton}, "Deal", "Really deal again?"},
                      NoCase{{"ExitMenu", ExitFromMenu}, "Exit", "Do you really wont to exit the game?"},
                      NoCase{{"ExitButton", ExitFromButton}, "Exit", "Do you really wont to exit the game?"}),
    [](const auto& p) { return std::string(p.param.route.name); });

// Taps Yes only if the open question is Exit's, so that any other question
// leaves the run stranded instead of ending it.
void ConfirmExit(CAppSession& s)
{
    s.Host().TapAt(
        []() -> std::optional<CPoint> {
            const HWND box = TopWindow();
            if (!box || GetWindowText(box) != "Exit" ||
                !CAppSession::FindChildByText(box, "Do you really wont to exit the game?"))
                return std::nullopt;
            return CAppSession::CentreOf(CAppSession::FindChildByText(box, "Yes"));
        },
        "Yes to the question Exit");
}

// Run as the process ends, before the application object goes: the main
// window and the board must still stand, nothing closed on the way out.
HWND g_hExitingBoard = nullptr;
void CheckWindowsStillStand()
{
    if (!IsWindow(g_hExitingBoard) || !IsWindowVisible(g_hExitingBoard) || !AfxGetMainWnd())
        std::_Exit(3);
}

class AppExit : public ::testing::TestWithParam<Route> {};

TEST_P(AppExit, YesEndsTheProcessAtOnceWithStatusZero)
{
    const Route& route = GetParam();
    EXPECT_EXIT(
        {
            CAppSession s;
            g_hExitingBoard = s.Board().m_hWnd;
            std::atexit(CheckWindowsStillStand);
            TurnStock(s);
            route.give(s);
            ConfirmExit(s);
            // Had the program gone on, this would be tapped and the run end.
            TurnStock(s);
            s.Run();
        },
        ::testing::ExitedWithCode(0), "");
}

INSTANTIATE_TEST_SUITE_P(App, AppExit,
                         ::testing::Values(Route{"Menu", ExitFromMenu}, Route{"Button", ExitFromButton}),
                         [](const auto& p) { return std::string(p.param.name); });

// The close button and the host's own close take the ordinary way out: the
// windows go, the frame with its board is deleted, the loop ends with 0.
struct CloseCase {
    const char* name;
    void (*close)(CAppSession&);
};
void PrintTo(const CloseCase& c, std::ostream* os) { *os << c.name; }

class AppClose : public ::testing::TestWithParam<CloseCase> {};

TEST_P(AppClose, EndsTheLoopWithStatusZeroWithoutAQuestion)
{
    const CloseCase& c = GetParam();
    CAppSession s;
    TurnStock(s);
    SelectColumn0(s);
    c.close(s);
    // Never reached: the loop is over before it.
    s.Host().Tap(CAppSession::BoardPoint(12, 14));
    const std::optional<int> status = s.Run();
    ASSERT_TRUE(status.has_value());
    EXPECT_EQ(*status, 0);
    EXPECT_TRUE(s.Ended());
    EXPECT_EQ(s.Frame(), nullptr);
    EXPECT_EQ(theApp.m_pMainWnd, nullptr);
    EXPECT_TRUE(GetChildren(nullptr).empty());
    EXPECT_EQ(s.Host().Pending(), 2u);
}

INSTANTIATE_TEST_SUITE_P(
    App, AppClose,
    ::testing::Values(CloseCase{"CloseButton", [](CAppSession& s) { s.Host().Tap(s.BarItemCentre(Kind::Close, 0)); }},
                      CloseCase{"HostWindow", [](CAppSession& s) { s.Host().CloseHostWindow(); }}),
    [](const auto& p) { return std::string(p.param.name); });

}  // namespace
