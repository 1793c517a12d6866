#include "tests/e2e/CMarkedHost.h"

void CMarkedHost::MarkHere(std::function<void()> at) { m_marks[Pending()].push_back(std::move(at)); }

WaitResult CMarkedHost::WaitEvent(std::optional<std::uint32_t> deadline, CInputEvent& out)
{
    if (auto it = m_marks.find(m_nTotal - Pending()); it != m_marks.end())
        for (const auto& at : it->second)
            at();
    return CHeadlessBackend::WaitEvent(deadline, out);
}
