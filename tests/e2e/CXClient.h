#pragma once
// The tests' own view of an X display: finding the program's window,
// reading its pixels, title and icon, and asking it to close the way a
// window manager's close button does.

#include "platform/gfx/CSurface.h"

#include <chrono>
#include <optional>
#include <string>
#include <vector>

struct _XDisplay;

class CXClient {
public:
    using WindowId = unsigned long;

    explicit CXClient(const std::string& display);
    ~CXClient();
    CXClient(const CXClient&) = delete;
    CXClient& operator=(const CXClient&) = delete;

    bool IsOpen() const { return m_pDisplay != nullptr; }

    // A shown top-level window with this title, waited for up to the time.
    std::optional<WindowId> FindWindow(const std::string& title, std::chrono::milliseconds limit);
    // Its size, and its position on the root window.
    CRect Geometry(WindowId window);
    // What the window shows now.
    std::optional<CSurface> Capture(WindowId window);
    std::string Title(WindowId window);
    // The first image of _NET_WM_ICON; alpha receives its alpha channel.
    std::optional<CSurface> Icon(WindowId window, std::vector<std::uint8_t>* alpha);
    // How many pixels of the window's icon differ from the program's icon
    // 128 at its size (opaque where the icon is, clear elsewhere); why and
    // nothing when there is no icon to compare.
    std::optional<int> IconPixelsUnlikeIcon128(WindowId window, std::string* why);
    // WM_DELETE_WINDOW, as a window manager sends it.
    bool RequestClose(WindowId window);

private:
    _XDisplay* m_pDisplay;
};
