#include "platform/backend/win32/CWin32Backend.h"

#include "platform/gfx/Raster.h"

#include <windows.h>
#include <windowsx.h>

#include <algorithm>

namespace {

constexpr wchar_t kClassName[] = L"Corvane";
constexpr int kIconId = 128;
constexpr DWORD kStyle = WS_OVERLAPPEDWINDOW;
constexpr DWORD kExStyle = 0;

std::wstring Wide(const std::string& text)
{
    const int length = MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(std::max(length, 0)), L'\0');
    if (length > 0)
        MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), wide.data(), length);
    return wide;
}

std::string LastError()
{
    const DWORD code = GetLastError();
    wchar_t* text = nullptr;
    const DWORD length =
        FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                       nullptr, code, 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
    std::string out = "error " + std::to_string(code);
    if (length > 0 && text) {
        const int size = WideCharToMultiByte(CP_UTF8, 0, text, static_cast<int>(length), nullptr, 0, nullptr, nullptr);
        std::string message(static_cast<std::size_t>(std::max(size, 0)), '\0');
        WideCharToMultiByte(CP_UTF8, 0, text, static_cast<int>(length), message.data(), size, nullptr, nullptr);
        while (!message.empty() && (message.back() == '\n' || message.back() == '\r' || message.back() == '.'))
            message.pop_back();
        out = message + " (" + out + ")";
    }
    LocalFree(text);
    return out;
}

// Windows' LONG rectangles as ours.
CRect Rect(const RECT& r)
{
    return {static_cast<int>(r.left), static_cast<int>(r.top), static_cast<int>(r.right), static_cast<int>(r.bottom)};
}

// Windows 10 gives each monitor its own DPI; older ones do not have these
// calls, so they are looked up rather than imported.
UINT DpiOf(HWND hwnd)
{
    using GetDpiForWindowFn = UINT(WINAPI*)(HWND);
    static const auto getDpi = reinterpret_cast<GetDpiForWindowFn>(
        reinterpret_cast<void (*)()>(GetProcAddress(GetModuleHandleW(L"user32.dll"), "GetDpiForWindow")));
    if (hwnd && getDpi)
        if (const UINT dpi = getDpi(hwnd))
            return dpi;
    const HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    return dpi > 0 ? static_cast<UINT>(dpi) : USER_DEFAULT_SCREEN_DPI;
}

// What the caption and the frame add to a client area, at the window's DPI.
CSize FrameSize(HWND hwnd)
{
    using AdjustForDpiFn = BOOL(WINAPI*)(RECT*, DWORD, BOOL, DWORD, UINT);
    static const auto adjust = reinterpret_cast<AdjustForDpiFn>(
        reinterpret_cast<void (*)()>(GetProcAddress(GetModuleHandleW(L"user32.dll"), "AdjustWindowRectExForDpi")));
    RECT r{0, 0, 0, 0};
    if (!adjust || !adjust(&r, kStyle, FALSE, kExStyle, DpiOf(hwnd)))
        AdjustWindowRectEx(&r, kStyle, FALSE, kExStyle);
    return {Rect(r).Width(), Rect(r).Height()};
}

LRESULT CALLBACK WindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (msg == WM_NCCREATE) {
        const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    }
    auto* host = reinterpret_cast<CWin32Backend*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    LRESULT result = 0;
    if (host && host->HandleMessage(hwnd, msg, wParam, lParam, result))
        return result;
    return DefWindowProcW(hwnd, msg, wParam, lParam);
}

HICON LoadProgramIcon(HINSTANCE instance, int size)
{
    return static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(kIconId), IMAGE_ICON, size, size, LR_SHARED));
}

}  // namespace

