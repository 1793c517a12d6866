// Corvane in a browser: the handheld's 240 x 320 screen in the page's canvas.
// The page starts the module with the canvas set and, for tests only,
// "--time SECONDS" to pin the clock so that the deal is known.

#include "app/CProgram.h"
#include "platform/backend/web/CWebBackend.h"
#include "platform/runtime/Runtime.h"
#include "web/CDealWatch.h"

#include <charconv>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <optional>
#include <string_view>

namespace {

// Whole seconds since 1970, digits only.
std::optional<std::int64_t> ParseSeconds(std::string_view text)
{
    std::int64_t value = 0;
    const char* end = text.data() + text.size();
    const auto [ptr, ec] = std::from_chars(text.data(), end, value);
    if (text.empty() || text.front() == '-' || ec != std::errc{} || ptr != end)
        return std::nullopt;
    return value;
}

int Play(int argc, char** argv)
{
    std::optional<std::int64_t> pinned;
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        if (arg == "--time" && i + 1 < argc) {
            const auto seconds = ParseSeconds(argv[++i]);
            if (!seconds) {
                std::fprintf(stderr, "corvane: --time takes whole seconds since 1970, not '%s'\n", argv[i]);
                return 2;
            }
            pinned = seconds;
        } else {
            std::fprintf(stderr, "corvane: unknown argument '%s'\n", argv[i]);
            return 2;
        }
    }
    if (!CWebBackend::HasCanvas()) {
        std::fprintf(stderr, "corvane: the page gave no canvas to draw into\n");
        return 1;
    }
    CWebBackend backend;
    CDealWatch watch(backend);
    // The only reading of the time in seconds is a deal's.
    crt::SetTimeSource([&] { return watch.OnDeal(pinned ? *pinned : static_cast<std::int64_t>(std::time(nullptr))); });
    backend.SetCheckpoint([&] { watch.Look(); });
    const int status = CProgram(&backend).Run();
    crt::SetTimeSource({});
    return status;
}

}  // namespace

int main(int argc, char** argv)
{
    // A main that Asyncify has suspended and resumed loses its return value
    // on the way out, so the status goes to the page through exit.
    std::exit(Play(argc, argv));
}
