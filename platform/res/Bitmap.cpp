#include "platform/res/Bitmap.h"

#include "platform/res/DibFormat.h"

namespace {

constexpr std::size_t kFileHeaderSize = 14;

std::optional<CSurface> Fail(std::string* error, const std::string& why)
{
    if (error)
        *error = "bitmap: " + why;
    return std::nullopt;
}

}  // namespace

std::optional<CSurface> DecodeBitmap(std::span<const std::uint8_t> bytes, std::string* error)
{
    if (bytes.size() < kFileHeaderSize)
        return Fail(error, "truncated file header (" + std::to_string(bytes.size()) + " bytes)");
    if (bytes[0] != 'B' || bytes[1] != 'M')
        return Fail(error, "not a BMP file (no 'BM' signature)");
    // The stored file size is often wrong in the wild; the lengths below are
    // checked against the bytes we really have instead.
    const std::uint64_t pixelOffset = dib::ReadU32(bytes, 10);

    std::string why;
    const auto info = bytes.subspan(kFileHeaderSize);
    const auto header = dib::ReadInfoHeader(info, 1, kMaxBitmapDimension, why);
    if (!header)
        return Fail(error, why);

    const std::uint64_t tableStart = kFileHeaderSize + header->nTableOffset;
    const std::size_t entries = dib::ColorTableEntries(*header);
    const std::uint64_t tableEnd = tableStart + 4 * static_cast<std::uint64_t>(entries);
    if (pixelOffset > bytes.size())
        return Fail(error, "pixel data offset " + std::to_string(pixelOffset) + " lies beyond the end of the file (" +
                               std::to_string(bytes.size()) + " bytes)");
    if (pixelOffset < tableEnd)
        return Fail(error, "pixel data offset " + std::to_string(pixelOffset) +
                               " overlaps the headers and colour table, which end at " + std::to_string(tableEnd));

    const auto table = dib::ReadColorTable(bytes.subspan(static_cast<std::size_t>(tableStart)), entries, why);
    if (!table)
        return Fail(error, why);
    auto surface = dib::DecodePixels(bytes.subspan(static_cast<std::size_t>(pixelOffset)), *header, *table, why);
    if (!surface)
        return Fail(error, why);
    return surface;
}
