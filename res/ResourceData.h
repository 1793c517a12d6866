#pragma once
// The artwork built into the program: bitmaps 128 to 136 (no 132) and icon
// 128, as their .bmp and .ico files. The application hands this table to
// InstallResources at start-up.

#include "platform/res/ResourceTable.h"

#include <span>

std::span<const ResourceEntry> CorvaneResourceData();
