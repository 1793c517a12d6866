#pragma once
// Reading .ico files: a directory of images, each a device-independent
// bitmap (colour pixels, then a 1-bit transparency mask).

#include "platform/gfx/CSurface.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

// Icon images are at most 256 pixels square, as the directory can express.
inline constexpr int kMaxIconDimension = 256;
// Real icons hold a handful of images; the cap keeps a directory whose
// entries all point at one large image from multiplying its cost.
inline constexpr std::size_t kMaxIconImages = 64;

// One image of an icon. The mask follows the platform's AND mask: white
// (0x00FFFFFF) where the image is transparent, black where it is drawn.
struct IconImage {
    CSurface color;
    CSurface mask;

    int Width() const { return color.Width(); }
    int Height() const { return color.Height(); }
    bool IsOpaque(int x, int y) const { return mask.At(x, y) == 0; }
};

// Decodes every image of a .ico file, in directory order. On failure returns
// nothing and, when error is given, says why.
std::optional<std::vector<IconImage>> DecodeIcon(std::span<const std::uint8_t> bytes, std::string* error = nullptr);

// The image to show at size x size pixels: the exact size if present,
// otherwise the smallest larger one, otherwise the largest. Null when empty.
const IconImage* PickIconImage(const std::vector<IconImage>& images, int size);
