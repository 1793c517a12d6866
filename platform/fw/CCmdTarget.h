#pragma once
// An object that takes commands through its message table.

#include "platform/fw/CObject.h"
#include "platform/fw/MessageMap.h"

// Filled by OnCmdMsg when a caller only asks whether a handler exists.
struct AFX_CMDHANDLERINFO {
    CCmdTarget* pTarget = nullptr;
    const MessageEntry* pEntry = nullptr;
};

class CCmdTarget : public CObject {
public:
    // Looks the command up in this object's tables. With pHandlerInfo given,
    // only reports the handler; otherwise calls it. Nonzero when found.
    virtual bool OnCmdMsg(UINT nID, UINT nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo);
    virtual const MessageTable* GetMessageMap() const;

    static const MessageTable s_messageTable;
};
