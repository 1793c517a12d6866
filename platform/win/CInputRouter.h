#pragma once
// Turns the host's stylus events into mouse messages for the window that
// takes them: the capture, else the topmost enabled window under the point.
// Holds the button's state, the double-click tracking and a press on a
// caption's OK button, which is answered on release over it.

#include "platform/backend/CBackend.h"
#include "platform/win/CDoubleClick.h"
#include "platform/win/CWindowTree.h"

class CInputRouter {
public:
    // What one event comes to. The caller paints and posts, so that routing
    // stays apart from the parts that do.
    struct Routed {
        bool deliver = false;  // msg goes to its window
        MSG msg;
        HWND okChanged = nullptr;  // a caption's OK button looks pressed or released now
        HWND okClicked = nullptr;  // its OK button was pressed and released over it
    };

    explicit CInputRouter(const CWindowTree& tree);

    // Press, release or move; the host's close request is not input.
    Routed Route(const CInputEvent& ev);

    HWND Capture() const { return m_hCapture; }
    HWND SetCapture(HWND hwnd);
    // A window that is hidden or disabled lets go of the capture.
    void LoseCapture(HWND hwnd);
    // Whether the window's caption shows its OK button pressed.
    bool OkPressed(HWND hwnd) const { return hwnd && m_hOkPressed == hwnd; }
    // A window that goes keeps nothing here.
    void Forget(HWND hwnd);

private:
    // The capture, else the window under the point if it takes input, and
    // whether the point is on its frame.
    const CWindowTree::Window* Target(CPoint screen, bool* nonClient) const;
    void RouteOkButton(const CInputEvent& ev, const CWindowTree::Window* target, Routed& out);

    const CWindowTree& m_tree;
    CDoubleClick m_doubleClick;
    HWND m_hCapture = nullptr;
    HWND m_hOkPressed = nullptr;
    bool m_bButtonDown = false;
};
