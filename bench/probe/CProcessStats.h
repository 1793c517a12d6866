#pragma once
// What the kernel says of a running process: CPU time used by all its
// threads, and resident memory.

#include <sys/types.h>

#include <cstdint>
#include <optional>

class CProcessStats {
public:
    explicit CProcessStats(pid_t pid) : m_pid(pid) {}

    // CPU time so far, counted two ways: the threads' schedstat, to the
    // nanosecond but blind to threads that have ended, and the process's
    // own tick count, which keeps them but moves in 10 ms steps.
    struct CpuSample {
        std::int64_t threadsNs = 0;
        std::int64_t ticksNs = 0;
    };
    std::optional<CpuSample> Cpu() const;
    // CPU used between two samples: the fine count, unless the coarse one
    // shows more than its own rounding can explain (threads that ended).
    static std::int64_t CpuBetween(const CpuSample& from, const CpuSample& to);
    // VmRSS in kB.
    std::optional<long> RssKb() const;

private:
    pid_t m_pid;
};
