#pragma once
// Text as the window system and the controls draw it: monochrome DejaVu Sans
// from the compiled-in glyph table.

#include "platform/gfx/CRegion.h"
#include "platform/gfx/CSurface.h"

#include <string>
#include <string_view>
#include <vector>

enum class TextFace { Normal11, Normal12, Bold12 };

int TextWidth(TextFace face, std::string_view utf8);
int TextLineHeight(TextFace face);
// Draws one line with its line box's top-left corner at topLeft.
void DrawTextAt(CSurface& surface, const CRegion* clip, CPoint topLeft, std::string_view utf8, TextFace face,
                Pixel colour);
std::vector<std::string> WrapTextLines(std::string_view utf8, TextFace face, int width);
