#pragma once
// The program on one host, started the same way by every main, test session
// and tool that runs it: the window system on that host, the built-in
// resources, and the application object with no main window yet. Run() is
// the framework's main routine, InitInstance and then the message loop. A
// caller that drives the loop itself calls Start() for InitInstance alone and
// then theApp.Run(). What is left of the main window, and the window system,
// go with the object.

class CBackend;

class CProgram {
public:
    explicit CProgram(CBackend* pHost);
    ~CProgram();
    CProgram(const CProgram&) = delete;
    CProgram& operator=(const CProgram&) = delete;

    // The exit status: the message loop's, or 1 when there was nothing to run.
    int Run();
    void Start();
};
