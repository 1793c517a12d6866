#pragma once
// Makes double clicks out of presses: a press on the same window as the one
// before, within DOUBLE_CLICK_TIME and DOUBLE_CLICK_DISTANCE of it, when the
// window's class asks for double clicks (CS_DBLCLKS).

#include "platform/win/WinDefs.h"

#include <cstdint>

class CDoubleClick {
public:
    static constexpr std::uint32_t DOUBLE_CLICK_TIME = 500;  // ms between the two presses
    static constexpr int DOUBLE_CLICK_DISTANCE = 4;          // pixels either way

    // True when this press is the second of a double click. A press that is
    // not may start one, whatever its class; one that is starts nothing, so
    // a third press starts afresh.
    bool Press(HWND hwnd, UINT classStyle, CPoint screen, std::uint32_t time);
    // A window that goes takes its press with it.
    void Forget(HWND hwnd);

private:
    HWND m_hLast = nullptr;
    std::uint32_t m_nLastTime = 0;
    CPoint m_lastPt;
    bool m_bValid = false;
};
