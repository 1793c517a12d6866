#pragma once

#include "platform/runtime/Runtime.h"

#include <cstdint>
#include <memory>

// Pins the runtime clock for the lifetime of the object, so that a deal is
// known; the system clock comes back when it goes.
class CPinnedClock {
public:
    explicit CPinnedClock(std::int64_t nSeconds) : m_pnSeconds(std::make_shared<std::int64_t>(nSeconds))
    {
        crt::SetTimeSource([pnSeconds = m_pnSeconds] { return *pnSeconds; });
    }
    ~CPinnedClock() { crt::SetTimeSource({}); }

    CPinnedClock(const CPinnedClock&) = delete;
    CPinnedClock& operator=(const CPinnedClock&) = delete;

    void Set(std::int64_t nSeconds) { *m_pnSeconds = nSeconds; }

private:
    std::shared_ptr<std::int64_t> m_pnSeconds;
};
