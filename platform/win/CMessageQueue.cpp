#include "platform/win/CMessageQueue.h"

#include <algorithm>

bool CMessageQueue::Take(MSG* msg)
{
    if (m_queue.empty())
        return false;
    *msg = m_queue.front();
    m_queue.pop_front();
    return true;
}

std::optional<int> CMessageQueue::TakeQuit()
{
    std::optional<int> code = m_quitCode;
    m_quitCode.reset();
    return code;
}

void CMessageQueue::Forget(HWND hwnd)
{
    std::erase_if(m_queue, [hwnd](const MSG& m) { return m.hwnd == hwnd; });
}
