#include "platform/fw/CCmdTarget.h"

constexpr MessageTable CCmdTarget::s_messageTable{nullptr, {}};

const MessageTable* CCmdTarget::GetMessageMap() const { return &s_messageTable; }

bool CCmdTarget::OnCmdMsg(UINT nID, UINT nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo)
{
    const MessageEntry* e = GetMessageMap()->Find(WM_COMMAND, nCode, nID);
    if (!e)
        return false;
    if (pHandlerInfo) {
        pHandlerInfo->pTarget = this;
        pHandlerInfo->pEntry = e;
        return true;
    }
    LRESULT ignored = 0;
    return e->pfn(this, 0, 0, pExtra, &ignored);
}
