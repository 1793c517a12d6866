#include "solver/CSolveCommand.h"

#include "model/CBoard.h"
#include "platform/runtime/Runtime.h"
#include "solver/CSolver.h"

#include <unistd.h>

#include <atomic>
#include <charconv>
#include <chrono>
#include <condition_variable>
#include <functional>
#include <limits>
#include <memory>
#include <mutex>
#include <optional>
#include <ostream>
#include <sstream>
#include <thread>

namespace {

constexpr char kUsage[] =
    "Usage: corvane-solve [OPTION]... SECONDS [COUNT]\n"
    "Tells whether the Corvane deal of a second can be won.\n"
    "\n"
    "SECONDS is the clock's time when the game was dealt, in seconds since\n"
    "1970-01-01 00:00 UTC; it fixes the deal. With COUNT, the deals of COUNT\n"
    "seconds from SECONDS on are decided, one line each, then a summary.\n"
    "\n"
    "Each answer is one of:\n"
    "  won in N moves          a win was found; N counts every move, turns of\n"
    "                          the stock and of the waste back onto it included\n"
    "  cannot be won           every position the deal can reach was searched\n"
    "  unknown after K positions\n"
    "                          the budget ran out first\n"
    "\n"
    "Options:\n"
    "  --taps       after a win, the gestures that play it on the board, one a\n"
    "               line: 'tap X Y' or 'double X Y' in board pixels (the board\n"
    "               window's own, below the command bar); one deal only\n"
    "  --budget N   positions searched at most per deal (default 5000)\n"
    "  --jobs N     deals decided at once (default: one per core)\n"
    "  --stats      add the positions searched and the time taken to each line\n"
    "  --help       show this and stop\n"
    "\n"
    "Exit status: 0 when every deal asked for was answered, 2 for bad arguments.\n";

struct COptions {
    std::int64_t m_nFirst = 0;
    std::int64_t m_nCount = 1;
    bool m_bCount = false;
    bool m_bTaps = false;
    bool m_bStats = false;
    std::int64_t m_nBudget = CSolver::DEFAULT_BUDGET;
    int m_nJobs = 0;
};

std::optional<std::int64_t> ParseNumber(const std::string& str, std::int64_t nLeast, std::int64_t nMost)
{
    std::int64_t n = 0;
    const char* pEnd = str.data() + str.size();
    const auto [p, ec] = std::from_chars(str.data(), pEnd, n);
    if (str.empty() || str[0] == '-' || ec != std::errc() || p != pEnd || n < nLeast || n > nMost)
        return std::nullopt;
    return n;
}

// The options, or the one line that says what is wrong with them.
std::optional<COptions> Parse(const std::vector<std::string>& aArg, std::string& strError, bool& bHelp)
{
    COptions options;
    std::vector<std::string> aPositional;
    constexpr std::int64_t kMax = std::numeric_limits<std::int64_t>::max();
    for (std::size_t i = 0; i < aArg.size(); ++i) {
        const std::string& strArg = aArg[i];
        const auto value = [&](std::int64_t nLeast, std::int64_t nMost) -> std::optional<std::int64_t> {
            if (i + 1 == aArg.size()) {
                strError = strArg + " needs a number";
                return std::nullopt;
            }
            const std::string& strValue = aArg[++i];
            const std::optional<std::int64_t> n = ParseNumber(strValue, nLeast, nMost);
            if (!n)
                strError = strArg + " takes a whole number from " + std::to_string(nLeast) + " to "
                           + std::to_string(nMost) + ", not '" + strValue + "'";
            return n;
        };
        if (strArg == "--help") {
            bHelp = true;
            return std::nullopt;
        } else if (strArg == "--taps") {
            options.m_bTaps = true;
        } else if (strArg == "--stats") {
            options.m_bStats = true;
        } else if (strArg == "--budget") {
            const std::optional<std::int64_t> n = value(1, std::numeric_limits<std::int32_t>::max() - 1);
            if (!n)
                return std::nullopt;
            options.m_nBudget = *n;
        } else if (strArg == "--jobs") {
            const std::optional<std::int64_t> n = value(1, 256);
            if (!n)
                return std::nullopt;
            options.m_nJobs = static_cast<int>(*n);
        } else if (strArg.size() > 1 && strArg[0] == '-') {
            strError = "unknown option '" + strArg + "'";
            return std::nullopt;
        } else {
            aPositional.push_back(strArg);
        }
    }
    if (aPositional.empty()) {
        strError = "no SECONDS given";
        return std::nullopt;
    }
    if (aPositional.size() > 2) {
        strError = "too many arguments: '" + aPositional[2] + "'";
        return std::nullopt;
    }
    const std::optional<std::int64_t> nFirst = ParseNumber(aPositional[0], 0, kMax);
    if (!nFirst) {
        strError = "SECONDS must be a whole number of seconds from 0 on, not '" + aPositional[0] + "'";
        return std::nullopt;
    }
    options.m_nFirst = *nFirst;
    if (aPositional.size() == 2) {
        const std::optional<std::int64_t> nCount = ParseNumber(aPositional[1], 1, kMax - *nFirst + 1);
        if (!nCount) {
            strError = "COUNT must be a whole number from 1 on, not '" + aPositional[1] + "'";
            return std::nullopt;
        }
        options.m_nCount = *nCount;
        options.m_bCount = true;
    }
    if (options.m_bTaps && options.m_bCount) {
        strError = "--taps gives the gestures of one deal: leave out COUNT";
        return std::nullopt;
    }
    return options;
}

struct CAnswer {
    CSolver::CResult m_result;
    double m_dMilliseconds = 0;
};

CAnswer Decide(CSolver& solver, CBoard& board, std::int64_t nSecond)
{
    CSolveCommand::DealAt(board, nSecond);
    const auto start = std::chrono::steady_clock::now();
    CAnswer answer{solver.Solve(board)};
    answer.m_dMilliseconds =
        std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
    return answer;
}

std::string Describe(const CAnswer& answer, bool bStats)
{
    std::ostringstream line;
    const CSolver::CResult& result = answer.m_result;
    switch (result.m_outcome) {
    case CSolver::EOutcome::Won: line << "won in " << result.m_aMove.size() << " moves"; break;
    case CSolver::EOutcome::CannotBeWon: line << "cannot be won"; break;
    case CSolver::EOutcome::Unknown: line << "unknown after " << result.m_nPositions << " positions"; break;
    }
    if (bStats) {
        line.setf(std::ios::fixed);
        line.precision(1);
        line << " (" << result.m_nPositions << " positions, " << answer.m_dMilliseconds << " ms)";
    }
    return line.str();
}

int SolveOne(const COptions& options, std::ostream& out)
{
    CBoard board;
    CSolver solver(options.m_nBudget);
    const CAnswer answer = Decide(solver, board, options.m_nFirst);
    out << Describe(answer, options.m_bStats) << "\n";
    if (options.m_bTaps) {
        // The gestures of each move depend on the board it is made on.
        for (const CMove& move : answer.m_result.m_aMove) {
            for (const CGesture& gesture : move.Gestures(board))
                out << (gesture.m_bDouble ? "double " : "tap ") << gesture.m_nX << " " << gesture.m_nY << "\n";
            move.Apply(board);
        }
    }
    return CSolveCommand::STATUS_OK;
}

int SolveMany(const COptions& options, std::ostream& out, std::ostream& err)
{
    const int nJobs = options.m_nJobs > 0 ? options.m_nJobs
                                          : static_cast<int>(std::max(1u, std::thread::hardware_concurrency()));
    const std::int64_t nCount = options.m_nCount;
    std::vector<std::optional<CAnswer>> aAnswer(static_cast<std::size_t>(nCount));
    std::mutex mutex;
    std::condition_variable answered;
    std::atomic<std::int64_t> nNext{0};
    std::atomic<bool> bFailed{false};
    std::string strFailure;

    // Made here: a board deals a game when it is made, and deals must not
    // meet on the runtime's generator.
    std::vector<std::unique_ptr<CBoard>> apBoard;
    for (int n = 0; n < nJobs; ++n)
        apBoard.push_back(std::make_unique<CBoard>());
    const auto work = [&](CBoard& board) {
        try {
            CSolver solver(options.m_nBudget);
            for (std::int64_t i; !bFailed && (i = nNext++) < nCount;) {
                CAnswer answer = Decide(solver, board, options.m_nFirst + i);
                const std::lock_guard lock(mutex);
                aAnswer[static_cast<std::size_t>(i)] = std::move(answer);
                answered.notify_one();
            }
        } catch (const std::exception& e) {
            const std::lock_guard lock(mutex);
            strFailure = e.what();
            bFailed = true;
            answered.notify_one();
        }
    };
    std::vector<std::thread> aThread;
    for (const std::unique_ptr<CBoard>& pBoard : apBoard)
        aThread.emplace_back(work, std::ref(*pBoard));

    const bool bTerminal = ::isatty(STDERR_FILENO) == 1;
    const auto start = std::chrono::steady_clock::now();
    auto nextProgress = start + std::chrono::seconds(10);
    std::int64_t anOutcome[3] = {0, 0, 0};
    std::int64_t nDone = 0;
    const auto progress = [&](const char* pszEnd) {
        const double dSeconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        err << (bTerminal ? "\r" : "") << "corvane-solve: " << nDone << " of " << nCount << " deals, "
            << anOutcome[0] << " won, " << anOutcome[1] << " cannot be won, " << anOutcome[2] << " unknown, "
            << static_cast<std::int64_t>(dSeconds) << " s" << pszEnd << std::flush;
    };
    bool bProgressShown = false;
    {
        std::unique_lock lock(mutex);
        while (nDone < nCount && !bFailed) {
            answered.wait_until(lock, nextProgress);
            while (nDone < nCount && aAnswer[static_cast<std::size_t>(nDone)]) {
                const CAnswer& answer = *aAnswer[static_cast<std::size_t>(nDone)];
                ++anOutcome[static_cast<int>(answer.m_result.m_outcome)];
                out << options.m_nFirst + nDone << " " << Describe(answer, options.m_bStats) << "\n";
                aAnswer[static_cast<std::size_t>(nDone)].reset();
                ++nDone;
            }
            if (std::chrono::steady_clock::now() >= nextProgress) {
                out << std::flush;
                progress(bTerminal ? "" : "\n");
                bProgressShown = true;
                nextProgress += std::chrono::seconds(bTerminal ? 1 : 10);
            }
        }
    }
    for (std::thread& thread : aThread)
        thread.join();
    if (bFailed) {
        err << "corvane-solve: " << strFailure << "\n";
        return 1;
    }
    if (bProgressShown)
        progress("\n");
    out << nCount << " deals: " << anOutcome[0] << " won, " << anOutcome[1] << " cannot be won, " << anOutcome[2]
        << " unknown\n";
    return CSolveCommand::STATUS_OK;
}

}  // namespace

int CSolveCommand::Run(const std::vector<std::string>& aArg, std::ostream& out, std::ostream& err)
{
    std::string strError;
    bool bHelp = false;
    const std::optional<COptions> options = Parse(aArg, strError, bHelp);
    if (bHelp) {
        out << kUsage;
        return STATUS_OK;
    }
    if (!options) {
        err << "corvane-solve: " << strError << " (see corvane-solve --help)\n";
        return STATUS_USAGE;
    }
    return options->m_bCount ? SolveMany(*options, out, err) : SolveOne(*options, out);
}

void CSolveCommand::DealAt(CBoard& board, std::int64_t nSecond)
{
    static std::mutex s_mutex;
    const std::lock_guard lock(s_mutex);
    crt::SetTimeSource([nSecond] { return nSecond; });
    board.Deal();
    crt::SetTimeSource({});
}
