#pragma once
// A program started by the probe, in a process group of its own so that it
// and whatever it starts can be stopped together.

#include <sys/resource.h>
#include <sys/types.h>

#include <string>
#include <vector>

class CChild {
public:
    CChild() = default;
    ~CChild();
    CChild(const CChild&) = delete;
    CChild& operator=(const CChild&) = delete;

    // Starts argv[0] (searched in PATH) with the probe's environment. With
    // captureStdout, the child's standard output can be read with ReadAll.
    bool Start(const std::vector<std::string>& argv, bool captureStdout, std::string* error);
    pid_t Pid() const { return m_pid; }
    std::string ReadAll();
    // Waits for the end; the exit status (-1 on a signal) and its resource use.
    int Wait(rusage* usage);
    // SIGTERM to the group, then SIGKILL if it has not gone within the grace.
    void Stop(int graceMs = 2000);

private:
    pid_t m_pid = -1;
    int m_nOutFd = -1;
};
