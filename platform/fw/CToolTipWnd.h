#pragma once
// The little window that shows a tool button's tooltip. Taps pass through it.

#include "platform/fw/CWnd.h"

#include <string>

class CToolTipWnd : public CWnd {
public:
    // Shows text with its top-left corner near the given screen point.
    bool Show(CWnd* pOwner, const std::string& text, CPoint screen);
    const MessageTable* GetMessageMap() const override;

    static const MessageTable s_messageTable;
    static const MessageEntry s_entries[];

private:
    void OnPaint();
};
