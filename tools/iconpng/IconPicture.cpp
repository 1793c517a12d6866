#include "tools/iconpng/IconPicture.h"

#include <algorithm>

namespace {

// Whether the square of side `side` placed at `offset` lies inside the circle
// of diameter 0.8 x size around the picture's centre. In whole numbers: its
// farthest corner is e = size/2 - offset from the centre on each axis, and
// 2e² <= (0.4 size)² is 25 (2e)² <= 8 size².
bool InsideSafeCircle(int size, int offset)
{
    const long long twiceE = size - 2LL * offset;
    return 25 * twiceE * twiceE <= 8LL * size * size;
}

}  // namespace

std::optional<IconLayout> LayOutIcon(const std::vector<int>& sources, int size, bool maskable)
{
    std::optional<IconLayout> best;
    for (const int source : sources) {
        if (source <= 0)
            continue;
        for (int factor = size / source; factor >= 1; --factor) {
            const int side = source * factor;
            const int offset = (size - side) / 2;
            if (maskable && !InsideSafeCircle(size, offset))
                continue;
            const int bestSide = best ? best->source * best->factor : 0;
            if (side > bestSide || (side == bestSide && source > best->source))
                best = IconLayout{source, factor, offset};
            break;
        }
    }
    return best;
}

std::optional<IconPicture> DrawIconPicture(const std::vector<IconImage>& images, int size, bool maskable)
{
    std::vector<int> sources;
    for (const IconImage& image : images)
        if (image.Width() == image.Height())
            sources.push_back(image.Width());
    const auto layout = LayOutIcon(sources, size, maskable);
    if (!layout)
        return std::nullopt;
    const IconImage& image = *std::find_if(images.begin(), images.end(), [&](const IconImage& i) {
        return i.Width() == layout->source && i.Height() == layout->source;
    });

    const std::uint8_t backgroundAlpha = maskable ? 0xFF : 0;
    IconPicture picture{CSurface(size, size, maskable ? kIconBackground : 0),
                        std::vector<std::uint8_t>(static_cast<std::size_t>(size) * static_cast<std::size_t>(size),
                                                  backgroundAlpha)};
    const int side = layout->source * layout->factor;
    for (int y = 0; y < side; ++y) {
        for (int x = 0; x < side; ++x) {
            const int sx = x / layout->factor;
            const int sy = y / layout->factor;
            if (!image.IsOpaque(sx, sy))
                continue;
            const int px = layout->offset + x;
            const int py = layout->offset + y;
            picture.color.Set(px, py, image.color.At(sx, sy));
            picture.alpha[static_cast<std::size_t>(py) * static_cast<std::size_t>(size) + static_cast<std::size_t>(px)] =
                0xFF;
        }
    }
    return picture;
}
