#include "tests/platform/support/Locators.h"

#include "platform/win/NonClient.h"

namespace {

void Collect(HWND parent, std::vector<HWND>& out)
{
    for (HWND child : GetChildren(parent)) {
        out.push_back(child);
        Collect(child, out);
    }
}

}  // namespace

std::vector<HWND> AllWindows()
{
    std::vector<HWND> out;
    Collect(nullptr, out);
    return out;
}

HWND FindWindowByText(const std::string& text)
{
    for (HWND h : AllWindows())
        if (IsWindowVisible(h) && GetWindowText(h) == text)
            return h;
    return nullptr;
}

HWND FindWindowByClass(const std::string& className)
{
    for (HWND h : AllWindows())
        if (IsWindowVisible(h) && GetClassName(h) == className)
            return h;
    return nullptr;
}

std::optional<CPoint> ClientCentre(HWND hwnd)
{
    if (!IsWindow(hwnd))
        return std::nullopt;
    return ClientToScreen(hwnd, GetClientRect(hwnd).Center());
}

CHeadlessBackend::Locator WindowWithText(std::string text)
{
    return [text = std::move(text)]() { return ClientCentre(FindWindowByText(text)); };
}

CHeadlessBackend::Locator CaptionOkButtonOf(std::string caption)
{
    return [caption = std::move(caption)]() -> std::optional<CPoint> {
        const HWND h = FindWindowByText(caption);
        if (!h || !(GetWindowExStyle(h) & WS_EX_CAPTIONOKBTN))
            return std::nullopt;
        return nonclient::OkButtonRect(GetWindowRect(h)).Center();
    };
}

CHeadlessBackend::Locator ClientPointOf(std::string text, CPoint client)
{
    return [text = std::move(text), client]() -> std::optional<CPoint> {
        const HWND h = FindWindowByText(text);
        if (!h)
            return std::nullopt;
        return ClientToScreen(h, client);
    };
}
