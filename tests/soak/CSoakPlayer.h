#pragma once
// The soak run's stylus: it looks at the screen and the game and picks the
// next thing to do, at random but biased so that games progress: mostly the
// board (often a move the rules allow, often a plain random point), often the
// stock, sometimes the command bar, its menus, the questions and the About
// dialog, and now and then a way of ending the program.

#include "platform/backend/CBackend.h"
#include "tests/soak/CSoakProbe.h"
#include "tests/soak/CSoakRandom.h"

#include <cstdint>
#include <string>
#include <vector>

class CBoard;

struct CSoakStep {
    CInputEvent::Kind kind = CInputEvent::Kind::Press;
    CPoint pt;
    std::uint32_t after = 0;  // milliseconds after the previous step
};

class CSoakPlayer {
public:
    struct CAction {
        std::string strWhat;
        std::vector<CSoakStep> aSteps;
    };

    explicit CSoakPlayer(std::uint64_t nSeed) : m_random(nSeed) {}

    // The next action for what the screen shows now.
    CAction Next();

private:
    CAction OnBoard(const CBoard& b);
    CAction OnMenu(HWND popup);
    CAction OnQuestion(const CSoakProbe::CSight& sight);
    CAction OnAbout(HWND dialog);
    CAction Anywhere(const char* why);
    bool PlanMove(const CBoard& b, CAction& action);
    void ClearSelection(const CBoard& b, CAction& action);

    // Steps.
    std::uint32_t Gap();
    std::uint32_t Hold();
    void Tap(CAction& a, CPoint screen);
    void DoubleTap(CAction& a, CPoint screen);
    void Drag(CAction& a, CPoint from, CPoint to);
    CPoint Inside(const CRect& r);

    // Board points, in screen pixels.
    CPoint OnBoardAt(int x, int y) const;
    CPoint StockPoint();
    CPoint WastePoint(bool doubleTapZone);
    CPoint FoundationPoint(int f);
    CPoint CardPoint(const CBoard& b, int c, int k);
    CPoint AnyBoardPoint(const CBoard& b);

    CSoakRandom m_random;
    CRect m_board;          // the board's client area on the screen, for this action
    bool m_bSteady = false;  // taps well apart, never a double tap by chance
};
