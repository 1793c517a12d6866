#pragma once
// A program's window on an X display, played as a player would: taps
// through the scaled window with xdotool, its picture read back and held
// against the headless host's pictures of the same game, pixel for pixel.
// The desktop and the Windows program are tested alike through it.

#include "tests/e2e/CDesktopScript.h"
#include "tests/e2e/CXClient.h"

#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <vector>

class CScriptedWindow {
public:
    using Clock = std::chrono::steady_clock;

    static constexpr int kScreenWidth = 240;
    static constexpr int kScreenHeight = 320;
    // Longer than the window system's double-tap time, so that two taps in
    // a row stay two taps.
    static constexpr std::chrono::milliseconds kBetweenTaps{700};
    static constexpr std::chrono::seconds kSettle{5};

    // Where a letterboxing host puts the screen in a window of this size.
    struct Placement {
        int factor;
        CRect area;
    };
    static Placement PlacementIn(int width, int height);

    // Pictures that fail, and those shown, go into outputDir; clockFile is
    // the pinned clock's (see PinnedClock.h).
    CScriptedWindow(CXClient& x, std::string display, CXClient::WindowId window, std::string clockFile,
                    std::string outputDir);

    CXClient::WindowId Id() const { return m_window; }

    // A tap at a screen point, through the scaled window.
    void Tap(CPoint pt, bool twice = false);
    void TapWindow(CPoint windowPt, bool twice = false);
    // The mouse to a screen point with no button held.
    void Hover(CPoint pt);
    // Waits until the window shows this screen, scaled and letterboxed.
    ::testing::AssertionResult Shows(const CSurface& expected, const std::string& name);
    // Replays the script's taps, checking each picture, up to and with the
    // picture named last (all of them when none is named).
    void Play(const CDesktopScript& script, const std::string& last = "");

private:
    // A screen point's centre in the window.
    CPoint ToWindow(CPoint pt);
    // xdotool: the pointer to the window point, then the commands given.
    void Mouse(CPoint windowPt, const std::vector<std::string>& then);

    CXClient& m_x;
    std::string m_strDisplay;
    CXClient::WindowId m_window;
    std::string m_strClock;
    std::string m_strOutputDir;
    Clock::time_point m_lastInput = Clock::now();
};
