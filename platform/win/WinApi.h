#pragma once
// Our window system's calls. Windows live in a tree under the desktop (the
// screen); handles are numbers, so a stale handle simply finds nothing.

#include "platform/backend/CBackend.h"
#include "platform/gfx/CRegion.h"
#include "platform/gfx/CSurface.h"
#include "platform/gfx/Screen.h"
#include "platform/win/WinDefs.h"

#include <functional>
#include <string>
#include <vector>

// Starting and stopping the window system; Reset gives a fresh desktop.
void WsStartup(CBackend* backend);
void WsShutdown();
CBackend* WsBackend();
const CSurface& WsScreen();
// Shows what changed on the screen through the backend now.
void WsFlush();

// Classes.
bool RegisterClass(const WNDCLASS& wc);
bool GetClassInfo(const char* className, WNDCLASS* out);
UINT GetClassStyle(HWND hwnd);
std::string GetClassName(HWND hwnd);

// Windows.
HWND CreateWindowEx(DWORD exStyle, const char* className, const char* windowName, DWORD style, int x, int y,
                    int cx, int cy, HWND parentOrOwner, UINT id, void* createParams);
bool DestroyWindow(HWND hwnd);
bool IsWindow(HWND hwnd);
HWND GetDesktopWindow();
HWND GetParent(HWND hwnd);  // null for top-level windows
HWND GetOwner(HWND hwnd);
HWND GetDlgItem(HWND parent, int id);
int GetDlgCtrlID(HWND hwnd);
std::vector<HWND> GetChildren(HWND hwnd);   // topmost first; the desktop's are the top-level windows
DWORD GetWindowStyle(HWND hwnd);
void SetWindowStyle(HWND hwnd, DWORD style);
DWORD GetWindowExStyle(HWND hwnd);
void SetWindowUserData(HWND hwnd, void* data);
void* GetWindowUserData(HWND hwnd);
bool SetWindowText(HWND hwnd, const std::string& text);
std::string GetWindowText(HWND hwnd);
bool ShowWindow(HWND hwnd, int cmd);  // returns whether it was visible before
bool IsWindowVisible(HWND hwnd);      // it and every ancestor shown
bool EnableWindow(HWND hwnd, bool enable);
bool IsWindowEnabled(HWND hwnd);
bool MoveWindow(HWND hwnd, const CRect& rectInParent, bool repaint = true);
void BringWindowToTop(HWND hwnd);
CRect GetWindowRect(HWND hwnd);  // screen coordinates
CRect GetClientRect(HWND hwnd);  // (0, 0, width, height)
CRect GetWindowRectInParent(HWND hwnd);
CPoint ClientToScreen(HWND hwnd, CPoint p);
CPoint ScreenToClient(HWND hwnd, CPoint p);
HWND WindowFromPoint(CPoint screen);
// Where the client area lies inside the window rectangle (border, caption).
CRect GetNonClientInsets(DWORD style, DWORD exStyle);

// Messages.
using MessageHook = std::function<void(const MSG&)>;
LRESULT SendMessage(HWND hwnd, UINT msg, WPARAM wParam = 0, LPARAM lParam = 0);
bool PostMessage(HWND hwnd, UINT msg, WPARAM wParam = 0, LPARAM lParam = 0);
void PostQuitMessage(int exitCode);
// Blocks for the next message; false when it is WM_QUIT.
bool GetMessage(MSG* msg);
// True when a message can be had without waiting (nothing is removed).
bool PeekMessage();
LRESULT DispatchMessage(const MSG& msg);
LRESULT DefWindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
DWORD GetTickCount();
// Modal loops announce themselves, so a scripted host that runs dry can say where.
void WsEnterModal(const std::string& what);
void WsLeaveModal();
int WsModalDepth();
// Called with every message that is dispatched (tests observe traffic with it).
void WsSetDispatchHook(MessageHook hook);

// Focus and capture.
HWND SetFocus(HWND hwnd);
HWND GetFocus();
HWND SetCapture(HWND hwnd);
void ReleaseCapture();
HWND GetCapture();

// Timers: WM_TIMER with the id in wParam, every elapse milliseconds.
void SetTimer(HWND hwnd, UINT id, UINT elapse);
void KillTimer(HWND hwnd, UINT id);

// Painting.
struct PAINTSTRUCT {
    CRect rcPaint;     // client coordinates
    bool fErase = false;
};
bool InvalidateRect(HWND hwnd, const CRect* clientRect, bool erase);
bool ValidateRect(HWND hwnd, const CRect* clientRect);
bool GetUpdateRect(HWND hwnd, CRect* out);
void UpdateWindow(HWND hwnd);
// Where a window's drawing lands: the screen, the client origin in screen
// pixels, and the visible part of the client area (optionally only the
// pending update region, for a paint context).
struct DrawTarget {
    CSurface* surface = nullptr;
    CPoint origin;
    CRegion clip;
};
bool BeginPaint(HWND hwnd, PAINTSTRUCT* ps, DrawTarget* target);
void EndPaint(HWND hwnd, const PAINTSTRUCT* ps);
bool GetWindowDrawTarget(HWND hwnd, DrawTarget* target);
// Marks part of the screen as drawn, so the next flush presents it.
void WsScreenDrawn(const CRect& screenRect);

// The window whose closing the host asks for (its close box), and whose
// title and icon the host shows.
void WsSetHostWindow(HWND hwnd);
HWND WsGetHostWindow();
void WsSetHostIcon(const CSurface& image, const std::vector<std::uint8_t>& transparent);

// Colours of the system palette that our controls paint with.
COLORREF GetSysColor(int index);
