#pragma once
// The whole program on a headless host, started as main() starts it on the
// desktop: window system, resources, InitInstance. Run the message loop
// with theApp.Run(); the windows and the window system go with the object.

#include "model/CBoard.h"
#include "platform/backend/CBackend.h"

class CHeadlessProgram {
public:
    explicit CHeadlessProgram(CBackend* pHost);
    ~CHeadlessProgram();
    CHeadlessProgram(const CHeadlessProgram&) = delete;
    CHeadlessProgram& operator=(const CHeadlessProgram&) = delete;

    // The game the main window's board holds.
    CBoard& Game() const;
};
