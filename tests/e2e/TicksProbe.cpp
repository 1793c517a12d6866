// Reports what a program sees of the two clocks under faketime: the
// second, pinned for the deal, and SDL's milliseconds, which double taps
// need to keep running. It reads both, waits for a line on its input, and
// reads both again.

#include <SDL.h>

#include <cstdio>
#include <ctime>

int main()
{
    if (SDL_Init(SDL_INIT_TIMER) != 0) {
        std::fprintf(stderr, "SDL_Init: %s\n", SDL_GetError());
        return 1;
    }
    const Uint32 before = SDL_GetTicks();
    const long long firstSecond = static_cast<long long>(std::time(nullptr));
    char line[16];
    if (!std::fgets(line, sizeof line, stdin))
        return 1;
    const Uint32 after = SDL_GetTicks();
    const long long lastSecond = static_cast<long long>(std::time(nullptr));
    std::printf("seconds %lld %lld ticks %u\n", firstSecond, lastSecond, static_cast<unsigned>(after - before));
    SDL_Quit();
    return 0;
}
