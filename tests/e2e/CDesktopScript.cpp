#include "tests/e2e/CDesktopScript.h"

#include "app/CMainFrame.h"
#include "app/CSolitaireApp.h"
#include "model/CCard.h"
#include "platform/fw/CMenuPopup.h"
#include "platform/win/CScriptExhausted.h"
#include "tests/e2e/CHeadlessProgram.h"
#include "tests/e2e/CMarkedHost.h"
#include "tests/support/CPinnedClock.h"

#include <functional>

namespace {

// The board window sits below the command bar.
CPoint BoardPoint(int x, int y) { return {x, y + CCommandBar::kHeight}; }

// Column c's card k, in screen pixels: the columns begin 35 pixels down the
// board and fan by 10; a tap in the card's top strip names it.
CPoint CardPoint(int nColumn, int nCard) { return BoardPoint(24 * nColumn + 12, 35 + 10 * nCard + 5); }

const CCard* LastCard(const CCard* pCard)
{
    while (pCard && pCard->m_pNext)
        pCard = pCard->m_pNext;
    return pCard;
}

bool Is(const CCard* pCard, int nSuit, int nRank)
{
    return pCard && pCard->m_nSuit == nSuit && pCard->m_nRank == nRank;
}

std::optional<CPoint> MenuEntry(const std::string& text)
{
    for (HWND top : GetChildren(nullptr)) {
        auto* popup = dynamic_cast<CMenuPopup*>(CWnd::FromHandle(top));
        if (!popup || !IsWindowVisible(top))
            continue;
        for (const auto& e : popup->Entries())
            if (e.item->text && text == e.item->text)
                return ClientToScreen(top, e.rect.Center());
    }
    return std::nullopt;
}

std::optional<CPoint> ButtonOfTopBox(const std::string& text)
{
    for (HWND top : GetChildren(nullptr)) {
        if (!IsWindowVisible(top))
            continue;
        for (HWND child : GetChildren(top))
            if (IsWindowVisible(child) && GetWindowText(child) == text)
                return GetWindowRect(child).Center();
        return std::nullopt;
    }
    return std::nullopt;
}

CPoint BarItemCentre(CCommandBar::ItemKind kind, int index)
{
    if (auto* frame = dynamic_cast<CMainFrame*>(theApp.m_pMainWnd))
        for (const auto& item : frame->m_wndCommandBar.Items())
            if (item.kind == kind && item.index == index)
                return item.rect.Center();
    return {-1, -1};
}

}  // namespace

bool CDesktopScript::PlayHeadless(std::string* why)
{
    enum { kSpades, kHearts, kClubs, kDiamonds };
    m_aActions.clear();
    m_pictures.clear();
    m_astrLooks.clear();

    CPinnedClock clock(kFirstSecond);
    CMarkedHost host;
    CHeadlessProgram program(&host);
    CBoard& game = program.Game();
    std::string complaints;

    auto tap = [&](CPoint pt) {
        m_aActions.push_back({CScriptAction::Kind::Tap, pt, {}, 0});
        host.Tap(pt);
    };
    // The point is known only when the window to tap exists.
    auto tapFound = [&](std::function<std::optional<CPoint>()> find, const std::string& what) {
        const std::size_t index = m_aActions.size();
        m_aActions.push_back({CScriptAction::Kind::Tap, {}, what, 0});
        host.TapAt(
            [this, index, find]() {
                auto pt = find();
                if (pt)
                    m_aActions[index].m_pt = *pt;
                return pt;
            },
            what);
    };
    auto look = [&](const std::string& name, std::function<bool()> expected) {
        m_aActions.push_back({CScriptAction::Kind::Look, {}, name, 0});
        m_astrLooks.push_back(name);
        host.MarkHere([&, name, expected] {
            m_pictures[name] = host.Framebuffer();
            if (expected && !expected())
                complaints += "the board is not as planned at \"" + name + "\"; ";
        });
    };
    // The mouse comes to rest a tap's gap after the last input.
    auto hover = [&](CPoint pt, std::uint32_t rest) {
        m_aActions.push_back({CScriptAction::Kind::Hover, pt, {}, 0});
        host.Move(pt, CHeadlessBackend::kTapGap);
        // The mouse at rest, seen once more: a look needs the program to
        // ask for input after the rest, and a scripted wait at the end
        // would not let it.
        host.Move(pt, rest);
    };
    auto setSecond = [&](std::int64_t second) {
        m_aActions.push_back({CScriptAction::Kind::SetSecond, {}, {}, second});
        host.MarkHere([&clock, second] { clock.Set(second); });
    };

    look("the first deal", [&] { return Is(LastCard(game.m_apColumn[0]), kHearts, 12); });
    tap(BoardPoint(12, 14));
    look("the King of diamonds turned", [&] { return Is(game.m_pWaste, kDiamonds, 12); });
    tap(CardPoint(2, 2));
    look("the 7 of diamonds selected", [&] { return game.m_nSelKind == CBoard::SEL_COLUMN; });
    tap(CardPoint(5, 5));
    look("the 7 of diamonds on the 8 of spades", [&] {
        return Is(LastCard(game.m_apColumn[5]), kDiamonds, 6) && Is(LastCard(game.m_apColumn[2]), kClubs, 1);
    });
    m_aActions.push_back({CScriptAction::Kind::DoubleTap, CardPoint(6, 6), {}, 0});
    host.DoubleTap(CardPoint(6, 6));
    look("the Ace of clubs home", [&] {
        return (Is(game.m_apFoundation[4], kClubs, 0) || Is(game.m_apFoundation[5], kClubs, 0)) &&
               Is(LastCard(game.m_apColumn[6]), kSpades, 8);
    });
    tap(BarItemCentre(CCommandBar::ItemKind::Menu, 1));
    look("the Game menu", [] { return MenuEntry("Deal").has_value(); });
    tapFound([] { return MenuEntry("Deal"); }, "the Deal item");
    look("the Deal question", [this] {
        const auto no = ButtonOfTopBox("No");
        m_noButton = no.value_or(CPoint{});
        return ButtonOfTopBox("Yes") && no;
    });
    setSecond(kSecondDealSecond);
    tapFound([] { return ButtonOfTopBox("Yes"); }, "the Yes button");
    look("the deal of the next second",
         [&] { return game.m_pWaste == nullptr && game.m_nSelKind == CBoard::SEL_NONE; });
    // Shown half a second after the mouse stops, for four seconds.
    hover(BarItemCentre(CCommandBar::ItemKind::Button, 0), 1000);
    look("the Exit tooltip", [] {
        auto* frame = dynamic_cast<CMainFrame*>(theApp.m_pMainWnd);
        return frame && frame->m_wndCommandBar.VisibleToolTip() == "Exit";
    });

    host.Seal();
    try {
        theApp.Run();
        complaints += "the program ended before the script did; ";
    } catch (const CScriptExhausted& e) {
        if (e.Depth() != 0)
            complaints += std::string(e.what()) + "; ";
    } catch (const std::exception& e) {
        complaints += std::string(e.what()) + "; ";
    }
    for (const std::string& name : m_astrLooks)
        if (!m_pictures.count(name))
            complaints += "no picture of \"" + name + "\"; ";
    *why = complaints;
    return complaints.empty();
}
