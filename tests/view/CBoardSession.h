#pragma once
// The whole program on the headless host, started and shown, with what the
// view's tests do to it: lay a position, cover the board on screen so that a
// redraw shows, tap at board points and play the script, and compare what the
// screen shows with the board's picture made by the reference painter.

#include "tests/support/BoardFixture.h"
#include "tests/support/CAppSession.h"
#include "tests/view/CSelection.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

class CBoardSession : public CAppSession {
public:
    // Not drawn by any card: what the board covers when it is redrawn.
    static constexpr COLORREF kScribble = RGB(255, 0, 255);

    explicit CBoardSession(std::int64_t nSecond = kDealSecond);

    // Lays the cards and the selection. The screen keeps its old picture.
    ::testing::AssertionResult Lay(const testboard::CLayout& layout, const CSelection& selection);
    // Paints the board window's whole area on screen in kScribble, past the
    // board: only a redraw of the board brings its picture back.
    void Scribble();
    // Plays what has been scripted; the program must still run afterwards.
    ::testing::AssertionResult Play();
    // A tap at a point of the board, played at once.
    ::testing::AssertionResult TapBoard(CPoint pt);
    // A message straight to the board window, as the window system would not
    // send it, and the screen brought up to date.
    ::testing::AssertionResult SendToBoard(UINT message, CPoint pt);

    // Before an action: marks Undo unavailable, notes the position and the
    // snapshot buffer, and scribbles over the board on screen.
    void Watch();
    // After it: the position and the selection are as given; a snapshot of
    // the watched position was written, or the buffer and its flag were left
    // alone; the board was drawn again, or the scribble is still there.
    ::testing::AssertionResult Outcome(const testboard::CLayout& after, const CSelection& selection, bool bSnapshot,
                                       bool bRedraw) const;

    // Taps the button of the win prompt when the script gets there; onSeen
    // runs first, while the prompt is up, and is given the prompt's window.
    // Nothing captioned "Winner" up then fails the run.
    void AnswerWinPrompt(const std::string& strButton, std::function<void(HWND)> onSeen = {});

    // The reference picture of the board as it stands, cut to the window.
    CSurface Expected() const;
    ::testing::AssertionResult ShowsBoard(const std::string& strWhat) const;
    bool ShowsScribble() const;

private:
    std::vector<std::uint8_t> m_abWatched;  // the snapshot of the watched position
    std::string m_strUndoWatched;           // the buffer as it was then
};
