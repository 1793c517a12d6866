#pragma once
// Finding windows the way a tester looks at the screen: by their text or
// class, and where to tap them. The locators are evaluated when the scripted
// tap is reached, so they find windows that only exist by then.
//
//     m_backend.TapAt(WindowWithText("Yes"), "the Yes button");

#include "platform/backend/CHeadlessBackend.h"
#include "platform/win/WinApi.h"

#include <optional>
#include <string>
#include <vector>

// Every window, depth first, topmost first.
std::vector<HWND> AllWindows();
// The topmost visible window with this text or class; null when none.
HWND FindWindowByText(const std::string& text);
HWND FindWindowByClass(const std::string& className);
// The centre of a window's client area, in screen pixels.
std::optional<CPoint> ClientCentre(HWND hwnd);

// The centre of the topmost visible window with this text.
CHeadlessBackend::Locator WindowWithText(std::string text);
// The OK button in the caption of the visible window with this caption.
CHeadlessBackend::Locator CaptionOkButtonOf(std::string caption);
// A point given in a window's client coordinates, found by the window's text.
CHeadlessBackend::Locator ClientPointOf(std::string text, CPoint client);
