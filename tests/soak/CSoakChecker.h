#pragma once
// What must hold of the running program after every event: a full board,
// foundations in order, a selection that names what exists, a sound undo
// snapshot, Undo bringing back the board from before the last move, and a
// screen that shows the board as a fresh paint of it does.

#include "model/CBoard.h"
#include "platform/gfx/CRegion.h"
#include "platform/gfx/CSurface.h"
#include "tests/support/BoardFixture.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

class CSoakChecker {
public:
    // What reached the program since the last check: a press or double tap
    // on the board window, the Undo command.
    void NoteBoardInput() { m_bBoardInput = true; }
    void NoteUndo() { m_bUndo = true; }

    // Forgets the history: the next check takes the board as it finds it.
    void Restart();

    // Checks the board after an event, against the board of the last check;
    // returns what is wrong, nothing when all holds.
    std::vector<std::string> CheckGame(const CBoard& board);

    // The board's own invariants, which need no history.
    static std::vector<std::string> CheckBoard(const CBoard& board);
    // A freshly dealt game: 49 in the stock, column c with c + 1 cards, the
    // waste and the foundations empty, nothing selected.
    static std::optional<std::string> CheckFreshDeal(const CBoard& board);
    // The screen against a fresh painting of the board, over the visible
    // region (screen pixels) only; boardOrigin is the board's top-left
    // corner on the screen.
    static std::optional<std::string> CheckScreen(const CSurface& painted, const CSurface& screen, CPoint boardOrigin,
                                                  const CRegion& visible);

private:
    void Remember(const CBoard& board, testboard::CLayout layout);

    bool m_bPrimed = false;
    bool m_bBoardInput = false;
    bool m_bUndo = false;
    testboard::CLayout m_prevLayout;
    std::vector<std::uint8_t> m_abPrevBoard;  // the previous board as a snapshot would hold it
    std::array<std::uint8_t, CBoard::UNDO_SIZE> m_abPrevUndo{};
    bool m_bPrevCanUndo = false;
    // The board as it was before the last move, while Undo may bring it back.
    std::optional<testboard::CLayout> m_beforeLastMove;
};
