#include "app/CSolitaireApp.h"

#include "app/CAboutDlg.h"
#include "app/CMainFrame.h"
#include "res/Resource.h"

constexpr MessageEntry CSolitaireApp::s_entries[] = {
    OnCommandEntry<ID_APP_ABOUT, &CSolitaireApp::OnAppAbout>(),
};
constexpr MessageTable CSolitaireApp::s_messageTable{&CWinApp::s_messageTable, s_entries};

const MessageTable* CSolitaireApp::GetMessageMap() const { return &s_messageTable; }

CSolitaireApp::CSolitaireApp() : CWinApp(nullptr) {}

CSolitaireApp::~CSolitaireApp() = default;

bool CSolitaireApp::InitInstance()
{
    SetRegistryKey("Local AppWizard-Generated Applications");
    auto* pFrame = new CMainFrame;  // deals the first game
    m_pMainWnd = pFrame;
    // A refused frame has deleted itself and left no main window, which the
    // framework's main routine reports.
    if (!pFrame->LoadFrame(IDR_MAINFRAME, FWS_ADDTOTITLE, nullptr, nullptr))
        return true;
    pFrame->ShowWindow(m_nCmdShow);
    pFrame->UpdateWindow();
    return true;
}

void CSolitaireApp::OnAppAbout()
{
    CAboutDlg aboutDlg;
    aboutDlg.DoModal();
}

// The one application object, made before the program's main routine.
CSolitaireApp theApp;
