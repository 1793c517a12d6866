#pragma once
// A window object of the framework: it owns a window of the window system and
// answers its messages through the message tables.

#include "platform/fw/CCmdTarget.h"
#include "platform/win/WinApi.h"

#include <string>

class CDC;

// Registers (once) a window class with these attributes and returns its name.
const char* AfxRegisterWndClass(UINT nClassStyle, const void* hCursor = nullptr, std::uintptr_t hbrBackground = 0,
                                const void* hIcon = nullptr);
// Registers a named class of framework windows unless the window system
// knows it already; returns the name.
const char* AfxEnsureClass(const char* name, UINT nClassStyle = 0, std::uintptr_t hbrBackground = 0);
// The window procedure of every framework window.
LRESULT AfxWndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);

class CWnd : public CCmdTarget {
public:
    CWnd();
    ~CWnd() override;
    CWnd(const CWnd&) = delete;
    CWnd& operator=(const CWnd&) = delete;

    HWND m_hWnd = nullptr;

    static CWnd* FromHandle(HWND hwnd);  // null when no framework object owns it
    HWND GetSafeHwnd() const { return m_hWnd; }

    virtual bool PreCreateWindow(CREATESTRUCT& cs);
    virtual bool Create(const char* lpszClassName, const char* lpszWindowName, DWORD dwStyle, const CRect& rect,
                        CWnd* pParentWnd, UINT nID, void* pContext = nullptr);
    // False when the window was not made; PostNcDestroy has run then, so an
    // object that deletes itself (a frame) is gone and must not be touched.
    bool CreateEx(DWORD dwExStyle, const char* lpszClassName, const char* lpszWindowName, DWORD dwStyle,
                  const CRect& rect, CWnd* pParentOrOwner, UINT nID, void* lpParam = nullptr);
    virtual bool DestroyWindow();
    // Takes over a window that exists already (a dialog's control).
    bool SubclassWindow(HWND hwnd);
    bool SubclassDlgItem(UINT nID, CWnd* pParent);
    HWND Detach();

    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    virtual bool OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult);
    virtual LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    virtual bool OnCommand(WPARAM wParam, LPARAM lParam);
    virtual void PostNcDestroy();
    const MessageTable* GetMessageMap() const override;

    // Window state.
    bool ShowWindow(int nCmdShow);
    void UpdateWindow();
    bool IsWindowVisible() const;
    bool EnableWindow(bool bEnable = true);
    bool IsWindowEnabled() const;
    void SetWindowText(const std::string& text);
    std::string GetWindowText() const;
    DWORD GetStyle() const;
    DWORD GetExStyle() const;
    bool ModifyStyle(DWORD dwRemove, DWORD dwAdd);
    void MoveWindow(const CRect& rect, bool bRepaint = true);
    void GetClientRect(CRect* rect) const;
    void GetWindowRect(CRect* rect) const;
    void Invalidate(bool bErase = true);
    void InvalidateRect(const CRect* rect, bool bErase = true);
    CWnd* SetFocus();
    static CWnd* GetFocus();
    CWnd* GetParent() const;
    CWnd* GetOwner() const;
    CWnd* GetDlgItem(int nID) const;
    int GetDlgCtrlID() const;
    CWnd* GetTopLevelParent() const;
    void CenterWindow(CWnd* pAlternateOwner = nullptr);

    LRESULT SendMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0);
    bool PostMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0);
    void SendMessageToDescendants(UINT message, WPARAM wParam = 0, LPARAM lParam = 0);

    CDC* GetDC();
    int ReleaseDC(CDC* pDC);

    // A modal question owned by this window; returns IDYES, IDNO, IDOK ...
    int MessageBox(const char* lpszText, const char* lpszCaption = nullptr, UINT nType = MB_OK);

    // Runs messages until EndModalLoop; the caller disables what it must.
    int RunModalLoop(const std::string& what);
    void EndModalLoop(int nResult);
    bool IsInModalLoop() const { return m_bInModalLoop; }

    static const MessageTable s_messageTable;

protected:
    // Frees the object when its window goes (controls a dialog made itself).
    bool m_bAutoDelete = false;

private:
    void Attach(HWND hwnd);

    bool m_bInModalLoop = false;
    int m_nModalResult = 0;
};
