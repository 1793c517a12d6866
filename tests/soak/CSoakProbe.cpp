#include "tests/soak/CSoakProbe.h"

#include "app/CAboutDlg.h"
#include "app/CSolitaireApp.h"
#include "platform/fw/CMenuPopup.h"
#include "platform/fw/CMessageBox.h"
#include "res/Resource.h"

#include <utility>

CMainFrame* CSoakProbe::Frame()
{
    auto* frame = dynamic_cast<CMainFrame*>(theApp.m_pMainWnd);
    return frame && frame->m_hWnd && IsWindow(frame->m_hWnd) ? frame : nullptr;
}

CBoardView* CSoakProbe::Board()
{
    CMainFrame* frame = Frame();
    if (!frame || !frame->m_wndBoard.m_hWnd || !IsWindow(frame->m_wndBoard.m_hWnd))
        return nullptr;
    return &frame->m_wndBoard;
}

CSoakProbe::CSight CSoakProbe::Look()
{
    CSight sight;
    CMainFrame* frame = Frame();
    if (!frame)
        return sight;
    for (HWND top : GetChildren(nullptr)) {
        if (!IsWindowVisible(top) || (GetWindowExStyle(top) & WS_EX_TRANSPARENT))
            continue;
        sight.hwnd = top;
        sight.strCaption = GetWindowText(top);
        CWnd* wnd = CWnd::FromHandle(top);
        if (wnd == frame)
            sight.scene = Scene::Board;
        else if (dynamic_cast<CMenuPopup*>(wnd))
            sight.scene = Scene::Menu;
        else if (dynamic_cast<CMessageBox*>(wnd))
            sight.scene = Scene::Question;
        else if (dynamic_cast<CAboutDlg*>(wnd))
            sight.scene = Scene::About;
        else
            sight.scene = Scene::Other;
        return sight;
    }
    sight.scene = Scene::Other;
    return sight;
}

CRect CSoakProbe::BoardRect()
{
    CBoardView* board = Board();
    if (!board)
        return {};
    const CRect client = GetClientRect(board->m_hWnd);
    return client.Offset(ClientToScreen(board->m_hWnd, {0, 0}));
}

CRegion CSoakProbe::VisibleBoard()
{
    CBoardView* board = Board();
    DrawTarget target;
    if (!board || !GetWindowDrawTarget(board->m_hWnd, &target))
        return {};
    return target.clip;
}

CSurface CSoakProbe::PaintedBoard(const CBoardView& board)
{
    CDC dc;
    dc.CreateCompatibleDC(nullptr);
    CBitmap bitmap;
    bitmap.CreateCompatibleBitmap(&dc, CBoardView::kWidth, CBoardView::kHeight);
    CBitmap* old = dc.SelectObject(&bitmap);
    board.PaintBoard(&dc);
    dc.SelectObject(old);
    return std::move(bitmap.Surface());
}

std::optional<CRect> CSoakProbe::ChildRect(HWND parent, const std::string& text)
{
    for (HWND child : GetChildren(parent))
        if (IsWindowVisible(child) && GetWindowText(child) == text)
            return GetWindowRect(child);
    return std::nullopt;
}

std::optional<CRect> CSoakProbe::BarItemRect(CCommandBar::ItemKind kind, int index)
{
    CMainFrame* frame = Frame();
    if (!frame || !frame->m_wndCommandBar.m_hWnd)
        return std::nullopt;
    for (const CCommandBar::Item& item : frame->m_wndCommandBar.Items())
        if (item.kind == kind && item.index == index)
            return item.rect.Offset(ClientToScreen(frame->m_wndCommandBar.m_hWnd, {0, 0}));
    return std::nullopt;
}

std::pair<CSoakProbe::Ending, CRect> CSoakProbe::EndingUnder(CPoint pt)
{
    const CSight sight = Look();
    if (sight.scene == Scene::Board) {
        // The close button works only while the main window takes the stylus.
        auto r = BarItemRect(CCommandBar::ItemKind::Close, 0);
        if (r && r->Contains(pt) && IsWindowEnabled(sight.hwnd))
            return {Ending::CloseButton, *r};
    } else if (sight.scene == Scene::Question) {
        const bool exit = sight.strCaption == "Exit";
        const bool win = sight.strCaption == "Winner";
        const HWND button = exit ? GetDlgItem(sight.hwnd, IDYES) : win ? GetDlgItem(sight.hwnd, IDNO) : nullptr;
        if (button && IsWindowVisible(button) && WindowFromPoint(pt) == button)
            return {exit ? Ending::ExitYes : Ending::WinNo, GetWindowRect(button)};
    }
    return {Ending::None, {}};
}
