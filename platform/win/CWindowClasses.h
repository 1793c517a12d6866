#pragma once
// The registered window classes, by name.

#include "platform/win/WinDefs.h"

#include <map>
#include <string>

class CWindowClasses {
public:
    // False for a nameless class or a name taken already.
    bool Register(const WNDCLASS& wc);
    // Null when no class has the name.
    const WNDCLASS* Find(const char* className) const;

private:
    std::map<std::string, WNDCLASS> m_classes;
};
