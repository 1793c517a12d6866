#include "tests/e2e/CHeadlessProgram.h"

#include "app/CMainFrame.h"
#include "app/CSolitaireApp.h"

CHeadlessProgram::CHeadlessProgram(CBackend* pHost) : m_program(pHost) { m_program.Start(); }

CBoard& CHeadlessProgram::Game() const { return dynamic_cast<CMainFrame&>(*theApp.m_pMainWnd).m_wndBoard.Board(); }
