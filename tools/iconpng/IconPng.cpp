// Writes the program's icon 128 as a square PNG of any size, for the
// desktop's application menus and the web page's manifest:
//
//   corvane_icon_png SIZE OUTPUT.png [--maskable]
//
// The icon's 16 x 16 or 32 x 32 image, enlarged by the largest whole factor
// that fits and centred, on a clear picture; with --maskable, inside the
// launcher's safe circle on an opaque square of the board's green. The
// pixels are the ones the window shows as its icon, taken from the
// resources built into the program.

#include "platform/res/ResourceTable.h"
#include "res/ResourceData.h"
#include "tools/iconpng/IconPicture.h"
#include "tools/png/PngWriter.h"

#include <cstdio>
#include <string>
#include <string_view>

namespace {

constexpr int kMinSize = 16;  // the icon's smallest image
constexpr int kMaxSize = 4096;

int Usage(const char* program, const std::string& why)
{
    std::fprintf(stderr, "%s: %s (usage: %s SIZE OUTPUT.png [--maskable])\n", program, why.c_str(), program);
    return 2;
}

// SIZE in decimal digits only, so that "32px" or "0x20" are refused, not half read.
int ParseSize(std::string_view text)
{
    if (text.empty() || text.size() > 4)
        return 0;
    int size = 0;
    for (const char c : text) {
        if (c < '0' || c > '9')
            return 0;
        size = size * 10 + (c - '0');
    }
    return size;
}

}  // namespace

int main(int argc, char** argv)
{
    const char* program = argc > 0 ? argv[0] : "corvane_icon_png";
    if (argc < 3 || argc > 4)
        return Usage(program, "wrong number of arguments");
    if (argc == 4 && std::string_view(argv[3]) != "--maskable")
        return Usage(program, std::string("unknown option ") + argv[3]);
    const int size = ParseSize(argv[1]);
    if (size < kMinSize || size > kMaxSize)
        return Usage(program, std::string("SIZE must be a whole number from 16 to 4096, not ") + argv[1]);
    const bool maskable = argc == 4;

    InstallResources(CorvaneResourceData());
    std::string error;
    const auto images = DecodeIcon(FindResource(ResourceType::Icon, 128), &error);
    if (!images) {
        std::fprintf(stderr, "%s: icon 128: %s\n", program, error.c_str());
        return 1;
    }
    const auto picture = DrawIconPicture(*images, size, maskable);
    if (!picture)
        return Usage(program, "icon 128 does not fit " + std::to_string(size) + " pixels" +
                                  (maskable ? " as a maskable icon (30 at least)" : ""));
    if (!WritePng(picture->color, picture->alpha, argv[2], &error)) {
        std::fprintf(stderr, "%s: %s\n", program, error.c_str());
        return 1;
    }
    return 0;
}
