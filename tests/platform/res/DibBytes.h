#pragma once
// Writes small .bmp and .ico files for the reader tests, field by field, so
// that a test can build a good file and then break one field of it.

#include "platform/gfx/Color.h"

#include <cstdint>
#include <vector>

namespace dibtest {

using Bytes = std::vector<std::uint8_t>;

// Offsets of the fields that the tests patch.
inline constexpr std::size_t kFileSize = 2;
inline constexpr std::size_t kPixelOffset = 10;
inline constexpr std::size_t kInfo = 14;  // the info header within a .bmp
inline constexpr std::size_t kHeaderSize = 0, kWidth = 4, kHeight = 8, kPlanes = 12, kBitCount = 14,
                             kCompression = 16, kColorsUsed = 32;  // within the info header

inline void PutU16(Bytes& b, std::size_t at, unsigned v)
{
    b[at] = static_cast<std::uint8_t>(v);
    b[at + 1] = static_cast<std::uint8_t>(v >> 8);
}

inline void PutU32(Bytes& b, std::size_t at, std::uint32_t v)
{
    PutU16(b, at, v & 0xFFFF);
    PutU16(b, at + 2, v >> 16);
}

inline void AppendU32(Bytes& b, std::uint32_t v)
{
    b.resize(b.size() + 4);
    PutU32(b, b.size() - 4, v);
}

struct DibPicture {
    int width = 0;
    int height = 0;  // as seen; the rows below are listed top row first
    int bitCount = 4;
    bool topDown = false;
    std::vector<Pixel> palette;               // written as the colour table
    std::uint32_t colorsUsed = 0;             // the stored count; 0 means "all"
    std::vector<std::vector<std::uint32_t>> rows;  // indices, or 0xAARRGGBB for 24/32 bits
};

inline std::size_t Stride(int width, int bits) { return static_cast<std::size_t>((width * bits + 31) / 32 * 4); }

// The info header, colour table and pixel rows; storedHeight is written as is.
inline Bytes MakeDib(const DibPicture& s, int storedHeight)
{
    Bytes b(40, 0);
    PutU32(b, kHeaderSize, 40);
    PutU32(b, kWidth, static_cast<std::uint32_t>(s.width));
    PutU32(b, kHeight, static_cast<std::uint32_t>(storedHeight));
    PutU16(b, kPlanes, 1);
    PutU16(b, kBitCount, static_cast<unsigned>(s.bitCount));
    PutU32(b, kColorsUsed, s.colorsUsed);
    for (Pixel p : s.palette) {
        b.push_back(static_cast<std::uint8_t>(p));
        b.push_back(static_cast<std::uint8_t>(p >> 8));
        b.push_back(static_cast<std::uint8_t>(p >> 16));
        b.push_back(0);
    }
    const std::size_t stride = Stride(s.width, s.bitCount);
    for (int i = 0; i < s.height; ++i) {
        const auto& row = s.rows[static_cast<std::size_t>(s.topDown ? i : s.height - 1 - i)];
        Bytes out(stride, 0);
        for (int x = 0; x < s.width; ++x) {
            const std::uint32_t v = row[static_cast<std::size_t>(x)];
            if (s.bitCount >= 24) {
                const std::size_t at = static_cast<std::size_t>(x * s.bitCount / 8);
                out[at] = static_cast<std::uint8_t>(v);
                out[at + 1] = static_cast<std::uint8_t>(v >> 8);
                out[at + 2] = static_cast<std::uint8_t>(v >> 16);
                if (s.bitCount == 32)
                    out[at + 3] = static_cast<std::uint8_t>(v >> 24);
            } else {
                const int bit = x * s.bitCount;
                out[static_cast<std::size_t>(bit / 8)] |= static_cast<std::uint8_t>(v << (8 - s.bitCount - bit % 8));
            }
        }
        b.insert(b.end(), out.begin(), out.end());
    }
    return b;
}

inline Bytes MakeBmp(const DibPicture& s)
{
    const Bytes dib = MakeDib(s, s.topDown ? -s.height : s.height);
    Bytes b(14, 0);
    b[0] = 'B';
    b[1] = 'M';
    PutU32(b, kFileSize, static_cast<std::uint32_t>(14 + dib.size()));
    PutU32(b, kPixelOffset, static_cast<std::uint32_t>(14 + 40 + 4 * s.palette.size()));
    b.insert(b.end(), dib.begin(), dib.end());
    return b;
}

// An icon image: the colour DIB with doubled height, then the AND mask rows
// (1 = transparent), listed top row first.
inline Bytes MakeIconImage(const DibPicture& s, const std::vector<std::vector<int>>& mask)
{
    Bytes b = MakeDib(s, 2 * s.height);
    const std::size_t stride = Stride(s.width, 1);
    for (int i = s.height - 1; i >= 0; --i) {
        Bytes out(stride, 0);
        for (int x = 0; x < s.width; ++x)
            if (mask[static_cast<std::size_t>(i)][static_cast<std::size_t>(x)])
                out[static_cast<std::size_t>(x / 8)] |= static_cast<std::uint8_t>(0x80 >> (x % 8));
        b.insert(b.end(), out.begin(), out.end());
    }
    return b;
}

inline Bytes MakeIco(const std::vector<Bytes>& images, const std::vector<int>& sizes)
{
    Bytes b(6 + 16 * images.size(), 0);
    PutU16(b, 2, 1);
    PutU16(b, 4, static_cast<unsigned>(images.size()));
    std::uint32_t offset = static_cast<std::uint32_t>(b.size());
    for (std::size_t i = 0; i < images.size(); ++i) {
        const std::size_t e = 6 + 16 * i;
        b[e] = static_cast<std::uint8_t>(sizes[i]);
        b[e + 1] = static_cast<std::uint8_t>(sizes[i]);
        PutU16(b, e + 4, 1);
        PutU32(b, e + 8, static_cast<std::uint32_t>(images[i].size()));
        PutU32(b, e + 12, offset);
        offset += static_cast<std::uint32_t>(images[i].size());
    }
    for (const Bytes& image : images)
        b.insert(b.end(), image.begin(), image.end());
    return b;
}

}  // namespace dibtest