std::unique_ptr<CBackend> CWin32Backend::Create(int nScreenWidth, int nScreenHeight, std::string* error)
{
    const HINSTANCE instance = GetModuleHandleW(nullptr);
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    // No CS_DBLCLKS: our window system makes double taps from the presses
    // itself. No CS_HREDRAW or CS_VREDRAW: a resize repaints the whole
    // client anyway.
    wc.style = 0;
    wc.lpfnWndProc = WindowProc;
    wc.hInstance = instance;
    wc.hIcon = LoadProgramIcon(instance, GetSystemMetrics(SM_CXICON));
    wc.hIconSm = LoadProgramIcon(instance, GetSystemMetrics(SM_CXSMICON));
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.lpszClassName = kClassName;
    if (!RegisterClassExW(&wc) && GetLastError() != ERROR_CLASS_ALREADY_EXISTS) {
        if (error)
            *error = "cannot register the window class: " + LastError();
        return nullptr;
    }

    std::unique_ptr<CWin32Backend> host(new CWin32Backend(nScreenWidth, nScreenHeight));
    // Hidden until the first picture is ready, so it never shows garbage.
    const HWND hwnd = CreateWindowExW(kExStyle, kClassName, L"", kStyle, CW_USEDEFAULT, CW_USEDEFAULT, nScreenWidth,
                                      nScreenHeight, nullptr, nullptr, instance, host.get());
    if (!hwnd) {
        if (error)
            *error = "cannot open a window: " + LastError();
        return nullptr;
    }

    // The largest whole factor at which the window fits the work area of the
    // monitor it opens on, centred there.
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    CRect work{0, 0, nScreenWidth, nScreenHeight};
    if (GetMonitorInfoW(MonitorFromWindow(hwnd, MONITOR_DEFAULTTOPRIMARY), &monitor))
        work = Rect(monitor.rcWork);
    const CSize frame = FrameSize(hwnd);
    const int factor = host->m_viewport.FitFactor(work.Width(), work.Height(), frame);
    const int width = nScreenWidth * factor + frame.cx;
    const int height = nScreenHeight * factor + frame.cy;
    SetWindowPos(hwnd, nullptr, work.left + std::max(0, (work.Width() - width) / 2),
                 work.top + std::max(0, (work.Height() - height) / 2), width, height, SWP_NOZORDER | SWP_NOACTIVATE);
    RECT client{};
    GetClientRect(hwnd, &client);
    host->Resize(Rect(client).Width(), Rect(client).Height());
    return host;
}

void CWin32Backend::ShowError(const std::string& text)
{
    MessageBoxW(nullptr, Wide(text).c_str(), kClassName, MB_OK | MB_ICONERROR);
}

CWin32Backend::CWin32Backend(int nScreenWidth, int nScreenHeight)
    : m_viewport(nScreenWidth, nScreenHeight), m_shown(nScreenWidth, nScreenHeight, 0)
{
}

CWin32Backend::~CWin32Backend()
{
    if (m_hWnd) {
        SetWindowLongPtrW(m_hWnd, GWLP_USERDATA, 0);
        DestroyWindow(m_hWnd);
    }
    if (m_hFrameDC) {
        SelectObject(m_hFrameDC, m_hOldFrame);
        DeleteDC(m_hFrameDC);
    }
    if (m_hFrame)
        DeleteObject(m_hFrame);
    if (m_hIcon)
        DestroyIcon(m_hIcon);
}

std::uint32_t CWin32Backend::Now()
{
    // The clock of GetMessageTime, which stamps the input events.
    return static_cast<std::uint32_t>(GetTickCount());
}

void CWin32Backend::SetTitle(const std::string& title) { SetWindowTextW(m_hWnd, Wide(title).c_str()); }

void CWin32Backend::SetIcon(const CSurface& image, const std::vector<std::uint8_t>& transparent)
{
    if (image.IsEmpty() || transparent.size() != image.Pixels().size())
        return;
    BITMAPV5HEADER header{};
    header.bV5Size = sizeof header;
    header.bV5Width = image.Width();
    header.bV5Height = -image.Height();  // rows top-down, as ours are
    header.bV5Planes = 1;
    header.bV5BitCount = 32;
    header.bV5Compression = BI_BITFIELDS;
    header.bV5RedMask = 0x00FF0000;
    header.bV5GreenMask = 0x0000FF00;
    header.bV5BlueMask = 0x000000FF;
    header.bV5AlphaMask = 0xFF000000;
    void* bits = nullptr;
    const HDC screen = GetDC(nullptr);
    const HBITMAP color =
        CreateDIBSection(screen, reinterpret_cast<const BITMAPINFO*>(&header), DIB_RGB_COLORS, &bits, nullptr, 0);
    ReleaseDC(nullptr, screen);
    // The AND mask: a set bit lets the background through. Rows of whole
    // 16-bit words, as monochrome bitmaps have them.
    const int stride = (image.Width() + 15) / 16 * 2;
    std::vector<std::uint8_t> mask(static_cast<std::size_t>(stride) * static_cast<std::size_t>(image.Height()), 0);
    for (int y = 0; y < image.Height(); ++y)
        for (int x = 0; x < image.Width(); ++x) {
            const std::size_t i = static_cast<std::size_t>(y) * static_cast<std::size_t>(image.Width()) +
                                  static_cast<std::size_t>(x);
            const bool clear = transparent[i] != 0;
            if (bits)
                static_cast<std::uint32_t*>(bits)[i] = clear ? 0u : (0xFF000000u | (image.Pixels()[i] & 0x00FFFFFFu));
            if (clear)
                mask[static_cast<std::size_t>(y * stride + x / 8)] |= static_cast<std::uint8_t>(0x80u >> (x % 8));
        }
    const HBITMAP andMask = CreateBitmap(image.Width(), image.Height(), 1, 1, mask.data());
    HICON icon = nullptr;
    if (color && andMask) {
        ICONINFO info{TRUE, 0, 0, andMask, color};
        icon = CreateIconIndirect(&info);
    }
    if (color)
        DeleteObject(color);
    if (andMask)
        DeleteObject(andMask);
    if (!icon)
        return;
    // The big icon (task bar, Alt+Tab); the caption keeps the class's small
    // one, the same icon's own 16 x 16 image.
    SendMessageW(m_hWnd, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon));
    if (m_hIcon)
        DestroyIcon(m_hIcon);
    m_hIcon = icon;
}

