// Feeds bytes to the whole program as stylus events (see CFuzzInputBackend):
// whatever arrives, the game stays whole and the screen shows it, and
// nothing crashes, leaks or reads out of bounds.

#include "app/CProgram.h"
#include "app/CSolitaireApp.h"
#include "fuzz/CFuzzInputBackend.h"
#include "platform/runtime/Runtime.h"
#include "platform/win/CScriptExhausted.h"
#include "platform/win/WinApi.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    CFuzzInputBackend host({data, size});
    // Deals follow the host's clock, so that every input deals the same.
    crt::SetTimeSource([&host] { return std::int64_t{1765372800} + host.Now() / 1000; });
    {
        CProgram program(&host);
        WsSetDispatchHook([&host](const MSG& msg) { host.OnDispatch(msg); });
        program.Start();
        try {
            theApp.Run();
        } catch (const CScriptExhausted&) {
            // The input is used up, perhaps with a question still open: the
            // modal loops have unwound and closed their windows.
        }
    }
    crt::SetTimeSource({});
    return 0;
}
