#pragma once
// A fixture that gives each test a fresh window system on a headless host,
// and helpers to run the message loop over a script and to read the screen.
//
//     TEST_F(CHeadlessTest, TapReachesTheWindow)
//     {
//         CRecordingWnd wnd;
//         wnd.CreatePopup(nullptr, {0, 0, 100, 100});
//         m_backend.Tap({10, 10});
//         RunUntilScriptDone();
//         EXPECT_EQ(wnd.Messages({WM_LBUTTONDOWN}).size(), 1u);
//     }
//
// A failing test leaves a picture of the screen in the working directory,
// named after the test, and its failure message says where.

#include "platform/backend/CHeadlessBackend.h"
#include "platform/win/WinApi.h"

#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <string>

class CHeadlessTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Runs the message loop (the application's, when there is an application
    // object) until the script is used up. Returns the exit code when the
    // loop ended with WM_QUIT, nothing when the script ran dry first. Running
    // dry inside a modal loop is a fault of the test: that CScriptExhausted
    // goes on to the caller.
    std::optional<int> RunUntilScriptDone();
    // The same around any loop, for instance AfxWinMain.
    std::optional<int> RunUntilScriptDone(const std::function<int()>& loop);

    // What the host shows, after everything drawn so far is presented.
    Pixel ScreenPixel(CPoint pt);
    ::testing::AssertionResult ScreenPixelIs(CPoint pt, COLORREF colour);
    // Every pixel of r (screen coordinates) has this colour.
    ::testing::AssertionResult ScreenRectIs(const CRect& r, COLORREF colour);
    // Writes the host's picture next to the test and returns the file name
    // ("" when it could not be written).
    std::string SaveScreen();

    CHeadlessBackend m_backend;

private:
    ::testing::AssertionResult ScreenFailure(const std::string& what);

    bool m_bScreenSaved = false;
};

// "RRGGBB" of a COLORREF, for messages.
std::string ColourName(COLORREF colour);
