#include "tests/app/AppScript.h"

#include "platform/gfx/Raster.h"
#include "platform/win/NonClient.h"

namespace apptest {

HWND TopWindow()
{
    for (HWND top : GetChildren(nullptr))
        if (IsWindowVisible(top))
            return top;
    return nullptr;
}

bool ShowsThePaintedBoard(const CAppSession& s)
{
    const CSurface shown = s.ShownBoard();
    const CSurface painted = s.PaintedBoard();
    if (shown.Width() != painted.Width() || shown.Height() > painted.Height())
        return false;
    for (int y = 0; y < shown.Height(); ++y)
        for (int x = 0; x < shown.Width(); ++x)
            if (shown.At(x, y) != painted.At(x, y))
                return false;
    return true;
}

CSurface ScreenPart(CAppSession& s, const CRect& r)
{
    CSurface part(r.Width(), r.Height());
    raster::Copy(part, nullptr, {0, 0}, s.Host().Framebuffer(), r);
    return part;
}

void Inspect(CAppSession& s, std::function<void()> look)
{
    s.Host().TapAt(
        [look = std::move(look)]() -> std::optional<CPoint> {
            if (WsModalDepth() == 0)
                return std::nullopt;
            look();
            // A corner of the board that no box or dialog covers.
            const CWnd* main = AfxGetMainWnd();
            for (CPoint pt : {CPoint{1, SCREEN_HEIGHT - 2}, CPoint{SCREEN_WIDTH - 2, SCREEN_HEIGHT - 2}}) {
                HWND hit = WindowFromPoint(pt);
                while (hit && GetParent(hit))
                    hit = GetParent(hit);
                if (main && hit == main->m_hWnd && !IsWindowEnabled(hit))
                    return pt;
            }
            return std::nullopt;
        },
        "a look while a modal loop runs");
}

void Answer(CAppSession& s, const std::string& button, std::shared_ptr<CQuestionSeen> seen)
{
    s.Host().TapAt(
        [button, seen]() -> std::optional<CPoint> {
            const HWND box = TopWindow();
            const CWnd* main = AfxGetMainWnd();
            if (!box || (main && box == main->m_hWnd))
                return std::nullopt;
            if (seen) {
                seen->m_bSeen = true;
                seen->m_strCaption = GetWindowText(box);
                seen->m_astrTexts.clear();
                for (HWND control : GetChildren(box))  // in creation order
                    seen->m_astrTexts.push_back(GetWindowText(control));
                seen->m_bMainEnabled = main && IsWindowEnabled(main->m_hWnd);
            }
            return CAppSession::CentreOf(CAppSession::FindChildByText(box, button));
        },
        "the " + button + " button of a question");
}

void TapToolButton(CAppSession& s, int button)
{
    s.Host().Tap(s.BarItemCentre(CCommandBar::ItemKind::Button, button));
}

void TapCaptionOk(CAppSession& s)
{
    s.Host().TapAt(
        []() -> std::optional<CPoint> {
            const HWND top = TopWindow();
            if (!top || !(GetWindowExStyle(top) & WS_EX_CAPTIONOKBTN))
                return std::nullopt;
            return nonclient::OkButtonRect(GetWindowRect(top)).Center();
        },
        "the OK button of a caption");
}

CMenuPopup* OpenPopup()
{
    for (HWND top : GetChildren(nullptr))
        if (auto* popup = dynamic_cast<CMenuPopup*>(CWnd::FromHandle(top)); popup && IsWindowVisible(top))
            return popup;
    return nullptr;
}

const CMenuPopup::Entry* PopupEntry(const std::string& text)
{
    if (CMenuPopup* popup = OpenPopup())
        for (const auto& e : popup->Entries())
            if (e.item->text && text == e.item->text)
                return &e;
    return nullptr;
}

const CCommandBar::Item& BarItem(const CAppSession& s, CCommandBar::ItemKind kind, int index)
{
    for (const auto& item : s.Frame()->m_wndCommandBar.Items())
        if (item.kind == kind && item.index == index)
            return item;
    throw std::logic_error("no such item on the command bar");
}

std::shared_ptr<std::vector<UINT>> LogCommands(CAppSession& s)
{
    auto log = std::make_shared<std::vector<UINT>>();
    const HWND main = s.Frame()->m_hWnd;
    WsSetDispatchHook([log, main](const MSG& msg) {
        if (msg.hwnd == main && msg.message == WM_COMMAND)
            log->push_back(LOWORD(msg.wParam));
    });
    return log;
}

}  // namespace apptest
