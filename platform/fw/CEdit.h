#pragma once
// A multi-line edit box. Ours are read-only: the text is wrapped to the box,
// and a vertical scroll bar (WS_VSCROLL) moves it by lines or by pages.

#include "platform/fw/CWnd.h"

#include <string>
#include <vector>

class CEdit : public CWnd {
public:
    static const char* ClassName();
    const MessageTable* GetMessageMap() const override;

    static constexpr int kScrollBarWidth = 13;

    int GetFirstVisibleLine() const { return m_nTopLine; }
    int GetLineCount();
    int GetVisibleLineCount() const;
    void LineScroll(int nLines);
    // The wrapped lines, as they are shown.
    const std::vector<std::string>& WrappedLines();
    // Where the scroll bar's parts lie, in client coordinates.
    CRect UpArrowRect() const;
    CRect DownArrowRect() const;

    static const MessageTable s_messageTable;
    static const MessageEntry s_entries[];

private:
    void OnPaint();
    void OnLButtonDown(UINT nFlags, CPoint point);
    void OnVScroll(UINT nCode, UINT nPos);
    LRESULT OnSetText(WPARAM wParam, LPARAM lParam);
    CRect TextRect() const;
    bool HasScrollBar() const { return (GetStyle() & WS_VSCROLL) != 0; }
    int MaxTopLine();

    int m_nTopLine = 0;
    std::string m_strWrappedFor;
    int m_nWrappedWidth = -1;
    std::vector<std::string> m_aLines;
};
