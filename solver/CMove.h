#pragma once

#include <cstdint>
#include <vector>

class CBoard;
class CCard;

// Where a gesture touches the board, in the board window's own pixels.
struct CGesture {
    bool m_bDouble;  // a double tap, else a single tap
    int m_nX;
    int m_nY;
    bool operator==(const CGesture&) const = default;
};

// One of the board's seven moves with its arguments: what the solver plays
// and what a player's taps make.
struct CMove {
    enum class EKind : std::uint8_t {
        TurnStock,
        RecycleWaste,
        WasteToColumn,       // m_nTo: the column
        WasteToFoundation,   // m_nTo: the foundation
        RunToColumn,         // m_nFrom, m_nIndex: the run's first card; m_nTo: the column
        CardToFoundation,    // m_nFrom, m_nIndex: the exposed card; m_nTo: the foundation
        FoundationToColumn,  // m_nFrom: the foundation; m_nTo: the column
    };

    EKind m_kind = EKind::TurnStock;
    std::int8_t m_nFrom = 0;
    std::int8_t m_nIndex = 0;
    std::int8_t m_nTo = 0;

    bool operator==(const CMove&) const = default;

    // Whether the board view would make this move from some tap or double
    // tap on the board as it stands: the same tests of the board it makes.
    bool IsAllowed(const CBoard& board) const;
    // Whether some gesture lays the card on the foundation: a tap where the
    // foundation accepts it, a double tap where PickFoundation names it
    // (the only way up for an Ace).
    static bool FoundationTakes(const CBoard& board, int nFoundation, const CCard* pCard);
    // The board's own move, tested by nothing.
    void Apply(CBoard& board) const;
    // The gestures that make the move from a board with nothing selected,
    // which every move leaves. A double tap where the board view's double
    // tap picks the same foundation, else a tap to select and a tap to lay.
    std::vector<CGesture> Gestures(const CBoard& board) const;
};
