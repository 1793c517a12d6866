#pragma once
// The window system: its parts, and the sequences that take several of them
// (creating and destroying windows, showing and moving them, the message
// loop's next message, painting). One instance at a time, behind WinApi.h.
//
// The parts, and what each uses:
//
//     CWindowTree      the windows, handles, z-order, geometry, hit testing
//     CWindowClasses   registered classes
//     CScreen          the screen and what of it changed        (the host, to show it)
//     CUpdateRegions   update regions, the next window to paint  (tree, screen)
//     CInputRouter     capture, button, double clicks, OK button  (tree)
//     CTimerQueue      timers                                    (a clock)
//     CMessageQueue    posted messages and the quit request
//
// A part sees only what its brackets name, and none sends a message: what a
// window's procedure may do in answer (anything at all) happens only in the
// sequences here, between one part's step and the next.

#include "platform/win/CInputRouter.h"
#include "platform/win/CMessageQueue.h"
#include "platform/win/CScreen.h"
#include "platform/win/CTimerQueue.h"
#include "platform/win/CUpdateRegions.h"
#include "platform/win/CWindowClasses.h"
#include "platform/win/CWindowTree.h"
#include "platform/win/WinApi.h"

#include <string>
#include <vector>

class CWindowSystem {
public:
    using Window = CWindowTree::Window;

    explicit CWindowSystem(CBackend* backend);

    CBackend* Backend() const { return m_pBackend; }
    CWindowTree& Tree() { return m_tree; }
    CWindowClasses& Classes() { return m_classes; }
    CScreen& Screen() { return m_screen; }
    CUpdateRegions& Updates() { return m_updates; }
    CInputRouter& Input() { return m_input; }
    CTimerQueue& Timers() { return m_timers; }
    CMessageQueue& Queue() { return m_queue; }

    HWND Create(DWORD exStyle, const char* className, const char* windowName, DWORD style, int x, int y, int cx,
                int cy, HWND parentOrOwner, UINT id, void* createParams);
    void Destroy(Window* w);
    bool Show(Window* w, int cmd);
    bool Enable(Window* w, bool enable);
    bool Move(Window* w, const CRect& rectInParent, bool repaint);
    void BringToTop(Window* w);
    void SetText(Window* w, const std::string& text);

    LRESULT Send(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
    bool Post(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
    bool Peek();
    bool GetMessage(MSG* msg);
    LRESULT Dispatch(const MSG& msg);
    void SetDispatchHook(MessageHook hook) { m_dispatchHook = std::move(hook); }

    HWND Focus() const { return m_hFocus; }
    HWND SetFocus(HWND hwnd);

    void UpdateWindow(HWND hwnd);
    bool BeginPaint(Window* w, PAINTSTRUCT* ps, DrawTarget* target);
    void GetDrawTarget(const Window* w, DrawTarget* target);
    // The class brush over the part of the client area that waits for paint.
    bool EraseBackground(Window* w);

    void SetHostWindow(HWND hwnd);
    HWND HostWindow() const { return m_hHost; }

    void EnterModal(const std::string& what) { m_modal.push_back(what); }
    void LeaveModal();
    int ModalDepth() const { return static_cast<int>(m_modal.size()); }

private:
    bool Translate(const CInputEvent& ev, MSG* msg);
    // Paints the window's frame if it waits; true when its client area waits too.
    bool PaintNonClient(const Window* w);

    CBackend* m_pBackend;
    CWindowTree m_tree{SCREEN_WIDTH, SCREEN_HEIGHT};
    CWindowClasses m_classes;
    CScreen m_screen{SCREEN_WIDTH, SCREEN_HEIGHT};
    CUpdateRegions m_updates{m_tree, m_screen};
    CInputRouter m_input{m_tree};
    CTimerQueue m_timers;
    CMessageQueue m_queue;
    HWND m_hFocus = nullptr;
    HWND m_hHost = nullptr;
    std::vector<std::string> m_modal;
    MessageHook m_dispatchHook;
};

CWindowSystem& Ws();