void CWin32Backend::Resize(int nWidth, int nHeight)
{
    CViewport viewport = m_viewport;
    viewport.SetWindowSize(nWidth, nHeight);
    // A window smaller than the scaled screen still gets all of it in the
    // buffer; the window shows its top left part.
    const CRect area = viewport.ScreenArea();
    const int width = std::max({1, nWidth, area.right});
    const int height = std::max({1, nHeight, area.bottom});
    if (width != m_nFrameWidth || height != m_nFrameHeight) {
        BITMAPINFO info{};
        info.bmiHeader.biSize = sizeof info.bmiHeader;
        info.bmiHeader.biWidth = width;
        info.bmiHeader.biHeight = -height;  // rows top-down
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;     // 0x00RRGGBB, our own pixel format
        info.bmiHeader.biCompression = BI_RGB;
        void* bits = nullptr;
        const HBITMAP frame = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
        if (!frame || !bits) {
            // Out of memory: keep the old buffer and the old placement, which
            // fit each other; the picture is clipped until the next resize.
            if (frame)
                DeleteObject(frame);
            return;
        }
        if (!m_hFrameDC)
            m_hFrameDC = CreateCompatibleDC(nullptr);
        const HGDIOBJ old = SelectObject(m_hFrameDC, frame);
        if (m_hFrame)
            DeleteObject(m_hFrame);
        else
            m_hOldFrame = static_cast<HBITMAP>(old);
        m_hFrame = frame;
        m_pFrame = static_cast<Pixel*>(bits);
        m_nFrameWidth = width;
        m_nFrameHeight = height;
    }
    m_viewport = viewport;
    // The bars around the screen, then the screen.
    std::fill(m_pFrame, m_pFrame + static_cast<std::ptrdiff_t>(m_nFrameWidth) * m_nFrameHeight, Pixel{0});
    Scale(m_shown.Bounds());
}

CRect CWin32Backend::Scale(const CRect& screenRect)
{
    const CRect to = m_viewport.ToWindow(screenRect);
    if (m_pFrame)
        raster::Scale(m_shown, screenRect, m_viewport.Factor(), m_pFrame + to.top * m_nFrameWidth + to.left,
                      m_nFrameWidth);
    return to;
}

void CWin32Backend::Draw(HDC hdc, const CRect& r)
{
    if (m_hFrameDC && !r.IsEmpty())
        BitBlt(hdc, r.left, r.top, r.Width(), r.Height(), m_hFrameDC, r.left, r.top, SRCCOPY);
}

void CWin32Backend::Present(const CSurface& screen, const CRegion& dirty)
{
    if (screen.Width() != m_shown.Width() || screen.Height() != m_shown.Height())
        return;
    // The window system repaints whole windows: a card turned on the stock
    // presents the whole board. Only what differs from the picture already
    // shown is scaled and sent to the window.
    std::vector<CRect> drawn;
    for (const CRect& r : dirty.Rects()) {
        const CRect changed = raster::Changed(m_shown, screen, r);
        if (changed.IsEmpty())
            continue;
        raster::Copy(m_shown, nullptr, changed.TopLeft(), screen, changed);
        drawn.push_back(Scale(changed));
    }
    if (!m_bVisible) {
        m_bVisible = true;
        ShowWindow(m_hWnd, SW_SHOWNORMAL);
        UpdateWindow(m_hWnd);  // the first picture now, not at the next wait
        return;
    }
    if (drawn.empty())
        return;
    const HDC hdc = GetDC(m_hWnd);
    for (const CRect& r : drawn)
        Draw(hdc, r);
    ReleaseDC(m_hWnd, hdc);
}

void CWin32Backend::Push(CInputEvent::Kind kind, CPoint pt)
{
    m_queue.push_back({kind, pt, static_cast<std::uint32_t>(GetMessageTime())});
}

