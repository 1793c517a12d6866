#pragma once
// The main window: the command bar at the top, the board below it.

#include "platform/fw/CCommandBar.h"
#include "platform/fw/CFrameWnd.h"
#include "view/CBoardView.h"

class CMainFrame : public CFrameWnd {
public:
    CMainFrame();
    const CRuntimeClass* GetRuntimeClass() const override;
    ~CMainFrame() override;
    // The board first, then the frame, then the application object.
    bool OnCmdMsg(UINT nID, UINT nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;
    const MessageTable* GetMessageMap() const override;
    bool PreCreateWindow(CREATESTRUCT& cs) override;

    static const CRuntimeClass classCMainFrame;
    static const MessageTable s_messageTable;
    static const MessageEntry s_entries[];

    CCommandBar m_wndCommandBar;
    CBoardView m_wndBoard;
    const wchar_t* m_apszToolTips[6];

private:
    int OnCreate(CREATESTRUCT* lpCreateStruct);
    void OnSetFocus(CWnd* pOldWnd);
};
