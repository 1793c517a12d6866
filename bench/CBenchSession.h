#pragma once
// The whole program started in this process on a CBenchHost, as the
// executable starts it: window system, built-in resources, InitInstance.
// Run() plays the message loop until the host's feeder closes the program.

#include "app/CMainFrame.h"
#include "app/CProgram.h"
#include "bench/CBenchHost.h"

class CBenchSession {
public:
    static constexpr std::int64_t kDealSecond = 1765372800;

    CBenchSession();
    ~CBenchSession();
    CBenchSession(const CBenchSession&) = delete;
    CBenchSession& operator=(const CBenchSession&) = delete;

    CBenchHost& Host() { return m_host; }
    // False when the program ended on anything but the host's close.
    bool Run();
    // Null once the main window is gone.
    CMainFrame* Frame() const;

    // Runs fn(*this) the first time the program waits for input, with
    // everything started and the first frame shown, then closes the
    // program. False if fn never ran or the program did not end cleanly.
    template <typename Fn>
    bool RunWhenIdle(Fn&& fn)
    {
        bool ran = false;
        m_host.SetFeeder([&](CInputEvent&) {
            if (!ran) {
                ran = true;
                fn(*this);
            }
            return false;
        });
        return Run() && ran;
    }

    // Board pixels to screen pixels: the board sits below the command bar.
    static CPoint BoardPoint(int x, int y) { return {x, y + CCommandBar::kHeight}; }

private:
    CBenchHost m_host;
    CProgram m_program{&m_host};
};
