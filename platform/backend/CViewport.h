#pragma once
// Where the handheld's screen sits in the host window: scaled by a whole
// factor so that every pixel stays a sharp square, centred, with black bars
// around it when the window is larger. Also maps host points back.

#include "platform/gfx/Geometry.h"

#include <optional>

class CViewport {
public:
    // What a window manager usually adds around a window (title bar, frame);
    // the scaled screen must fit the desktop together with it.
    static constexpr int kDecorationWidth = 16;
    static constexpr int kDecorationHeight = 64;

    CViewport(int nScreenWidth, int nScreenHeight);

    // The largest whole factor at which the screen and its window frame fit
    // a desktop area of this size; at least 1. A host that knows its frame
    // passes it.
    int FitFactor(int nDesktopWidth, int nDesktopHeight, CSize frame = {kDecorationWidth, kDecorationHeight}) const;

    // The host window's drawable size changed.
    void SetWindowSize(int nWidth, int nHeight);

    int Factor() const { return m_nFactor; }
    int WindowWidth() const { return m_nWindowWidth; }
    int WindowHeight() const { return m_nWindowHeight; }
    // The scaled screen in window pixels.
    CRect ScreenArea() const;
    // A rectangle of the screen in window pixels.
    CRect ToWindow(const CRect& screenRect) const;
    // The screen pixel under a window point; nothing in the bars.
    std::optional<CPoint> ToScreen(CPoint window) const;
    // The nearest screen pixel, for a stylus dragged out of the screen.
    CPoint ToScreenClamped(CPoint window) const;

private:
    int m_nScreenWidth;
    int m_nScreenHeight;
    int m_nWindowWidth;
    int m_nWindowHeight;
    int m_nFactor = 1;
    CPoint m_origin;  // the screen's top left corner in the window
};