void CWin32Backend::LiftStylus()
{
    if (!m_bStylusDown)
        return;
    m_bStylusDown = false;
    Push(CInputEvent::Kind::Release, m_lastStylus);
}

bool CWin32Backend::HandleMessage(HWND hWnd, unsigned nMsg, std::uintptr_t wParam, std::intptr_t lParam,
                                  std::intptr_t& result)
{
    m_hWnd = hWnd;  // already during its creation, which sends messages
    const CPoint at{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    result = 0;
    switch (nMsg) {
    case WM_LBUTTONDOWN: {
        const auto pt = m_viewport.ToScreen(at);
        if (!pt || m_bStylusDown)
            return true;  // a press in the bars goes nowhere
        // Held, the button's moves and release come here even outside the window.
        SetCapture(m_hWnd);
        m_bStylusDown = true;
        m_lastStylus = *pt;
        Push(CInputEvent::Kind::Press, *pt);
        return true;
    }
    case WM_LBUTTONUP:
        if (m_bStylusDown) {
            m_bStylusDown = false;
            m_lastStylus = m_viewport.ToScreenClamped(at);
            Push(CInputEvent::Kind::Release, m_lastStylus);
            ReleaseCapture();
        }
        return true;
    case WM_MOUSEMOVE:
        if (m_bStylusDown) {
            m_lastStylus = m_viewport.ToScreenClamped(at);
            Push(CInputEvent::Kind::Move, m_lastStylus);
        } else if (const auto pt = m_viewport.ToScreen(at)) {
            // A mouse is there even with no button held: resting it on a
            // tool button shows the button's tooltip.
            Push(CInputEvent::Kind::Move, *pt);
        }
        return true;
    case WM_CAPTURECHANGED:
        // Another window took the mouse (a system dialog, Alt+Tab): the
        // button will come up where we never hear of it.
        if (reinterpret_cast<HWND>(lParam) != m_hWnd)
            LiftStylus();
        return true;
    case WM_CLOSE:
        // Our main window decides: it closes, or not while a question waits.
        m_queue.push_back({CInputEvent::Kind::Close, {}, static_cast<std::uint32_t>(GetMessageTime())});
        return true;
    case WM_ERASEBKGND:
        result = 1;  // the bars are painted with the screen
        return true;
    case WM_PAINT: {
        PAINTSTRUCT ps;
        const HDC hdc = BeginPaint(m_hWnd, &ps);
        Draw(hdc, Rect(ps.rcPaint));
        EndPaint(m_hWnd, &ps);
        return true;
    }
    case WM_SIZE:
        if (wParam != SIZE_MINIMIZED) {
            Resize(LOWORD(lParam), HIWORD(lParam));
            InvalidateRect(m_hWnd, nullptr, FALSE);
        }
        return true;
    case WM_GETMINMAXINFO: {
        // Never smaller than the screen at a factor of 1.
        const CSize frame = FrameSize(m_hWnd);
        auto* info = reinterpret_cast<MINMAXINFO*>(lParam);
        info->ptMinTrackSize.x = m_shown.Width() + frame.cx;
        info->ptMinTrackSize.y = m_shown.Height() + frame.cy;
        return true;
    }
    case WM_DPICHANGED: {
        // Moved to a monitor of another DPI: take the size Windows proposes;
        // the screen keeps a whole factor within it.
        const CRect proposed = Rect(*reinterpret_cast<const RECT*>(lParam));
        SetWindowPos(m_hWnd, nullptr, proposed.left, proposed.top, proposed.Width(), proposed.Height(),
                     SWP_NOZORDER | SWP_NOACTIVATE);
        return true;
    }
    default:
        return false;
    }
}

bool CWin32Backend::PollEvent(CInputEvent& out)
{
    MSG msg;
    while (m_queue.empty() && PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    if (m_queue.empty())
        return false;
    out = m_queue.front();
    m_queue.pop_front();
    return true;
}

WaitResult CWin32Backend::WaitEvent(std::optional<std::uint32_t> deadline, CInputEvent& out)
{
    for (;;) {
        if (PollEvent(out))
            return WaitResult::Event;
        DWORD timeout = INFINITE;
        if (deadline) {
            const auto left = static_cast<std::int32_t>(*deadline - Now());
            if (left <= 0)
                return WaitResult::Timeout;
            timeout = static_cast<DWORD>(left);
        }
        // Wakes for anything in the queue, even what an earlier look left there.
        MsgWaitForMultipleObjectsEx(0, nullptr, timeout, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
    }
}
