#pragma once
// The game the end-to-end test plays, for the deal of 2025-12-10 13:20:00
// UTC: turn the stock, move the 7 of diamonds onto the 8 of spades, send the
// Ace of clubs home with a double tap, then Game > Deal, answered Yes a
// second later; last, the mouse rests on the Exit button until its tooltip
// shows. It is played first on the headless host, which finds the
// points of the menu item and the button and records what the screen must
// show after each step; the real window then replays the same taps.

#include "platform/gfx/CSurface.h"

#include <cstdint>
#include <map>
#include <string>
#include <vector>

struct CScriptAction {
    enum class Kind {
        Tap,        // press and release at m_pt
        DoubleTap,  // two taps at m_pt, quickly
        Hover,      // the mouse moves to m_pt with no button held, and rests
        Look,       // the screen must now show picture m_strName
        SetSecond   // the clock's second becomes m_nSecond
    };
    Kind m_kind;
    CPoint m_pt;
    std::string m_strName;
    std::int64_t m_nSecond = 0;
};

class CDesktopScript {
public:
    static constexpr std::int64_t kFirstSecond = 1765372800;  // 2025-12-10 13:20:00 UTC
    static constexpr std::int64_t kSecondDealSecond = kFirstSecond + 1;

    // Plays the game on the headless host. False and why if it did not go
    // as planned there (then the real window cannot be judged by it).
    bool PlayHeadless(std::string* why);

    const std::vector<CScriptAction>& Actions() const { return m_aActions; }
    // The screen after a step, as the headless host showed it.
    const CSurface& Picture(const std::string& name) const { return m_pictures.at(name); }
    const std::vector<std::string>& PictureNames() const { return m_astrLooks; }
    // Where the No button of the Deal question was, for a test that answers No.
    CPoint NoButton() const { return m_noButton; }

private:
    std::vector<CScriptAction> m_aActions;
    std::map<std::string, CSurface> m_pictures;
    std::vector<std::string> m_astrLooks;
    CPoint m_noButton;
};
