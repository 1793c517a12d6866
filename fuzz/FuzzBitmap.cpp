// Feeds arbitrary bytes to the .bmp and .ico readers: whatever they are
// given, they either decode it or refuse it with a reason, and never read
// out of bounds.

#include "platform/res/Bitmap.h"
#include "platform/res/Icon.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::span<const std::uint8_t> bytes(data, size);

    std::string error;
    if (const auto surface = DecodeBitmap(bytes, &error)) {
        if (surface->Width() <= 0 || surface->Height() <= 0 || surface->Width() > kMaxBitmapDimension ||
            surface->Height() > kMaxBitmapDimension)
            std::abort();
    } else if (error.empty()) {
        std::abort();
    }

    error.clear();
    if (const auto images = DecodeIcon(bytes, &error)) {
        if (images->empty())
            std::abort();
        for (const IconImage& image : *images)
            if (image.mask.Width() != image.Width() || image.mask.Height() != image.Height() ||
                image.Width() > kMaxIconDimension)
                std::abort();
        if (!PickIconImage(*images, 16))
            std::abort();
    } else if (error.empty()) {
        std::abort();
    }
    return 0;
}
