#pragma once
// The program on whichever host its main opened: the window system, the
// resources, and the application's message loop until the game ends.

class CBackend;

int RunProgram(CBackend* backend);
