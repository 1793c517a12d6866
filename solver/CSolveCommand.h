#pragma once

#include <cstdint>
#include <iosfwd>
#include <string>
#include <vector>

class CBoard;

// The corvane-solve command line: reads the arguments, deals the seconds
// asked for, solves them and writes the answers.
class CSolveCommand {
public:
    static constexpr int STATUS_OK = 0;
    static constexpr int STATUS_USAGE = 2;

    // Returns the process's exit status. Answers go to out; the one-line
    // message for bad arguments and the progress of long runs go to err.
    static int Run(const std::vector<std::string>& aArg, std::ostream& out, std::ostream& err);

    // Deals the game of that second onto the board, as the program does when
    // its clock says so. The runtime's generator and clock are shared, so
    // deals from several threads take turns.
    static void DealAt(CBoard& board, std::int64_t nSecond);
};
