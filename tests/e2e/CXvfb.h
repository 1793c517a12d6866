#pragma once
// A virtual X server for one group of tests, on the first free display
// number from 90. Stopped, by its process id, when the object goes.

#include "tests/e2e/CChildProcess.h"

#include <string>

class CXvfb {
public:
    static constexpr int kWidth = 1024;
    static constexpr int kHeight = 768;

    CXvfb() = default;
    CXvfb(int nWidth, int nHeight) : m_nWidth(nWidth), m_nHeight(nHeight) {}
    ~CXvfb() { m_server.Stop(); }
    CXvfb(const CXvfb&) = delete;
    CXvfb& operator=(const CXvfb&) = delete;

    // False and why when no server could be started.
    bool Start(std::string* why);
    const std::string& Display() const { return m_strDisplay; }

private:
    int m_nWidth = kWidth;
    int m_nHeight = kHeight;
    CChildProcess m_server;
    std::string m_strDisplay;
};
