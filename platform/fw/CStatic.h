#pragma once
// Static text, or an icon.

#include "platform/fw/CWnd.h"

class CStatic : public CWnd {
public:
    static const char* ClassName();
    const MessageTable* GetMessageMap() const override;
    // For SS_ICON: the icon resource to show.
    void SetIconId(UINT id) { m_nIconId = id; }

    static const MessageTable s_messageTable;
    static const MessageEntry s_entries[];

private:
    void OnPaint();

    UINT m_nIconId = 0;
};
