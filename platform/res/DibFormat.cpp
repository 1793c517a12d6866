#include "platform/res/DibFormat.h"

namespace dib {

namespace {

constexpr std::size_t kInfoHeaderSize = 40;
constexpr std::size_t kBitFieldsSize = 12;

bool IsKnownHeaderSize(std::uint32_t size)
{
    // BITMAPINFOHEADER and its V2, V3, V4 and V5 successors; the fields we
    // read sit at the same offsets in all of them.
    return size == 40 || size == 52 || size == 56 || size == 108 || size == 124;
}

const char* CompressionName(std::uint32_t compression)
{
    switch (compression) {
    case 1: return "RLE8";
    case 2: return "RLE4";
    case 4: return "JPEG";
    case 5: return "PNG";
    default: return "unknown";
    }
}

}  // namespace

std::uint16_t ReadU16(std::span<const std::uint8_t> bytes, std::size_t offset)
{
    if (offset > bytes.size() || bytes.size() - offset < 2)
        return 0;
    return static_cast<std::uint16_t>(bytes[offset] | (bytes[offset + 1] << 8));
}

std::uint32_t ReadU32(std::span<const std::uint8_t> bytes, std::size_t offset)
{
    if (offset > bytes.size() || bytes.size() - offset < 4)
        return 0;
    return static_cast<std::uint32_t>(bytes[offset]) | (static_cast<std::uint32_t>(bytes[offset + 1]) << 8) |
           (static_cast<std::uint32_t>(bytes[offset + 2]) << 16) | (static_cast<std::uint32_t>(bytes[offset + 3]) << 24);
}

std::optional<InfoHeader> ReadInfoHeader(std::span<const std::uint8_t> bytes, int heightDivisor, int maxDimension,
                                         std::string& error)
{
    if (bytes.size() < 4) {
        error = "truncated before the info header";
        return std::nullopt;
    }
    InfoHeader header;
    header.nSize = ReadU32(bytes, 0);
    if (header.nSize == 12) {
        error = "OS/2 core headers (12 bytes) are not supported";
        return std::nullopt;
    }
    if (!IsKnownHeaderSize(header.nSize)) {
        error = "unknown info header size " + std::to_string(header.nSize);
        return std::nullopt;
    }
    if (bytes.size() < header.nSize) {
        error = "truncated info header (" + std::to_string(bytes.size()) + " of " + std::to_string(header.nSize) +
                " bytes)";
        return std::nullopt;
    }

    // Signed 32-bit fields, widened so that negating INT32_MIN is harmless.
    const auto width = static_cast<std::int64_t>(static_cast<std::int32_t>(ReadU32(bytes, 4)));
    auto height = static_cast<std::int64_t>(static_cast<std::int32_t>(ReadU32(bytes, 8)));
    const std::uint16_t planes = ReadU16(bytes, 12);
    header.nBitCount = ReadU16(bytes, 14);
    header.nCompression = ReadU32(bytes, 16);
    header.nColorsUsed = ReadU32(bytes, 32);

    if (width <= 0) {
        error = "width " + std::to_string(width) + " is not positive";
        return std::nullopt;
    }
    if (height == 0) {
        error = "height is 0";
        return std::nullopt;
    }
    if (height < 0) {
        if (heightDivisor != 1) {
            error = "icon images cannot be stored top-down";
            return std::nullopt;
        }
        header.bTopDown = true;
        height = -height;
    }
    if (height % heightDivisor != 0) {
        error = "stored height " + std::to_string(height) + " does not cover the image and its mask";
        return std::nullopt;
    }
    height /= heightDivisor;
    if (width > maxDimension || height > maxDimension) {
        error = "size " + std::to_string(width) + " x " + std::to_string(height) + " exceeds the limit of " +
                std::to_string(maxDimension);
        return std::nullopt;
    }
    header.nWidth = static_cast<int>(width);
    header.nHeight = static_cast<int>(height);

    if (planes != 1) {
        error = "plane count " + std::to_string(planes) + " is not 1";
        return std::nullopt;
    }
    const int bits = header.nBitCount;
    if (bits != 1 && bits != 4 && bits != 8 && bits != 24 && bits != 32) {
        error = std::to_string(bits) + "-bit pixels are not supported";
        return std::nullopt;
    }

    header.nTableOffset = header.nSize;
    if (header.nCompression == kCompressionBitFields) {
        if (bits != 32) {
            error = "bit-field masks are supported for 32-bit pixels only";
            return std::nullopt;
        }
        // A plain info header is followed by the three masks; the longer
        // headers carry them inside.
        if (header.nSize == kInfoHeaderSize) {
            if (bytes.size() < kInfoHeaderSize + kBitFieldsSize) {
                error = "truncated bit-field masks";
                return std::nullopt;
            }
            header.nTableOffset += kBitFieldsSize;
        }
        if (ReadU32(bytes, 40) != 0x00FF0000u || ReadU32(bytes, 44) != 0x0000FF00u ||
            ReadU32(bytes, 48) != 0x000000FFu) {
            error = "only the standard 8-8-8 bit-field masks are supported";
            return std::nullopt;
        }
    } else if (header.nCompression != kCompressionRgb) {
        error = std::string("compressed pixels are not supported (") + CompressionName(header.nCompression) +
                ", compression " + std::to_string(header.nCompression) + ")";
        return std::nullopt;
    }

    if (bits <= 8 && header.nColorsUsed > (1u << bits)) {
        error = "colour table of " + std::to_string(header.nColorsUsed) + " entries is too long for " +
                std::to_string(bits) + "-bit pixels";
        return std::nullopt;
    }
    return header;
}

std::size_t ColorTableEntries(const InfoHeader& header)
{
    if (header.nBitCount > 8)
        return 0;
    return header.nColorsUsed != 0 ? header.nColorsUsed : (std::size_t{1} << header.nBitCount);
}

std::optional<std::vector<Pixel>> ReadColorTable(std::span<const std::uint8_t> bytes, std::size_t count,
                                                 std::string& error)
{
    if (bytes.size() / 4 < count) {
        error = "colour table truncated (" + std::to_string(bytes.size() / 4) + " of " + std::to_string(count) +
                " entries)";
        return std::nullopt;
    }
    std::vector<Pixel> table(count);
    for (std::size_t i = 0; i < count; ++i)
        table[i] = PixelFromRGB(bytes[4 * i + 2], bytes[4 * i + 1], bytes[4 * i]);
    return table;
}

std::uint64_t RowStride(int width, int bitCount)
{
    const std::uint64_t bits = static_cast<std::uint64_t>(width) * static_cast<std::uint64_t>(bitCount);
    return (bits + 31) / 32 * 4;
}

std::optional<CSurface> DecodePixels(std::span<const std::uint8_t> pixels, const InfoHeader& header,
                                     std::span<const Pixel> colorTable, std::string& error)
{
    const std::uint64_t stride = RowStride(header.nWidth, header.nBitCount);
    const std::uint64_t needed = stride * static_cast<std::uint64_t>(header.nHeight);
    if (pixels.size() < needed) {
        error = "pixel data truncated (" + std::to_string(pixels.size()) + " of " + std::to_string(needed) +
                " bytes)";
        return std::nullopt;
    }

    CSurface surface(header.nWidth, header.nHeight);
    const int bits = header.nBitCount;
    for (int row = 0; row < header.nHeight; ++row) {
        const std::uint8_t* src = pixels.data() + stride * static_cast<std::uint64_t>(row);
        const int y = header.bTopDown ? row : header.nHeight - 1 - row;
        Pixel* dst = surface.Row(y);
        for (int x = 0; x < header.nWidth; ++x) {
            if (bits >= 24) {
                const std::uint8_t* p = src + static_cast<std::size_t>(x) * static_cast<std::size_t>(bits / 8);
                dst[x] = PixelFromRGB(p[2], p[1], p[0]);
                continue;
            }
            const int bitOffset = x * bits;
            const int shift = 8 - bits - bitOffset % 8;
            const unsigned index = (src[bitOffset / 8] >> shift) & ((1u << bits) - 1u);
            if (index >= colorTable.size()) {
                error = "pixel (" + std::to_string(x) + ", " + std::to_string(y) + ") uses colour " +
                        std::to_string(index) + " of a " + std::to_string(colorTable.size()) + "-entry colour table";
                return std::nullopt;
            }
            dst[x] = colorTable[index];
        }
    }
    return surface;
}

}  // namespace dib
