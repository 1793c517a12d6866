// Writes the program's icon 128, at 32 x 32, as a PNG with transparency for
// the desktop's application menus: the same pixels the window shows as its
// icon, taken from the resources built into the program.

#include "platform/res/ResourceTable.h"
#include "res/ResourceData.h"

#include <zlib.h>

#include <cstdint>
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

namespace {

void PutU32(std::vector<std::uint8_t>& out, std::uint32_t v)
{
    for (int shift = 24; shift >= 0; shift -= 8)
        out.push_back(static_cast<std::uint8_t>(v >> shift));
}

void PutChunk(std::vector<std::uint8_t>& out, const char* type, const std::vector<std::uint8_t>& data)
{
    PutU32(out, static_cast<std::uint32_t>(data.size()));
    const std::size_t start = out.size();
    out.insert(out.end(), type, type + 4);
    out.insert(out.end(), data.begin(), data.end());
    PutU32(out, static_cast<std::uint32_t>(crc32(0, out.data() + start, static_cast<uInt>(out.size() - start))));
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s OUTPUT.png\n", argv[0]);
        return 2;
    }
    InstallResources(CorvaneResourceData());
    std::string error;
    const auto icon = LoadIconResource(128, 32, &error);
    if (!icon) {
        std::fprintf(stderr, "%s: icon 128: %s\n", argv[0], error.c_str());
        return 1;
    }

    // Rows of RGBA, each after filter byte 0.
    std::vector<std::uint8_t> raw;
    for (int y = 0; y < icon->Height(); ++y) {
        raw.push_back(0);
        for (int x = 0; x < icon->Width(); ++x) {
            const Pixel p = icon->color.At(x, y);
            const bool opaque = icon->IsOpaque(x, y);
            raw.push_back(opaque ? static_cast<std::uint8_t>(p >> 16) : 0);
            raw.push_back(opaque ? static_cast<std::uint8_t>(p >> 8) : 0);
            raw.push_back(opaque ? static_cast<std::uint8_t>(p) : 0);
            raw.push_back(opaque ? 0xFF : 0);
        }
    }
    uLongf packedSize = compressBound(static_cast<uLong>(raw.size()));
    std::vector<std::uint8_t> packed(packedSize);
    if (compress2(packed.data(), &packedSize, raw.data(), static_cast<uLong>(raw.size()), Z_BEST_COMPRESSION) != Z_OK) {
        std::fprintf(stderr, "%s: compression failed\n", argv[0]);
        return 1;
    }
    packed.resize(packedSize);

    std::vector<std::uint8_t> png{0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    std::vector<std::uint8_t> header;
    PutU32(header, static_cast<std::uint32_t>(icon->Width()));
    PutU32(header, static_cast<std::uint32_t>(icon->Height()));
    header.insert(header.end(), {8, 6, 0, 0, 0});  // 8-bit RGBA, deflate, no interlace
    PutChunk(png, "IHDR", header);
    PutChunk(png, "IDAT", packed);
    PutChunk(png, "IEND", {});

    std::ofstream out(argv[1], std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(png.data()), static_cast<std::streamsize>(png.size()));
    if (!out) {
        std::fprintf(stderr, "%s: cannot write %s\n", argv[0], argv[1]);
        return 1;
    }
    return 0;
}
