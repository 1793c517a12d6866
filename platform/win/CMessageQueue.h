#pragma once
// Posted messages, first in first out, and the quit request, which comes
// out only once the posted messages are gone.

#include "platform/win/WinDefs.h"

#include <deque>
#include <optional>

class CMessageQueue {
public:
    void Post(const MSG& msg) { m_queue.push_back(msg); }
    void PostQuit(int exitCode) { m_quitCode = exitCode; }
    bool IsEmpty() const { return m_queue.empty() && !m_quitCode; }
    // The next posted message, if any.
    bool Take(MSG* msg);
    // The quit request's exit code, once.
    std::optional<int> TakeQuit();
    // What was posted to a window that goes is never delivered.
    void Forget(HWND hwnd);

private:
    std::deque<MSG> m_queue;
    std::optional<int> m_quitCode;
};
