#pragma once
// PNG pictures of surfaces, 8-bit RGB or RGBA: the program's icons with their
// transparency, drawn by the icon tool, and the tests' pictures of failing
// steps and screenshots.

#include "platform/gfx/CSurface.h"

#include <array>
#include <cstdint>
#include <span>
#include <string>

// The eight bytes every PNG file begins with.
inline constexpr std::array<std::uint8_t, 8> kPngSignature{0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};

bool WritePng(const CSurface& surface, const std::string& path, std::string* error = nullptr);
// An RGBA picture: alpha holds one byte per pixel of surface, row by row,
// from 0 (clear) to 255 (opaque). Refused when the sizes differ.
bool WritePng(const CSurface& surface, std::span<const std::uint8_t> alpha, const std::string& path,
              std::string* error = nullptr);
