#include "web/CDealWatch.h"

#include "app/CMainFrame.h"
#include "platform/fw/CWinApp.h"

#include <algorithm>
#include <iterator>

namespace {

// The game, once the main window holds it; the first deal comes before that.
const CBoard* CurrentBoard()
{
    const CWinApp* app = AfxGetApp();
    return app && app->m_pMainWnd ? &static_cast<const CMainFrame*>(app->m_pMainWnd)->m_wndBoard.Board() : nullptr;
}

}  // namespace

std::int64_t CDealWatch::OnDeal(std::int64_t live)
{
    const std::int64_t second = m_backend.DealSeconds(live);
    const CBoard* board = CurrentBoard();
    m_bWatching = board && board->m_bCanUndo;
    if (m_bWatching)
        std::copy(std::begin(board->m_abUndo), std::end(board->m_abUndo), m_abSnapshot.begin());
    else
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
    } else if (!std::equal(m_abSnapshot.begin(), m_abSnapshot.end(), std::begin(board->m_abUndo))) {
        m_bWatching = false;
        m_backend.KeepFromLastDeal();
    }
}
