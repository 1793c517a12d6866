#pragma once
// PNG pictures of surfaces: written for failing tests and screenshots, read
// back for comparing with reference pictures. 8-bit RGB and RGBA only.

#include "platform/gfx/CSurface.h"

#include <optional>
#include <string>

bool WritePng(const CSurface& surface, const std::string& path, std::string* error = nullptr);
std::optional<CSurface> ReadPng(const std::string& path, std::string* error = nullptr);
