#include "tests/platform/support/DibBuilder.h"

#include <stdexcept>

namespace {

void Put16(std::vector<std::uint8_t>& out, unsigned v)
{
    out.push_back(static_cast<std::uint8_t>(v));
    out.push_back(static_cast<std::uint8_t>(v >> 8));
}

void Put32(std::vector<std::uint8_t>& out, std::uint32_t v)
{
    Put16(out, v & 0xFFFFu);
    Put16(out, v >> 16);
}

}  // namespace

std::vector<std::uint8_t> MakeBmp4(int width, int height, std::span<const COLORREF> palette,
                                   std::span<const std::uint8_t> indices)
{
    if (width <= 0 || height <= 0 || palette.size() > 16 ||
        indices.size() != static_cast<std::size_t>(width) * static_cast<std::size_t>(height))
        throw std::invalid_argument("MakeBmp4: the sizes do not agree");
    const std::uint32_t stride = ((static_cast<std::uint32_t>(width) * 4 + 31) / 32) * 4;
    const std::uint32_t pixelBytes = stride * static_cast<std::uint32_t>(height);
    const std::uint32_t offset = 14 + 40 + 16 * 4;

    std::vector<std::uint8_t> out;
    out.push_back('B');
    out.push_back('M');
    Put32(out, offset + pixelBytes);
    Put32(out, 0);
    Put32(out, offset);
    Put32(out, 40);
    Put32(out, static_cast<std::uint32_t>(width));
    Put32(out, static_cast<std::uint32_t>(height));
    Put16(out, 1);
    Put16(out, 4);
    Put32(out, 0);  // no compression
    Put32(out, pixelBytes);
    Put32(out, 2835);
    Put32(out, 2835);
    Put32(out, 16);
    Put32(out, 0);
    for (std::size_t i = 0; i < 16; ++i) {
        const COLORREF c = i < palette.size() ? palette[i] : 0;
        out.push_back(static_cast<std::uint8_t>(GetBValue(c)));
        out.push_back(static_cast<std::uint8_t>(GetGValue(c)));
        out.push_back(static_cast<std::uint8_t>(GetRValue(c)));
        out.push_back(0);
    }
    for (int row = height - 1; row >= 0; --row) {
        std::vector<std::uint8_t> line(stride, 0);
        for (int x = 0; x < width; ++x) {
            const std::uint8_t index = indices[static_cast<std::size_t>(row * width + x)] & 0x0F;
            line[static_cast<std::size_t>(x / 2)] |= static_cast<std::uint8_t>(x % 2 == 0 ? index << 4 : index);
        }
        out.insert(out.end(), line.begin(), line.end());
    }
    return out;
}
