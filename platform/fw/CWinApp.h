#pragma once
// The application object: one per program. The framework's main routine
// calls InitInstance, then runs the message loop until the main window goes.

#include "platform/fw/CCmdTarget.h"

#include <string>

class CWnd;

class CWinApp : public CCmdTarget {
public:
    explicit CWinApp(const char* lpszAppName = nullptr);
    ~CWinApp() override;
    CWinApp(const CWinApp&) = delete;
    CWinApp& operator=(const CWinApp&) = delete;

    virtual bool InitInstance();
    virtual int Run();
    // Between messages: refreshes the command-enable state of the main
    // window's bars. Returns whether more idle work is wanted.
    virtual bool OnIdle(long lCount);
    virtual int ExitInstance();

    // Records the registry root; nothing is ever read or written there.
    void SetRegistryKey(const char* lpszRegistryKey);
    const std::string& GetRegistryKey() const { return m_strRegistryKey; }

    CWnd* m_pMainWnd = nullptr;
    int m_nCmdShow = SW_SHOWNORMAL;
    const char* m_pszAppName;

private:
    std::string m_strRegistryKey;
};

CWinApp* AfxGetApp();
CWnd* AfxGetMainWnd();
// The framework's main routine: InitInstance, then the message loop; returns
// the exit status.
int AfxWinMain();
