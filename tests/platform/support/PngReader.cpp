#include "tests/platform/support/PngReader.h"

#include "tools/png/PngWriter.h"

#include <zlib.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <iterator>

namespace {

std::uint32_t GetU32(const std::uint8_t* p)
{
    return (std::uint32_t{p[0]} << 24) | (std::uint32_t{p[1]} << 16) | (std::uint32_t{p[2]} << 8) | p[3];
}

bool Fail(std::string* error, const std::string& why)
{
    if (error)
        *error = why;
    return false;
}

int Paeth(int a, int b, int c)
{
    const int p = a + b - c;
    const int pa = std::abs(p - a);
    const int pb = std::abs(p - b);
    const int pc = std::abs(p - c);
    if (pa <= pb && pa <= pc)
        return a;
    return pb <= pc ? b : c;
}

}  // namespace

std::optional<CSurface> ReadPng(const std::string& path, std::string* error, std::vector<std::uint8_t>* alpha)
{
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        Fail(error, "cannot read " + path);
        return std::nullopt;
    }
    const std::vector<std::uint8_t> file{std::istreambuf_iterator<char>(in), {}};
    if (file.size() < 8 || !std::equal(kPngSignature.begin(), kPngSignature.end(), file.begin())) {
        Fail(error, path + " is not a PNG file");
        return std::nullopt;
    }
    std::uint32_t width = 0, height = 0;
    int channels = 0;
    std::vector<std::uint8_t> packed;
    for (std::size_t pos = 8; pos + 12 <= file.size();) {
        const std::uint32_t length = GetU32(&file[pos]);
        if (length > file.size() - pos - 12) {
            Fail(error, path + ": a chunk runs past the end");
            return std::nullopt;
        }
        const std::string type(reinterpret_cast<const char*>(&file[pos + 4]), 4);
        const std::uint8_t* data = &file[pos + 8];
        if (type == "IHDR" && length >= 13) {
            width = GetU32(data);
            height = GetU32(data + 4);
            const int depth = data[8];
            const int colour = data[9];
            if (depth != 8 || (colour != 2 && colour != 6) || data[12] != 0 || width == 0 || height == 0 ||
                width > 4096 || height > 4096) {
                Fail(error, path + ": only 8-bit RGB or RGBA pictures without interlacing are read");
                return std::nullopt;
            }
            channels = colour == 2 ? 3 : 4;
        } else if (type == "IDAT") {
            packed.insert(packed.end(), data, data + length);
        } else if (type == "IEND") {
            break;
        }
        pos += 12 + length;
    }
    if (!channels) {
        Fail(error, path + ": no picture header");
        return std::nullopt;
    }
    const std::size_t stride = static_cast<std::size_t>(width) * static_cast<std::size_t>(channels);
    std::vector<std::uint8_t> raw((stride + 1) * height);
    uLongf rawSize = static_cast<uLongf>(raw.size());
    if (uncompress(raw.data(), &rawSize, packed.data(), static_cast<uLong>(packed.size())) != Z_OK ||
        rawSize != raw.size()) {
        Fail(error, path + ": the picture data is damaged");
        return std::nullopt;
    }
    CSurface surface(static_cast<int>(width), static_cast<int>(height));
    if (alpha)
        alpha->assign(static_cast<std::size_t>(width) * height, 0xFF);
    std::vector<std::uint8_t> prev(stride, 0), cur(stride);
    for (std::uint32_t y = 0; y < height; ++y) {
        const std::uint8_t* row = &raw[y * (stride + 1)];
        const int filter = row[0];
        for (std::size_t i = 0; i < stride; ++i) {
            const int a = i >= static_cast<std::size_t>(channels) ? cur[i - static_cast<std::size_t>(channels)] : 0;
            const int b = prev[i];
            const int c = i >= static_cast<std::size_t>(channels) ? prev[i - static_cast<std::size_t>(channels)] : 0;
            int v = row[1 + i];
            switch (filter) {
            case 0: break;
            case 1: v += a; break;
            case 2: v += b; break;
            case 3: v += (a + b) / 2; break;
            case 4: v += Paeth(a, b, c); break;
            default:
                Fail(error, path + ": unknown row filter");
                return std::nullopt;
            }
            cur[i] = static_cast<std::uint8_t>(v);
        }
        for (std::uint32_t x = 0; x < width; ++x) {
            const std::uint8_t* p = &cur[x * static_cast<std::uint32_t>(channels)];
            surface.Set(static_cast<int>(x), static_cast<int>(y), PixelFromRGB(p[0], p[1], p[2]));
            if (alpha && channels == 4)
                (*alpha)[static_cast<std::size_t>(y) * width + x] = p[3];
        }
        prev.swap(cur);
    }
    return surface;
}
