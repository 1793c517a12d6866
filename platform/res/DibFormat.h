#pragma once
// The parts of a device-independent bitmap that .bmp files and the images
// inside .ico files share: the info header, the colour table and the pixel
// rows. Every read is bounds-checked; every failure says what was wrong.

#include "platform/gfx/CSurface.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace dib {

inline constexpr std::uint32_t kCompressionRgb = 0;
inline constexpr std::uint32_t kCompressionBitFields = 3;

struct InfoHeader {
    std::uint32_t nSize = 0;        // bytes of the header itself
    int nWidth = 0;
    int nHeight = 0;                // always positive; see bTopDown
    bool bTopDown = false;
    int nBitCount = 0;
    std::uint32_t nCompression = 0;
    std::uint32_t nColorsUsed = 0;  // as stored; 0 means "all"
    std::uint32_t nTableOffset = 0; // colour table, from the header's start
};

// Little-endian reads; a read past the end gives 0, but callers check the
// length first so that they can say what is missing.
std::uint16_t ReadU16(std::span<const std::uint8_t> bytes, std::size_t offset);
std::uint32_t ReadU32(std::span<const std::uint8_t> bytes, std::size_t offset);

// Reads a BITMAPINFOHEADER (or one of its longer successors) at the start of
// bytes. heightDivisor is 2 for icon images, whose stored height counts the
// mask rows too. maxDimension bounds width and height, so no input can make
// us allocate more than we would ever show.
std::optional<InfoHeader> ReadInfoHeader(std::span<const std::uint8_t> bytes, int heightDivisor, int maxDimension,
                                         std::string& error);

// Entries in the colour table that follows the header: the stored count, or
// 2^bits when it is 0; none for 24- and 32-bit pixels.
std::size_t ColorTableEntries(const InfoHeader& header);

// Reads count RGBQUAD entries from the start of bytes as pixels.
std::optional<std::vector<Pixel>> ReadColorTable(std::span<const std::uint8_t> bytes, std::size_t count,
                                                 std::string& error);

// Bytes per stored row of width pixels of bitCount bits: rows are padded to
// a multiple of four bytes.
std::uint64_t RowStride(int width, int bitCount);

// Decodes the pixel rows that start at pixels into a surface, using the
// colour table for 1-, 4- and 8-bit pixels. Refuses indices past the table.
std::optional<CSurface> DecodePixels(std::span<const std::uint8_t> pixels, const InfoHeader& header,
                                     std::span<const Pixel> colorTable, std::string& error);

}  // namespace dib
