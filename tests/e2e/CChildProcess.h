#pragma once
// A program the tests start: its own arguments and environment, its output
// kept in a file, and a bounded wait for its end. Whatever is still running
// when the object goes is killed by its process id.

#include <chrono>
#include <map>
#include <optional>
#include <string>
#include <sys/types.h>
#include <vector>

class CChildProcess {
public:
    // Environment changes on top of ours; an empty value removes the name.
    using Environment = std::map<std::string, std::string>;

    CChildProcess() = default;
    ~CChildProcess();
    CChildProcess(const CChildProcess&) = delete;
    CChildProcess& operator=(const CChildProcess&) = delete;

    // Starts argv[0] (searched in PATH when it has no slash). Standard
    // output and error both go to outputPath. False and why on failure.
    bool Start(const std::vector<std::string>& argv, const Environment& env, const std::string& outputPath,
               std::string* error);
    // Standard input from a pipe the test writes to, instead of /dev/null.
    void KeepInputOpen() { m_bPipeInput = true; }
    bool WriteInput(const std::string& text);

    // The exit status once it ended within the time; -signal if a signal
    // ended it; nothing if it still runs.
    std::optional<int> Wait(std::chrono::milliseconds limit);
    bool Running();
    // SIGTERM, then SIGKILL if it has not gone within the time.
    void Stop(std::chrono::milliseconds grace = std::chrono::milliseconds(2000));
    pid_t Pid() const { return m_nPid; }
    // Processor time used so far, in clock ticks (user + system).
    std::optional<long> CpuTicks() const;
    // How often its threads have been put to sleep and woken so far.
    std::optional<long> ContextSwitches() const;

    // Runs a program to its end within the time; its output as text.
    static std::optional<int> Run(const std::vector<std::string>& argv, const Environment& env,
                                  std::chrono::milliseconds limit, std::string* output);

    static std::string ReadFile(const std::string& path);

private:
    pid_t m_nPid = -1;
    std::optional<int> m_status;
    bool m_bPipeInput = false;
    int m_nInput = -1;
};
