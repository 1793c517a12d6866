#pragma once
// The screen's 32-bit pixel format, 0x00RRGGBB. Kept apart from Color.h,
// whose COLORREF helpers carry the names that Windows' own headers define as
// macros: a host that includes those headers sees only this.

#include <cstdint>

using Pixel = std::uint32_t;

constexpr Pixel PixelFromRGB(unsigned r, unsigned g, unsigned b)
{
    return ((r & 0xFFu) << 16) | ((g & 0xFFu) << 8) | (b & 0xFFu);
}
