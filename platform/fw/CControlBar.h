#pragma once
// A bar that the frame lays out along its top, above the pane.

#include "platform/fw/CWnd.h"

// Bar styles.
inline constexpr DWORD CBRS_SIZE_FIXED = 0x0002;
inline constexpr DWORD CBRS_TOOLTIPS = 0x0010;
inline constexpr DWORD CBRS_FLYBY = 0x0020;
inline constexpr DWORD CBRS_BORDER_BOTTOM = 0x0800;
inline constexpr DWORD CBRS_ALIGN_TOP = 0x2000;
inline constexpr DWORD CBRS_TOP = CBRS_ALIGN_TOP | CBRS_BORDER_BOTTOM;

// Window ids of the frame's parts.
inline constexpr UINT AFX_IDW_TOOLBAR = 0xE800;
inline constexpr UINT AFX_IDW_PANE_FIRST = 0xE900;

class CControlBar : public CWnd {
public:
    DWORD GetBarStyle() const { return m_dwStyle; }
    void SetBarStyle(DWORD dwStyle) { m_dwStyle = dwStyle; }
    // The height the bar needs at the top of the frame.
    virtual int CalcHeight() const = 0;

protected:
    DWORD m_dwStyle = 0;
};
