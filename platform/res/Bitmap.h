#pragma once
// Reading .bmp files: the file header, then a device-independent bitmap of
// 1, 4, 8, 24 or 32 bits per pixel, uncompressed, stored bottom-up or
// top-down.

#include "platform/gfx/CSurface.h"

#include <cstdint>
#include <optional>
#include <span>
#include <string>

// No bitmap we accept is wider or taller than this; larger claims are
// refused before anything is allocated.
inline constexpr int kMaxBitmapDimension = 4096;

// Decodes a whole .bmp file. On failure returns nothing and, when error is
// given, says why.
std::optional<CSurface> DecodeBitmap(std::span<const std::uint8_t> bytes, std::string* error = nullptr);
