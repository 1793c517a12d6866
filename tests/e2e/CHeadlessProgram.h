#pragma once
// The whole program on a headless host, started as main() starts it on the
// desktop: window system, resources, InitInstance. Run the message loop
// with theApp.Run(); the windows and the window system go with the object.

#include "app/CProgram.h"
#include "model/CBoard.h"
#include "platform/backend/CBackend.h"

class CHeadlessProgram {
public:
    explicit CHeadlessProgram(CBackend* pHost);

    // The game the main window's board holds.
    CBoard& Game() const;

private:
    CProgram m_program;
};
