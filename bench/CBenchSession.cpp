#include "bench/CBenchSession.h"

#include "app/CSolitaireApp.h"
#include "platform/runtime/Runtime.h"

CBenchSession::CBenchSession()
{
    // Every run deals the same game.
    crt::SetTimeSource([] { return kDealSecond; });
    m_program.Start();
}

CBenchSession::~CBenchSession() { crt::SetTimeSource({}); }

bool CBenchSession::Run() { return theApp.Run() == 0; }

CMainFrame* CBenchSession::Frame() const { return dynamic_cast<CMainFrame*>(theApp.m_pMainWnd); }
