#include "web/CDealWatch.h"

#include "app/CMainFrame.h"
#include "platform/fw/CWinApp.h"

#include <utility>

namespace {

// The game, once the main window holds it; the first deal comes before that.
const CBoard* CurrentBoard()
{
    const CWinApp* app = AfxGetApp();
    return app && app->m_pMainWnd ? &static_cast<const CMainFrame*>(app->m_pMainWnd)->m_wndBoard.Board() : nullptr;
}

// Every pile's cards in turn, each pile ended by 0xFF.
std::vector<std::uint8_t> Layout(const CBoard& board)
{
    std::vector<std::uint8_t> layout;
    auto add = [&layout](const CCard* pile) {
        for (; pile; pile = pile->m_pNext)
            layout.push_back(static_cast<std::uint8_t>(pile->m_nSuit * 13 + pile->m_nRank));
        layout.push_back(0xFF);
    };
    add(board.m_pStock);
    add(board.m_pWaste);
    for (const CCard* pile : board.m_apFoundation)
        add(pile);
    for (const CCard* pile : board.m_apColumn)
        add(pile);
    return layout;
}

}  // namespace

std::int64_t CDealWatch::OnDeal(std::int64_t live)
{
    const std::int64_t second = m_backend.DealSeconds(live);
    const CBoard* board = CurrentBoard();
    // The cards are dealt after this reading: Look() notes where they went.
    m_bWatching = board && board->m_bCanUndo;
    m_aDealt.clear();
    if (!m_bWatching)
        m_backend.KeepFromLastDeal();
    return second;
}

void CDealWatch::Look()
{
    const CBoard* board = m_bWatching ? CurrentBoard() : nullptr;
    if (!board)
        return;
    if (!board->m_bCanUndo) {
        m_bWatching = false;
        return;
    }
    std::vector<std::uint8_t> now = Layout(*board);
    if (m_aDealt.empty()) {
        m_aDealt = std::move(now);
    } else if (now != m_aDealt) {
        m_bWatching = false;
        m_backend.KeepFromLastDeal();
    }
}
