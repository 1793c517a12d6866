#pragma once
// The program's icon as a square picture of any size, for desktop menus and
// web pages: one of the icon's own square images enlarged by a whole factor,
// each pixel a block of pixels, so the pixel art stays sharp.

#include "platform/gfx/CSurface.h"
#include "platform/res/Icon.h"

#include <cstdint>
#include <optional>
#include <vector>

// The board's green, behind a maskable icon.
inline constexpr Pixel kIconBackground = PixelFromRGB(0, 160, 0);

// Where the icon goes in a size x size picture: its image of source x source
// pixels, enlarged factor times, its top-left corner at (offset, offset).
struct IconLayout {
    int source = 0;
    int factor = 0;
    int offset = 0;
};

// The largest whole-factor enlargement of one of the sources (square image
// sides) that fits: the whole picture, or with maskable the centred circle of
// diameter 0.8 x size that a launcher may cut the picture to. Of two equal
// fits the larger source wins, having the finer drawing. Nothing when no
// source fits.
std::optional<IconLayout> LayOutIcon(const std::vector<int>& sources, int size, bool maskable);

struct IconPicture {
    CSurface color;
    std::vector<std::uint8_t> alpha;  // one byte per pixel: 0 clear, 255 opaque
};

// The picture itself: clear around and through the icon, or with maskable
// an opaque square of kIconBackground throughout. Nothing when no square
// image of the icon fits.
std::optional<IconPicture> DrawIconPicture(const std::vector<IconImage>& images, int size, bool maskable);
