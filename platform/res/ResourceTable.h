#pragma once
// The program's built-in resources: a table of (type, id, bytes) entries that
// the application installs at start-up, and loaders that find and decode
// them. Nothing is read from files at run time.

#include "platform/gfx/CSurface.h"
#include "platform/res/Icon.h"

#include <cstdint>
#include <optional>
#include <span>
#include <string>

enum class ResourceType : std::uint8_t { Bitmap, Icon };

struct ResourceEntry {
    ResourceType type;
    unsigned id;
    std::span<const std::uint8_t> data;  // a whole .bmp or .ico file
};

// Makes entries the table that lookups search; it must outlive them. An
// empty span removes the table. The last call wins.
void InstallResources(std::span<const ResourceEntry> entries);

// The bytes of the first entry of that type and id; empty when there is none.
std::span<const std::uint8_t> FindResource(ResourceType type, unsigned id);

// Finds and decodes bitmap id. On failure returns nothing and, when error is
// given, says why.
std::optional<CSurface> LoadBitmapResource(unsigned id, std::string* error = nullptr);

// Finds and decodes icon id and picks its image for size x size pixels (see
// PickIconImage).
std::optional<IconImage> LoadIconResource(unsigned id, int size, std::string* error = nullptr);
