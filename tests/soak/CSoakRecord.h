#pragma once
// What one life of the program tells the soak run. It lives in memory shared
// with the parent process, so it survives every way the life can end: the
// program's own exit from inside a handler, a crash, a sanitizer's abort.

#include <cstdint>

struct CSoakRecord {
    enum End : std::int32_t {
        END_NONE = 0,        // still running, or killed before it could say
        END_BUDGET,          // the run's events were used up
        END_VIOLATION,       // a check failed
        END_LOOP_RETURNED,   // the message loop ended: the main window was closed
        END_EXIT_IN_HANDLER  // the program called exit from inside a handler
    };

    // How the last stylus action or host event should end the program.
    enum Intent : std::int32_t {
        INTENT_NONE = 0,
        INTENT_EXIT_YES,       // Yes in the question of Exit
        INTENT_WIN_NO,         // No in the win prompt
        INTENT_CLOSE_BUTTON,   // the command bar's close button
        INTENT_HOST_CLOSE      // the host window closed
    };
    static const char* IntentName(std::int32_t intent)
    {
        switch (intent) {
        case INTENT_EXIT_YES: return "Exit answered Yes";
        case INTENT_WIN_NO: return "win prompt answered No";
        case INTENT_CLOSE_BUTTON: return "close button";
        case INTENT_HOST_CLOSE: return "host window closed";
        default: return "nobody's request";
        }
    }

    std::uint64_t m_nEvents;          // input events handed to the program
    std::uint64_t m_nChecks;
    std::uint32_t m_nGamesWon;        // win prompts shown
    std::int32_t m_nEnd;
    std::int32_t m_nStatus;           // what the message loop returned
    std::int32_t m_nIntent;           // what the last event asked for, an Intent
    std::uint64_t m_nViolationEvent;
    char m_szViolation[8192];
    char m_szLastAction[256];
};
