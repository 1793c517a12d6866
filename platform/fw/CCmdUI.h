#pragma once
// One command-enable query: the framework asks the handlers of an id whether
// its menu item or tool button is enabled, and shows the answer.

#include "platform/fw/CCmdTarget.h"

#include <functional>

class CCmdUI {
public:
    UINT m_nID = 0;
    bool m_bEnableChanged = false;
    bool m_bEnabled = true;

    void Enable(bool bOn = true)
    {
        m_bEnabled = bOn;
        m_bEnableChanged = true;
    }

    // Routes the query through target. With no enable handler, an item is
    // enabled exactly when some handler takes its command.
    bool DoUpdate(CCmdTarget* target)
    {
        m_bEnableChanged = false;
        if (target->OnCmdMsg(m_nID, CN_UPDATE_COMMAND_UI, this, nullptr) && m_bEnableChanged)
            return m_bEnabled;
        AFX_CMDHANDLERINFO info;
        m_bEnabled = target->OnCmdMsg(m_nID, CN_COMMAND, nullptr, &info);
        return m_bEnabled;
    }
};
