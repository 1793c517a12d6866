#pragma once
// The Windows host: the handheld's screen in a window of Windows' own,
// scaled by the largest whole factor that fits the monitor's work area,
// the left mouse button as the stylus. It sleeps in MsgWaitForMultipleObjects
// until input or the window system's next deadline, so an idle game costs
// no CPU.
//
// Windows' headers define many of the names our window system also has
// (RGB, CreateWindowEx, MSG...). This header includes none of them, so the
// program's main can see it beside ours; only the host's source sees
// Windows' headers, and it sees none of our window system.

#include "platform/backend/CBackend.h"
#include "platform/backend/CViewport.h"

#include <cstdint>
#include <deque>
#include <memory>
#include <string>
#include <vector>

struct HWND__;
struct HDC__;
struct HBITMAP__;
struct HICON__;

class CWin32Backend : public CBackend {
public:
    // Opens the window for a screen of this size; it shows at the first
    // Present. Null and why when Windows refuses.
    static std::unique_ptr<CBackend> Create(int nScreenWidth, int nScreenHeight, std::string* error);
    // A Windows program has no console to print to: a message box says it.
    static void ShowError(const std::string& text);

    ~CWin32Backend() override;
    CWin32Backend(const CWin32Backend&) = delete;
    CWin32Backend& operator=(const CWin32Backend&) = delete;

    void Present(const CSurface& screen, const CRegion& dirty) override;
    bool PollEvent(CInputEvent& out) override;
    WaitResult WaitEvent(std::optional<std::uint32_t> deadline, CInputEvent& out) override;
    std::uint32_t Now() override;
    void SetTitle(const std::string& title) override;
    void SetIcon(const CSurface& image, const std::vector<std::uint8_t>& transparent) override;

    // The window procedure's work, for the one window this host has; false
    // leaves the message to Windows.
    bool HandleMessage(HWND__* hWnd, unsigned nMsg, std::uintptr_t wParam, std::intptr_t lParam,
                       std::intptr_t& result);

private:
    CWin32Backend(int nScreenWidth, int nScreenHeight);

    // A back buffer of the window's client size: the scaled screen between
    // black bars, from which the window is drawn.
    void Resize(int nWidth, int nHeight);
    // Scales a screen rectangle into the back buffer; its window rectangle.
    CRect Scale(const CRect& screenRect);
    void Draw(HDC__* hdc, const CRect& windowRect);
    void Push(CInputEvent::Kind kind, CPoint pt);
    void LiftStylus();

    HWND__* m_hWnd = nullptr;
    HDC__* m_hFrameDC = nullptr;
    HBITMAP__* m_hFrame = nullptr;
    HBITMAP__* m_hOldFrame = nullptr;
    Pixel* m_pFrame = nullptr;
    int m_nFrameWidth = 0;
    int m_nFrameHeight = 0;
    HICON__* m_hIcon = nullptr;
    CViewport m_viewport;
    CSurface m_shown;  // what the window system last presented
    std::deque<CInputEvent> m_queue;
    bool m_bVisible = false;
    bool m_bStylusDown = false;
    CPoint m_lastStylus;
};
