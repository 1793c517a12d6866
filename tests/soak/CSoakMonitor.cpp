#include "tests/soak/CSoakMonitor.h"

#include "platform/win/WinApi.h"
#include "res/Resource.h"
#include "tests/soak/CSoakProbe.h"

#include <utility>

void CSoakMonitor::OnDispatch(const MSG& msg)
{
    CBoardView* board = CSoakProbe::Board();
    if (board && msg.hwnd == board->m_hWnd && (msg.message == WM_LBUTTONDOWN || msg.message == WM_LBUTTONDBLCLK))
        m_checker.NoteBoardInput();
    CMainFrame* frame = CSoakProbe::Frame();
    if (frame && msg.hwnd == frame->m_hWnd && msg.message == WM_COMMAND && LOWORD(msg.wParam) == ID_GAME_UNDO)
        m_checker.NoteUndo();
}

std::vector<std::string> CSoakMonitor::Inspect(const CSurface& screen)
{
    CBoardView* view = CSoakProbe::Board();
    if (!view)
        return {"the program waits for input, yet its board is gone"};
    const CBoard& board = view->Board();
    std::vector<std::string> problems = m_checker.CheckGame(board);

    // A fresh paint depends on the piles and the selection alone.
    std::vector<std::uint8_t> key = testboard::SnapshotOf(board);
    key.insert(key.end(), {board.m_nSelKind, static_cast<std::uint8_t>(board.m_nSelPile),
                           static_cast<std::uint8_t>(board.m_nSelCard)});
    if (key != m_abPaintedKey || m_painted.IsEmpty()) {
        m_painted = CSoakProbe::PaintedBoard(*view);
        m_abPaintedKey = std::move(key);
    }
    if (auto stale = CSoakChecker::CheckScreen(m_painted, screen, CSoakProbe::BoardRect().TopLeft(),
                                               CSoakProbe::VisibleBoard()))
        problems.push_back(*stale);

    // Outside modal loops the idle update has run before the program waits:
    // the Undo button shows whether Undo is possible.
    if (CMainFrame* frame = CSoakProbe::Frame(); frame && WsModalDepth() == 0)
        for (const CCommandBar::Item& item : frame->m_wndCommandBar.Items())
            if (item.kind == CCommandBar::ItemKind::Button && item.id == ID_GAME_UNDO &&
                item.enabled != (board.m_bCanUndo != 0))
                problems.push_back(std::string("the Undo button is ") + (item.enabled ? "enabled" : "disabled") +
                                   (board.m_bCanUndo ? ", yet Undo is possible" : ", yet there is nothing to undo"));

    const CSoakProbe::CSight sight = CSoakProbe::Look();
    if (sight.scene == CSoakProbe::Scene::Question && sight.strCaption == "Winner" && sight.hwnd != m_hLastWinPrompt) {
        m_hLastWinPrompt = sight.hwnd;
        ++m_nGamesWon;
        if (!board.IsWon())
            problems.push_back("the win prompt asks, yet the game is not won");
    }
    return problems;
}
