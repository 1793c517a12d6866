#pragma once
// The frames our window system draws around client areas: a one-pixel
// border, and for captioned windows a title bar, with an OK button for the
// windows that ask for one.

#include "platform/gfx/CRegion.h"
#include "platform/gfx/CSurface.h"
#include "platform/win/WinDefs.h"

#include <string>

namespace nonclient {

// Where the client area lies inside the window rectangle (border, caption).
CRect Insets(DWORD style, DWORD exStyle);
CRect OkButtonRect(const CRect& windowRect);
void Paint(CSurface& screen, const CRegion& clip, const CRect& windowRect, DWORD style, DWORD exStyle,
           const std::string& caption, bool okPressed);

}  // namespace nonclient
