#pragma once
// The heaviest picture the board can show: all 104 cards in the ten columns,
// the longest reaching the bottom of the window, with a run of thirteen
// selected in the longest column.

#include "model/CBoard.h"

namespace crowded {

inline constexpr int kRunColumn = 0;
inline constexpr int kRunStart = 11;  // the King heading the selected run

// Replaces every card of the board; false if the board did not end up with
// all 104 cards in the columns and the run in place.
bool Lay(CBoard& board);

}  // namespace crowded
