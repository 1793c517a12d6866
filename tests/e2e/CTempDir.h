#pragma once
// A fresh directory under /tmp for one test, removed with everything in it
// when the object goes. Path() is empty if none could be made.

#include <cstdlib>
#include <filesystem>
#include <string>

class CTempDir {
public:
    CTempDir()
    {
        char path[] = "/tmp/corvane-e2e-XXXXXX";
        if (mkdtemp(path))
            m_strPath = path;
    }
    ~CTempDir()
    {
        std::error_code ignored;
        if (!m_strPath.empty())
            std::filesystem::remove_all(m_strPath, ignored);
    }
    CTempDir(const CTempDir&) = delete;
    CTempDir& operator=(const CTempDir&) = delete;

    const std::string& Path() const { return m_strPath; }

private:
    std::string m_strPath;
};
