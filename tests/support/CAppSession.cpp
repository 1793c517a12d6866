#include "tests/support/CAppSession.h"

#include "platform/fw/CMenuPopup.h"
#include "platform/gfx/Raster.h"
#include "platform/win/CScriptExhausted.h"
#include "tools/png/PngWriter.h"

#include <stdexcept>

CAppSession::CAppSession(std::int64_t nSecond) : m_clock(nSecond) { m_program.Start(); }

std::optional<int> CAppSession::Run()
{
    try {
        const int status = theApp.Run();
        m_bEnded = true;
        return status;
    } catch (const CScriptExhausted& e) {
        if (e.Depth() != 0)
            throw;
        return std::nullopt;
    }
}

CMainFrame* CAppSession::Frame() const { return dynamic_cast<CMainFrame*>(theApp.m_pMainWnd); }

CBoardView& CAppSession::Board() const
{
    CMainFrame* frame = Frame();
    if (!frame)
        throw std::logic_error("the main window is gone");
    return frame->m_wndBoard;
}

CPoint CAppSession::BarItemCentre(CCommandBar::ItemKind kind, int index) const
{
    for (const auto& item : Frame()->m_wndCommandBar.Items())
        if (item.kind == kind && item.index == index)
            return item.rect.Center();
    throw std::logic_error("no such item on the command bar");
}

HWND CAppSession::FindWindowByText(const std::string& text)
{
    for (HWND top : GetChildren(nullptr))
        if (IsWindowVisible(top) && GetWindowText(top) == text)
            return top;
    return nullptr;
}

HWND CAppSession::FindChildByText(HWND parent, const std::string& text)
{
    for (HWND child : GetChildren(parent))
        if (IsWindowVisible(child) && GetWindowText(child) == text)
            return child;
    return nullptr;
}

std::optional<CPoint> CAppSession::CentreOf(HWND hwnd)
{
    if (!hwnd)
        return std::nullopt;
    return GetWindowRect(hwnd).Center();
}

void CAppSession::AnswerWith(const std::string& button)
{
    m_host.TapAt(
        [button]() -> std::optional<CPoint> {
            // The topmost top-level window is the box that asks.
            const std::vector<HWND> tops = GetChildren(nullptr);
            for (HWND top : tops)
                if (IsWindowVisible(top))
                    return CentreOf(FindChildByText(top, button));
            return std::nullopt;
        },
        "the " + button + " button");
}

void CAppSession::ChooseMenu(int menu, const std::string& item)
{
    m_host.Tap(BarItemCentre(CCommandBar::ItemKind::Menu, menu));
    m_host.TapAt(
        [item]() -> std::optional<CPoint> {
            for (HWND top : GetChildren(nullptr)) {
                auto* popup = dynamic_cast<CMenuPopup*>(CWnd::FromHandle(top));
                if (!popup || !IsWindowVisible(top))
                    continue;
                for (const auto& e : popup->Entries())
                    if (e.item->text && item == e.item->text)
                        return ClientToScreen(top, e.rect.Center());
            }
            return std::nullopt;
        },
        "menu item " + item);
}

std::string CAppSession::SaveScreen(const std::string& name) const
{
    const std::string path = name + ".png";
    WritePng(m_host.Framebuffer(), path);
    return path;
}

CSurface CAppSession::PaintedBoard() const
{
    CDC dc;
    dc.CreateCompatibleDC(nullptr);
    CBitmap bitmap;
    bitmap.CreateCompatibleBitmap(&dc, CBoardView::kWidth, CBoardView::kHeight);
    dc.SelectObject(&bitmap);
    Board().PaintBoard(&dc);
    return bitmap.Surface();
}

CSurface CAppSession::ShownBoard() const
{
    const CRect r = GetWindowRect(Board().m_hWnd);
    CSurface shown(r.Width(), r.Height());
    raster::Copy(shown, nullptr, {0, 0}, m_host.Framebuffer(), r);
    return shown;
}
