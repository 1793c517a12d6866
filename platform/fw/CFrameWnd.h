#pragma once
// The main window: it covers the screen, keeps its control bars at the top
// and its pane (the child with AFX_IDW_PANE_FIRST) in the rest.

#include "platform/fw/CControlBar.h"
#include "platform/fw/CWnd.h"

inline constexpr DWORD FWS_ADDTOTITLE = 0x00008000;

class CFrameWnd : public CWnd {
public:
    CFrameWnd();
    ~CFrameWnd() override;

    const CRuntimeClass* GetRuntimeClass() const override;
    // Creates the window from resource nIDResource: its title is the first
    // field of that string, its host icon that icon. False when the window
    // was refused: the frame has deleted itself.
    virtual bool LoadFrame(UINT nIDResource, DWORD dwDefaultStyle = FWS_ADDTOTITLE, CWnd* pParentWnd = nullptr,
                           void* pContext = nullptr);
    bool PreCreateWindow(CREATESTRUCT& cs) override;
    // The frame's own tables, then the application's.
    bool OnCmdMsg(UINT nID, UINT nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;
    const MessageTable* GetMessageMap() const override;
    virtual void RecalcLayout();

    static const CRuntimeClass classCFrameWnd;
    static const MessageTable s_messageTable;
    static const MessageEntry s_entries[];

protected:
    int OnCreate(CREATESTRUCT* lpCreateStruct);
    void OnSetFocus(CWnd* pOldWnd);
    void PostNcDestroy() override;

private:
    void OnSize(UINT nType, int cx, int cy);
    void OnDestroy();
    LRESULT OnIdleUpdateCmdUI(WPARAM wParam, LPARAM lParam);
};
