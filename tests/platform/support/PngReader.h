#pragma once
// PNG pictures read back, for comparing with reference pictures: 8-bit RGB
// or RGBA without interlacing, with any row filter, as the writer and other
// tools write them.

#include "platform/gfx/CSurface.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// When alpha is given it receives one byte per pixel, 255 throughout for an
// RGB picture.
std::optional<CSurface> ReadPng(const std::string& path, std::string* error = nullptr,
                                std::vector<std::uint8_t>* alpha = nullptr);
