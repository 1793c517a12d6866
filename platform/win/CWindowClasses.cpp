#include "platform/win/CWindowClasses.h"

bool CWindowClasses::Register(const WNDCLASS& wc)
{
    if (!wc.lpszClassName || !*wc.lpszClassName)
        return false;
    auto [it, inserted] = m_classes.try_emplace(wc.lpszClassName, wc);
    // The name is ours to keep: the caller's string may not live as long.
    if (inserted)
        it->second.lpszClassName = it->first.c_str();
    return inserted;
}

const WNDCLASS* CWindowClasses::Find(const char* className) const
{
    if (!className)
        return nullptr;
    auto it = m_classes.find(className);
    return it == m_classes.end() ? nullptr : &it->second;
}
