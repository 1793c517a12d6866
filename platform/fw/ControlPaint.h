#pragma once
// The look our controls share: raised and sunken faces in the button grey.

#include "platform/fw/CDC.h"

namespace controlpaint {

inline constexpr COLORREF kFace = RGB(192, 192, 192);
inline constexpr COLORREF kShadow = RGB(128, 128, 128);
inline constexpr COLORREF kHighlight = RGB(255, 255, 255);
inline constexpr COLORREF kInk = RGB(0, 0, 0);

// A raised face, or a sunken one when pressed.
void Bevel(CDC& dc, const CRect& r, bool pressed);
// A push button: black frame, bevelled face; the default one has a double frame.
void Button(CDC& dc, const CRect& r, bool pressed, bool isDefault);
// A small arrow (for scroll bars), pointing up or down, centred in r.
void Arrow(CDC& dc, const CRect& r, bool up, COLORREF colour);

}  // namespace controlpaint
