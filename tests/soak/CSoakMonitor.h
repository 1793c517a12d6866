#pragma once
// Watches the running program for a host: notes what is dispatched, and
// after every event checks the game (CSoakChecker), the board on the screen
// against a fresh paint over the part nothing covers, the Undo button's state,
// and that a win prompt asks only about a won game. Used by the soak host and the input fuzzer.

#include "platform/gfx/CSurface.h"
#include "platform/win/WinDefs.h"
#include "tests/soak/CSoakChecker.h"

#include <cstdint>
#include <string>
#include <vector>

class CSoakMonitor {
public:
    // Every message the window system dispatches passes here.
    void OnDispatch(const MSG& msg);
    // Checks the program as it waits for its next event; screen is what the
    // host shows. Returns what is wrong, nothing when all holds.
    std::vector<std::string> Inspect(const CSurface& screen);

    int GamesWon() const { return m_nGamesWon; }
    // The last fresh paint of the board, for pictures of a violation.
    const CSurface& Painted() const { return m_painted; }

private:
    CSoakChecker m_checker;
    CSurface m_painted;
    std::vector<std::uint8_t> m_abPaintedKey;  // the board that m_painted shows
    HWND m_hLastWinPrompt = nullptr;
    int m_nGamesWon = 0;
};
