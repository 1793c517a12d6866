#pragma once

#include "solver/CBoardRelinker.h"
#include "solver/CMove.h"
#include "solver/CPositionTable.h"

#include <cstdint>
#include <vector>

// Decides whether the game can be won from a board's position, by the
// board's own tests and moves. It searches the positions the moves reach,
// most promising first and each once, for one whose columns are all empty or
// single runs: with both decks on the board the game is always won from
// there, and the moves that win it are played out (a board laid with fewer
// cards is searched until it is won outright). A win it reports has been
// played through the board's tests again; "cannot be won" means that every
// position reachable was searched.
//
// The search runs twice at most. The first looks only at moves that lead
// somewhere: a card from the stock, the waste or a foundation goes onto a
// column only where a run could follow it there, and up only where an
// exposed card could follow it (or an Ace). Most wins are found so. When
// that search runs dry, the second tries every move, with what is left of
// the budget.
class CSolver {
public:
    enum class EOutcome { Won, CannotBeWon, Unknown };

    struct CResult {
        EOutcome m_outcome = EOutcome::Unknown;
        std::int64_t m_nPositions = 0;  // distinct positions reached, both searches together
        std::vector<CMove> m_aMove;     // for a win, every move from the start
    };

    static constexpr std::int64_t DEFAULT_BUDGET = 5000;

    // The budget bounds the distinct positions a deal's searches may reach.
    explicit CSolver(std::int64_t nBudget = DEFAULT_BUDGET);

    // Searches from the board's position. The board is used to play on and
    // ends as it began, its undo buffer, flag and selection included. Throws
    // std::invalid_argument for a board that holds no position of the game
    // (more than 104 cards, a card that does not exist).
    CResult Solve(CBoard& board);

    // Every position one move away, with the turns of the stock and the
    // waste that bring a card to the waste's top counted into that move; the
    // board ends as it began.
    std::vector<CSnapshot> Successors(CBoard& board);

private:
    // So many turns of the stock (or of the waste back onto it), then a move.
    struct CStep {
        std::uint8_t m_nTurns;
        CMove m_move;
    };

    // A position reached, and the step that reached it from its parent.
    struct CNode {
        CSnapshot m_abSnapshot;
        std::int32_t m_nParent;
        std::int32_t m_nDepth;
        CStep m_step;
    };

    void FindSteps(const CBoard& board, bool bFocused);
    static void Play(CBoard& board, const CStep& step);
    // The number of the first node whose columns are all runs, or -1; sets
    // bExhausted when every position was searched within the budget.
    std::int32_t Search(CBoard& board, CBoardRelinker& relinker, const CSnapshot& abStart, bool bFocused,
                        std::int64_t nBudget, bool& bExhausted);
    // From a position whose columns are all runs: every card up in turn
    // until the game is won.
    template <typename PlayMove>
    static void Finish(CBoard& board, const PlayMove& play);
    std::vector<CMove> PathTo(std::int32_t nNode, CBoard& board, CBoardRelinker& relinker) const;

    std::int64_t m_nBudget;
    CPositionTable m_table;
    std::vector<CNode> m_aNode;
    std::vector<CStep> m_aStep;
};
