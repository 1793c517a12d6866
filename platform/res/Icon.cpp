#include "platform/res/Icon.h"

#include "platform/res/DibFormat.h"

#include <algorithm>

namespace {

constexpr std::size_t kDirectorySize = 6;
constexpr std::size_t kEntrySize = 16;
constexpr Pixel kTransparent = 0x00FFFFFF;

bool Fail(std::string* error, const std::string& why)
{
    if (error)
        *error = "icon: " + why;
    return false;
}

// The alpha byte of stored pixel x of stored row row in 32-bit rows.
std::uint8_t AlphaAt(std::span<const std::uint8_t> pixels, int width, int row, int x)
{
    const std::size_t stride = static_cast<std::size_t>(dib::RowStride(width, 32));
    return pixels[stride * static_cast<std::size_t>(row) + 4 * static_cast<std::size_t>(x) + 3];
}

bool HasAlpha(std::span<const std::uint8_t> pixels, const dib::InfoHeader& header)
{
    for (int row = 0; row < header.nHeight; ++row)
        for (int x = 0; x < header.nWidth; ++x)
            if (AlphaAt(pixels, header.nWidth, row, x) != 0)
                return true;
    return false;
}

// One directory entry's image: info header, colour table, colour rows and
// the AND mask rows, all within the entry's byte range.
bool DecodeImage(std::span<const std::uint8_t> image, std::size_t index, IconImage& out, std::string* error)
{
    const std::string where = "image " + std::to_string(index) + ": ";
    static constexpr std::uint8_t kPngSignature[] = {0x89, 'P', 'N', 'G'};
    if (image.size() >= 4 && std::equal(std::begin(kPngSignature), std::end(kPngSignature), image.begin()))
        return Fail(error, where + "PNG-compressed images are not supported");

    std::string why;
    const auto header = dib::ReadInfoHeader(image, 2, kMaxIconDimension, why);
    if (!header)
        return Fail(error, where + why);

    const std::size_t entries = dib::ColorTableEntries(*header);
    const std::uint64_t tableEnd = header->nTableOffset + 4 * static_cast<std::uint64_t>(entries);
    if (tableEnd > image.size())
        return Fail(error, where + "colour table truncated");
    const auto table = dib::ReadColorTable(image.subspan(header->nTableOffset), entries, why);
    if (!table)
        return Fail(error, where + why);

    const auto pixels = image.subspan(static_cast<std::size_t>(tableEnd));
    auto color = dib::DecodePixels(pixels, *header, *table, why);
    if (!color)
        return Fail(error, where + why);

    dib::InfoHeader maskHeader = *header;
    maskHeader.nBitCount = 1;
    const std::uint64_t colorBytes =
        dib::RowStride(header->nWidth, header->nBitCount) * static_cast<std::uint64_t>(header->nHeight);
    static constexpr Pixel kMaskTable[] = {0, kTransparent};
    auto mask = dib::DecodePixels(pixels.subspan(static_cast<std::size_t>(colorBytes)), maskHeader, kMaskTable, why);
    if (!mask)
        return Fail(error, where + "transparency mask: " + why);

    // Images with an alpha channel carry their transparency there; their AND
    // mask is often left empty.
    if (header->nBitCount == 32 && HasAlpha(pixels, *header)) {
        for (int row = 0; row < header->nHeight; ++row) {
            const int y = header->nHeight - 1 - row;
            for (int x = 0; x < header->nWidth; ++x)
                mask->Set(x, y, AlphaAt(pixels, header->nWidth, row, x) < 128 ? kTransparent : 0);
        }
    }
    out.color = std::move(*color);
    out.mask = std::move(*mask);
    return true;
}

}  // namespace

std::optional<std::vector<IconImage>> DecodeIcon(std::span<const std::uint8_t> bytes, std::string* error)
{
    if (bytes.size() < kDirectorySize) {
        Fail(error, "truncated directory header (" + std::to_string(bytes.size()) + " bytes)");
        return std::nullopt;
    }
    const std::uint16_t reserved = dib::ReadU16(bytes, 0);
    const std::uint16_t type = dib::ReadU16(bytes, 2);
    const std::size_t count = dib::ReadU16(bytes, 4);
    if (reserved != 0 || (type != 1 && type != 2)) {
        Fail(error, "not an ICO file");
        return std::nullopt;
    }
    if (type != 1) {
        Fail(error, "cursor files are not supported");
        return std::nullopt;
    }
    if (count == 0) {
        Fail(error, "the directory lists no images");
        return std::nullopt;
    }
    if (count > kMaxIconImages) {
        Fail(error, "the directory lists " + std::to_string(count) + " images, more than " +
                        std::to_string(kMaxIconImages));
        return std::nullopt;
    }
    const std::size_t directoryEnd = kDirectorySize + count * kEntrySize;
    if (bytes.size() < directoryEnd) {
        Fail(error, "directory of " + std::to_string(count) + " images truncated");
        return std::nullopt;
    }

    std::vector<IconImage> images(count);
    for (std::size_t i = 0; i < count; ++i) {
        const std::size_t entry = kDirectorySize + i * kEntrySize;
        const std::uint64_t length = dib::ReadU32(bytes, entry + 8);
        const std::uint64_t offset = dib::ReadU32(bytes, entry + 12);
        if (offset < directoryEnd) {
            Fail(error, "image " + std::to_string(i) + " at offset " + std::to_string(offset) +
                            " overlaps the directory");
            return std::nullopt;
        }
        if (offset + length > bytes.size()) {
            Fail(error, "image " + std::to_string(i) + " (" + std::to_string(length) + " bytes at offset " +
                            std::to_string(offset) + ") runs past the end of the file (" +
                            std::to_string(bytes.size()) + " bytes)");
            return std::nullopt;
        }
        const auto image = bytes.subspan(static_cast<std::size_t>(offset), static_cast<std::size_t>(length));
        if (!DecodeImage(image, i, images[i], error))
            return std::nullopt;
    }
    return images;
}

const IconImage* PickIconImage(const std::vector<IconImage>& images, int size)
{
    const IconImage* best = nullptr;
    for (const IconImage& image : images) {
        const int edge = std::max(image.Width(), image.Height());
        if (edge == size && image.Width() == image.Height())
            return &image;
        if (!best) {
            best = &image;
            continue;
        }
        const int bestEdge = std::max(best->Width(), best->Height());
        const bool larger = edge >= size;
        const bool bestLarger = bestEdge >= size;
        if (larger && (!bestLarger || edge < bestEdge))
            best = &image;
        else if (!larger && !bestLarger && edge > bestEdge)
            best = &image;
    }
    return best;
}
