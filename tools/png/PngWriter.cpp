#include "tools/png/PngWriter.h"

#include <zlib.h>

#include <cstdint>
#include <fstream>
#include <vector>

namespace {

void PutU32(std::vector<std::uint8_t>& out, std::uint32_t v)
{
    out.push_back(static_cast<std::uint8_t>(v >> 24));
    out.push_back(static_cast<std::uint8_t>(v >> 16));
    out.push_back(static_cast<std::uint8_t>(v >> 8));
    out.push_back(static_cast<std::uint8_t>(v));
}

void PutChunk(std::vector<std::uint8_t>& out, const char* type, const std::vector<std::uint8_t>& data)
{
    PutU32(out, static_cast<std::uint32_t>(data.size()));
    const std::size_t start = out.size();
    out.insert(out.end(), type, type + 4);
    out.insert(out.end(), data.begin(), data.end());
    const uLong crc = crc32(0, out.data() + start, static_cast<uInt>(out.size() - start));
    PutU32(out, static_cast<std::uint32_t>(crc));
}

bool Fail(std::string* error, const std::string& why)
{
    if (error)
        *error = why;
    return false;
}

// RGB when alpha is empty, RGBA otherwise.
bool WriteRows(const CSurface& surface, std::span<const std::uint8_t> alpha, const std::string& path,
               std::string* error)
{
    const int w = surface.Width();
    const int h = surface.Height();
    const std::size_t channels = alpha.empty() ? 3 : 4;
    std::vector<std::uint8_t> raw;
    raw.reserve(static_cast<std::size_t>(h) * (1 + channels * static_cast<std::size_t>(w)));
    for (int y = 0; y < h; ++y) {
        raw.push_back(0);  // no filter
        for (int x = 0; x < w; ++x) {
            const Pixel p = surface.At(x, y);
            raw.push_back(static_cast<std::uint8_t>(p >> 16));
            raw.push_back(static_cast<std::uint8_t>(p >> 8));
            raw.push_back(static_cast<std::uint8_t>(p));
            if (!alpha.empty())
                raw.push_back(alpha[static_cast<std::size_t>(y) * static_cast<std::size_t>(w) + static_cast<std::size_t>(x)]);
        }
    }
    uLongf packedSize = compressBound(static_cast<uLong>(raw.size()));
    std::vector<std::uint8_t> packed(packedSize);
    if (compress2(packed.data(), &packedSize, raw.data(), static_cast<uLong>(raw.size()), 9) != Z_OK)
        return Fail(error, "could not compress the picture");
    packed.resize(packedSize);

    std::vector<std::uint8_t> file(kPngSignature.begin(), kPngSignature.end());
    std::vector<std::uint8_t> header;
    PutU32(header, static_cast<std::uint32_t>(w));
    PutU32(header, static_cast<std::uint32_t>(h));
    header.insert(header.end(), {8, static_cast<std::uint8_t>(alpha.empty() ? 2 : 6), 0, 0, 0});  // 8-bit RGB or RGBA
    PutChunk(file, "IHDR", header);
    PutChunk(file, "IDAT", packed);
    PutChunk(file, "IEND", {});
    std::ofstream out(path, std::ios::binary);
    if (!out)
        return Fail(error, "cannot write " + path);
    out.write(reinterpret_cast<const char*>(file.data()), static_cast<std::streamsize>(file.size()));
    return static_cast<bool>(out) || Fail(error, "cannot write " + path);
}

}  // namespace

bool WritePng(const CSurface& surface, const std::string& path, std::string* error)
{
    return WriteRows(surface, {}, path, error);
}

bool WritePng(const CSurface& surface, std::span<const std::uint8_t> alpha, const std::string& path,
              std::string* error)
{
    if (alpha.size() != surface.Pixels().size())
        return Fail(error, "the transparency does not match the picture's size");
    return WriteRows(surface, alpha, path, error);
}
