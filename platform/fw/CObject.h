#pragma once
// The root of the framework's classes, with its run-time class record: a
// class knows its name and its base, and whether it can be made by name.

struct CRuntimeClass;
class CObject;

struct CRuntimeClass {
    const char* m_lpszClassName;
    int m_nObjectSize;
    unsigned m_wSchema;                   // 0xFFFF: never stored in an archive
    CObject* (*m_pfnCreateObject)();      // null: cannot be created by name
    const CRuntimeClass* m_pBaseClass;

    bool IsDerivedFrom(const CRuntimeClass* base) const
    {
        for (const CRuntimeClass* c = this; c; c = c->m_pBaseClass)
            if (c == base)
                return true;
        return false;
    }
    CObject* CreateObject() const { return m_pfnCreateObject ? m_pfnCreateObject() : nullptr; }
};

class CObject {
public:
    virtual const CRuntimeClass* GetRuntimeClass() const;
    virtual ~CObject() = default;

    bool IsKindOf(const CRuntimeClass* c) const { return GetRuntimeClass()->IsDerivedFrom(c); }

    static const CRuntimeClass classCObject;

protected:
    CObject() = default;
    CObject(const CObject&) = default;
    CObject& operator=(const CObject&) = default;
};
