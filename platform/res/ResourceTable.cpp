#include "platform/res/ResourceTable.h"

#include "platform/res/Bitmap.h"

#include <algorithm>

namespace {

std::span<const ResourceEntry> g_aEntries;

const char* TypeName(ResourceType type) { return type == ResourceType::Bitmap ? "bitmap" : "icon"; }

void SetError(std::string* error, std::string why)
{
    if (error)
        *error = std::move(why);
}

}  // namespace

void InstallResources(std::span<const ResourceEntry> entries) { g_aEntries = entries; }

std::span<const std::uint8_t> FindResource(ResourceType type, unsigned id)
{
    const auto it = std::find_if(g_aEntries.begin(), g_aEntries.end(),
                                 [&](const ResourceEntry& e) { return e.type == type && e.id == id; });
    return it != g_aEntries.end() ? it->data : std::span<const std::uint8_t>{};
}

std::optional<CSurface> LoadBitmapResource(unsigned id, std::string* error)
{
    const auto bytes = FindResource(ResourceType::Bitmap, id);
    if (bytes.empty()) {
        SetError(error, std::string("no ") + TypeName(ResourceType::Bitmap) + " resource " + std::to_string(id));
        return std::nullopt;
    }
    std::string why;
    auto surface = DecodeBitmap(bytes, &why);
    if (!surface)
        SetError(error, "resource " + std::to_string(id) + ": " + why);
    return surface;
}

std::optional<IconImage> LoadIconResource(unsigned id, int size, std::string* error)
{
    const auto bytes = FindResource(ResourceType::Icon, id);
    if (bytes.empty()) {
        SetError(error, std::string("no ") + TypeName(ResourceType::Icon) + " resource " + std::to_string(id));
        return std::nullopt;
    }
    std::string why;
    auto images = DecodeIcon(bytes, &why);
    if (!images) {
        SetError(error, "resource " + std::to_string(id) + ": " + why);
        return std::nullopt;
    }
    const IconImage* image = PickIconImage(*images, size);
    if (!image) {
        SetError(error, "resource " + std::to_string(id) + ": icon has no images");
        return std::nullopt;
    }
    return *image;
}
