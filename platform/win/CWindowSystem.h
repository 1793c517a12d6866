#pragma once
// The state behind WinApi.h: the window tree, classes, the message queue,
// focus, capture, timers, the screen and its host. One instance at a time.

#include "platform/win/WinApi.h"

#include <deque>
#include <map>
#include <memory>
#include <optional>

class CWindowSystem {
public:
    struct Window {
        std::uint32_t id = 0;
        std::string className;
        WNDCLASS wc;
        DWORD style = 0;
        DWORD exStyle = 0;
        CRect rect;  // in the parent's client coordinates
        Window* parent = nullptr;
        HWND owner = nullptr;
        std::vector<Window*> children;  // topmost first
        std::string text;
        UINT ctrlId = 0;
        void* userData = nullptr;
        CRegion update;  // window coordinates
        bool erase = false;
        std::uint32_t beginPaints = 0;  // how often BeginPaint has run for it
        bool destroyStarted = false;  // WM_DESTROY is on its way: a second DestroyWindow does nothing
        bool destroying = false;
    };

    struct Timer {
        HWND hwnd;
        UINT id;
        UINT elapse;
        std::uint32_t due;
    };

    explicit CWindowSystem(CBackend* backend);
    ~CWindowSystem();

    CBackend* m_pBackend;
    CSurface m_screen{SCREEN_WIDTH, SCREEN_HEIGHT, 0};
    CRegion m_dirty;
    std::map<std::string, WNDCLASS> m_classes;
    std::map<std::uint32_t, std::unique_ptr<Window>> m_windows;
    Window* m_pDesktop = nullptr;
    std::uint32_t m_nNextId = 1;
    std::deque<MSG> m_queue;
    std::optional<int> m_quitCode;
    std::vector<Timer> m_timers;
    HWND m_hFocus = nullptr;
    HWND m_hCapture = nullptr;
    HWND m_hHost = nullptr;
    std::vector<std::string> m_modal;
    MessageHook m_dispatchHook;
    // Double-click synthesis: the last press that could start one.
    HWND m_hLastPress = nullptr;
    std::uint32_t m_nLastPressTime = 0;
    CPoint m_lastPressPt;
    bool m_bLastPressValid = false;
    // A press on a caption's OK button is answered on release over it.
    HWND m_hOkPressed = nullptr;
    bool m_bButtonDown = false;

    Window* Find(HWND hwnd) const;
    static HWND Handle(const Window* w);

    CRect NcInsets(const Window* w) const;
    CPoint WindowOrigin(const Window* w) const;  // screen
    CPoint ClientOrigin(const Window* w) const;  // screen
    CRect WindowRectScreen(const Window* w) const;
    CRect ClientRectScreen(const Window* w) const;
    bool VisibleChain(const Window* w) const;
    bool EnabledChain(const Window* w) const;
    CRegion VisibleRegion(const Window* w, bool clientOnly) const;
    void InvalidateScreenArea(const CRect& screenRect);
    void InvalidateWhole(Window* w);
    Window* FindPaintable(Window* w);
    void PaintNonClient(Window* w);
    Window* HitTest(Window* parent, CPoint screen) const;
    bool TranslateInput(const CInputEvent& ev, MSG* msg);
    void Destroy(Window* w);
    std::optional<std::uint32_t> NextTimerDue() const;
    bool TakeDueTimer(MSG* msg);
};

CWindowSystem& Ws();
