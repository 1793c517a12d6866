#pragma once
// Script steps and lookups shared by the application's tests: looking at the
// screen while a question or the About dialog waits, answering questions,
// the command bar's items, and a log of the commands the main window gets.

#include "platform/fw/CMenuPopup.h"
#include "tests/support/CAppSession.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace apptest {

// The ids of the bar's tool buttons, left to right.
inline constexpr int kExitButton = 0;
inline constexpr int kDealButton = 1;
inline constexpr int kUndoButton = 2;
inline constexpr int kAboutButton = 3;
inline constexpr int kFileMenu = 0;
inline constexpr int kGameMenu = 1;

// The topmost visible top-level window: the open question or dialog, an open
// menu, or the main window.
HWND TopWindow();

// A step for while a modal loop runs: look() runs when the script gets
// there, then the step taps the main window, which a modal loop has
// disabled, so the tap does nothing. Outside a modal loop the step fails the
// run instead of tapping the board.
void Inspect(CAppSession& s, std::function<void()> look);

// What a question box showed when it was answered.
struct CQuestionSeen {
    bool m_bSeen = false;
    std::string m_strCaption;
    std::vector<std::string> m_astrTexts;  // its controls, in creation order
    bool m_bMainEnabled = true;            // the main window while it asked
};
// Taps the named button of the question that is open when the script gets
// there, noting what the question showed.
void Answer(CAppSession& s, const std::string& button, std::shared_ptr<CQuestionSeen> seen = nullptr);

// Taps a tool button of the bar.
void TapToolButton(CAppSession& s, int button);
// Taps the OK button in the caption of the topmost window.
void TapCaptionOk(CAppSession& s);

// The open drop-down menu, or null.
CMenuPopup* OpenPopup();
// The entry of the open menu with this text, or null.
const CMenuPopup::Entry* PopupEntry(const std::string& text);

// The command bar item of this kind and index.
const CCommandBar::Item& BarItem(const CAppSession& s, CCommandBar::ItemKind kind, int index);

// Logs the id of every WM_COMMAND that reaches the main window through the
// queue (menus and tool buttons post theirs), from now until the session ends.
std::shared_ptr<std::vector<UINT>> LogCommands(CAppSession& s);

// Whether the screen shows the board as a fresh redraw paints it, as far as
// the board window reaches.
bool ShowsThePaintedBoard(const CAppSession& s);
// A copy of part of the screen.
CSurface ScreenPart(CAppSession& s, const CRect& r);

}  // namespace apptest
