#pragma once
// Small .bmp files made in memory, for tests that need a bitmap resource
// whose every pixel they know.

#include "platform/gfx/Color.h"

#include <cstdint>
#include <span>
#include <vector>

// A 4-bit, bottom-up, uncompressed .bmp of width x height. palette holds up
// to 16 colours; indices holds one palette index a pixel, rows top-down.
std::vector<std::uint8_t> MakeBmp4(int width, int height, std::span<const COLORREF> palette,
                                   std::span<const std::uint8_t> indices);
