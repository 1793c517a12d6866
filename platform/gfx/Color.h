#pragma once
// Two colour forms: COLORREF, as the game and the resources name colours
// (0x00BBGGRR), and Pixel, the screen's 32-bit format (0x00RRGGBB).

#include "platform/gfx/Pixel.h"

#include <cstdint>

using COLORREF = std::uint32_t;

constexpr COLORREF RGB(unsigned r, unsigned g, unsigned b)
{
    return (r & 0xFFu) | ((g & 0xFFu) << 8) | ((b & 0xFFu) << 16);
}
constexpr unsigned GetRValue(COLORREF c) { return c & 0xFFu; }
constexpr unsigned GetGValue(COLORREF c) { return (c >> 8) & 0xFFu; }
constexpr unsigned GetBValue(COLORREF c) { return (c >> 16) & 0xFFu; }

constexpr Pixel PixelFromColorRef(COLORREF c) { return PixelFromRGB(GetRValue(c), GetGValue(c), GetBValue(c)); }
constexpr COLORREF ColorRefFromPixel(Pixel p) { return RGB((p >> 16) & 0xFFu, (p >> 8) & 0xFFu, p & 0xFFu); }
