#pragma once
// The whole program on the headless host, for one test: the window system
// started, the resources installed, the clock pinned, InitInstance run. The
// script is fed through Host(); Run() plays it to its end.

#include "app/CMainFrame.h"
#include "app/CProgram.h"
#include "app/CSolitaireApp.h"
#include "platform/backend/CHeadlessBackend.h"
#include "tests/support/CPinnedClock.h"

#include <optional>
#include <string>

class CAppSession {
public:
    static constexpr std::int64_t kDealSecond = 1765372800;

    explicit CAppSession(std::int64_t nSecond = kDealSecond);

    CHeadlessBackend& Host() { return m_host; }
    CPinnedClock& Clock() { return m_clock; }
    // Runs the message loop until the script is done. Returns the loop's
    // exit status if the program ended the ordinary way.
    std::optional<int> Run();
    bool Ended() const { return m_bEnded; }

    CMainFrame* Frame() const;
    CBoardView& Board() const;
    CBoard& Game() const { return Board().Board(); }

    // Screen points of the board and of the bar.
    static CPoint BoardPoint(int x, int y) { return {x, y + CCommandBar::kHeight}; }
    CPoint BarItemCentre(CCommandBar::ItemKind kind, int index) const;
    // The topmost visible window with this text, and one of its children.
    static HWND FindWindowByText(const std::string& text);
    static HWND FindChildByText(HWND parent, const std::string& text);
    static std::optional<CPoint> CentreOf(HWND hwnd);
    // Taps the button with this text in the topmost box when the script gets there.
    void AnswerWith(const std::string& button);
    // Taps the menu item with this text of the menu with this index.
    void ChooseMenu(int menu, const std::string& item);
    // A picture of what the screen shows now, written when a test fails.
    std::string SaveScreen(const std::string& name) const;

    // The board as a fresh redraw paints it, for comparing with the screen.
    CSurface PaintedBoard() const;
    // The board's part of the presented screen.
    CSurface ShownBoard() const;

private:
    CPinnedClock m_clock;
    CHeadlessBackend m_host;
    CProgram m_program{&m_host};
    bool m_bEnded = false;
};
