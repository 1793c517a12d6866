#pragma once
// A framework window that keeps every message it is sent, in order. Windows
// may share one trace, so that the order across windows shows too. On
// WM_PAINT it fills its client area with its colour, if it has one.

#include "platform/fw/CWnd.h"

#include <initializer_list>
#include <optional>
#include <vector>

class CRecordingWnd : public CWnd {
public:
    explicit CRecordingWnd(std::vector<MSG>* pSharedTrace = nullptr) : m_pSharedTrace(pSharedTrace) {}

    // A child of parent, or a top-level window owned by owner, with a class
    // of its own class style and no background brush.
    bool CreateChild(CWnd* pParent, const CRect& rect, UINT nClassStyle = 0, DWORD dwStyle = WS_VISIBLE,
                     UINT nID = 0);
    bool CreatePopup(CWnd* pOwner, const CRect& rect, UINT nClassStyle = 0, DWORD dwStyle = WS_VISIBLE);

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

    const std::vector<MSG>& Log() const { return m_aLog; }
    // The message numbers received, keeping only those named.
    std::vector<UINT> Messages(std::initializer_list<UINT> only) const;
    void ClearLog() { m_aLog.clear(); }

    void SetPaintColour(std::optional<COLORREF> colour) { m_colour = colour; }
    int PaintCount() const { return m_nPaints; }
    // The paint rectangle of the last WM_PAINT, client coordinates.
    const CRect& LastPaintRect() const { return m_lastPaint; }

private:
    std::vector<MSG>* m_pSharedTrace;
    std::vector<MSG> m_aLog;
    std::optional<COLORREF> m_colour;
    int m_nPaints = 0;
    CRect m_lastPaint;
};
