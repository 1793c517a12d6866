#pragma once
// Thrown by the window system when a scripted host has no input left. At the
// top level that simply means the script is done; inside a modal loop it
// means a test forgot to answer a question, and the test fails saying which.

#include <stdexcept>
#include <string>

class CScriptExhausted : public std::runtime_error {
public:
    CScriptExhausted(const std::string& modal, int depth)
        : std::runtime_error(depth == 0 ? std::string("scripted input ran out")
                                        : "scripted input ran out inside a modal loop (" + modal + ")"),
          m_strModal(modal), m_nDepth(depth)
    {
    }
    const std::string& Modal() const { return m_strModal; }
    int Depth() const { return m_nDepth; }

private:
    std::string m_strModal;
    int m_nDepth;
};
