#pragma once
// PNG pictures of surfaces: written for failing tests and screenshots, read
// back for comparing with reference pictures, and the program's icons with
// their transparency. 8-bit RGB and RGBA only.

#include "platform/gfx/CSurface.h"

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

bool WritePng(const CSurface& surface, const std::string& path, std::string* error = nullptr);
// An RGBA picture: alpha holds one byte per pixel of surface, row by row,
// from 0 (clear) to 255 (opaque). Refused when the sizes differ.
bool WritePng(const CSurface& surface, std::span<const std::uint8_t> alpha, const std::string& path,
              std::string* error = nullptr);
// When alpha is given it receives one byte per pixel, 255 throughout for an
// RGB picture.
std::optional<CSurface> ReadPng(const std::string& path, std::string* error = nullptr,
                                std::vector<std::uint8_t>* alpha = nullptr);
