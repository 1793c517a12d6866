#pragma once
// A push button: it looks pressed while the stylus holds it, and tells its
// parent BN_CLICKED when the stylus is lifted over it.

#include "platform/fw/CWnd.h"

class CButton : public CWnd {
public:
    static const char* ClassName();
    const MessageTable* GetMessageMap() const override;
    bool IsPressed() const { return m_bPressed; }

    static const MessageTable s_messageTable;
    static const MessageEntry s_entries[];

private:
    void OnPaint();
    void OnLButtonDown(UINT nFlags, CPoint point);
    void OnMouseMove(UINT nFlags, CPoint point);
    void OnLButtonUp(UINT nFlags, CPoint point);
    void OnSetFocus(CWnd* pOld);
    void OnKillFocus(CWnd* pNew);
    void SetPressed(bool pressed);

    bool m_bPressed = false;
    bool m_bTracking = false;
};
