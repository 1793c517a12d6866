#pragma once
// The program's structured resources: strings, menus, toolbars, dialog
// templates and version information, compiled in as constant tables. The
// application installs its set at start-up, next to its bitmaps and icons.

#include "platform/win/WinDefs.h"

#include <span>

// Menu item flags.
inline constexpr UINT MF_STRING = 0x0000;
inline constexpr UINT MF_GRAYED = 0x0001;
inline constexpr UINT MF_POPUP = 0x0010;
inline constexpr UINT MF_SEPARATOR = 0x0800;

struct MenuItemTemplate {
    const char* text;  // null for a separator
    UINT id;
    UINT flags;
};

struct PopupMenuTemplate {
    const char* text;
    UINT flags;  // MF_POPUP
    std::span<const MenuItemTemplate> items;
};

struct MenuTemplate {
    UINT id;
    std::span<const PopupMenuTemplate> popups;
};

struct ToolbarTemplate {
    UINT id;  // the bitmap of the button images has the same id
    int version;
    int cx;
    int cy;
    std::span<const UINT> buttons;  // command ids; 0 is a separator
};

// Dialog templates, positions and sizes in dialog units.
enum class ControlKind { Button, Edit, Static };

// Control styles.
inline constexpr DWORD BS_PUSHBUTTON = 0x0000;
inline constexpr DWORD BS_DEFPUSHBUTTON = 0x0001;
inline constexpr DWORD ES_LEFT = 0x0000;
inline constexpr DWORD ES_MULTILINE = 0x0004;
inline constexpr DWORD ES_AUTOVSCROLL = 0x0040;
inline constexpr DWORD ES_READONLY = 0x0800;
inline constexpr DWORD ES_WANTRETURN = 0x1000;
inline constexpr DWORD SS_LEFT = 0x0000;
inline constexpr DWORD SS_CENTER = 0x0001;
inline constexpr DWORD SS_ICON = 0x0003;
inline constexpr DWORD SS_NOPREFIX = 0x0080;
inline constexpr DWORD DS_SETFONT = 0x0040;

struct DialogItemTemplate {
    ControlKind kind;
    int id;
    int x, y, cx, cy;
    DWORD style;
    const char* text;
    UINT iconId;  // SS_ICON statics
};

struct DialogTemplate {
    UINT id;
    DWORD style;
    DWORD exStyle;
    int x, y, cx, cy;
    const char* caption;
    const char* fontName;
    int pointSize;
    std::span<const DialogItemTemplate> items;
};

struct StringTemplate {
    UINT id;
    const char* text;
};

struct VersionString {
    const char* key;
    const char* value;
};

struct VersionTemplate {
    WORD fileVersion[4];
    WORD productVersion[4];
    const char* block;  // language and code page, e.g. "040504b0"
    std::span<const VersionString> strings;
    DWORD fileType;
};

inline constexpr DWORD VFT_APP = 1;

struct AppResources {
    std::span<const StringTemplate> strings;
    std::span<const MenuTemplate> menus;
    std::span<const ToolbarTemplate> toolbars;
    std::span<const DialogTemplate> dialogs;
    const VersionTemplate* version;
};

void InstallAppResources(const AppResources* resources);
const char* FindStringResource(UINT id);  // null when missing
const MenuTemplate* FindMenuResource(UINT id);
const ToolbarTemplate* FindToolbarResource(UINT id);
const DialogTemplate* FindDialogResource(UINT id);
const VersionTemplate* FindVersionResource();
