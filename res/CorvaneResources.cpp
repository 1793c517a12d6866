#include "res/CorvaneResources.h"

#include "res/Resource.h"

namespace {

constexpr StringTemplate kStrings[] = {
    {IDR_MAINFRAME, "Corvane\n\nCorvane\n\n\nCorvane.Document\nCorvane Document"},
};

constexpr MenuItemTemplate kFileItems[] = {
    {"Exit", IDOK, MF_STRING},
    {nullptr, 0, MF_SEPARATOR},
    {"About", ID_APP_ABOUT, MF_STRING},
};
constexpr MenuItemTemplate kGameItems[] = {
    {"Undo", ID_GAME_UNDO, MF_GRAYED},
    {"Deal", ID_GAME_DEAL, MF_STRING},
};
constexpr PopupMenuTemplate kMainMenuPopups[] = {
    {"File", MF_POPUP, kFileItems},
    {"Game", MF_POPUP, kGameItems},
};
constexpr MenuTemplate kMenus[] = {
    {IDR_MAINFRAME, kMainMenuPopups},
};

constexpr UINT kToolbarButtons[] = {IDOK, ID_GAME_DEAL, ID_GAME_UNDO, ID_APP_ABOUT};
constexpr ToolbarTemplate kToolbars[] = {
    {IDR_MAINFRAME, 1, 16, 16, kToolbarButtons},
};

constexpr DialogItemTemplate kAboutItems[] = {
    {ControlKind::Edit, IDC_RULES_TEXT, 5, 40, 128, 104,
     WS_CHILD | WS_BORDER | WS_VSCROLL | WS_TABSTOP | ES_MULTILINE | ES_READONLY | ES_WANTRETURN, "", 0},
    {ControlKind::Static, IDC_STATIC, 11, 17, 20, 20, WS_CHILD | WS_VISIBLE | SS_ICON, "", IDR_MAINFRAME},
    // The version line is wider than its 63 units of old so that our longer
    // name fits on one line in our font.
    {ControlKind::Static, IDC_STATIC, 38, 45, 70, 8, WS_CHILD | WS_VISIBLE | WS_GROUP | SS_NOPREFIX,
     "Corvane Version 1.3", 0},
    {ControlKind::Static, IDC_STATIC, 37, 58, 65, 8, WS_CHILD | WS_VISIBLE | WS_GROUP, "A patience game", 0},
    {ControlKind::Static, IDC_STATIC, 44, 74, 50, 8, WS_CHILD | WS_VISIBLE | WS_GROUP, "for two decks.", 0},
    {ControlKind::Static, IDC_STATIC, 23, 86, 92, 8, WS_CHILD | WS_VISIBLE | WS_GROUP, "\xC2\xA9 2026 Corvane team", 0},
    {ControlKind::Static, IDC_STATIC, 24, 105, 90, 8, WS_CHILD | WS_VISIBLE | WS_GROUP, "Free to play and share.", 0},
    {ControlKind::Button, IDC_RULES_BUTTON, 83, 7, 50, 14, WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON,
     "Rules", 0},
};
constexpr DialogTemplate kDialogs[] = {
    {IDD_ABOUTBOX, WS_POPUP | WS_CAPTION | DS_SETFONT, WS_EX_CAPTIONOKBTN, 0, 0, 140, 151, "About", "System", 8,
     kAboutItems},
};

constexpr VersionString kVersionStrings[] = {
    {"CompanyName", "Corvane"},
    {"FileDescription", "Corvane, a double-deck patience"},
    {"FileVersion", "1, 0, 0, 3"},
    {"InternalName", "Corvane"},
    {"LegalCopyright", "Corvane team"},
    {"OriginalFilename", "corvane"},
    {"ProductName", "Corvane"},
    {"ProductVersion", "1, 0, 0, 3"},
};
constexpr VersionTemplate kVersion{{1, 0, 0, 3}, {1, 0, 0, 3}, "040504b0", kVersionStrings, VFT_APP};

constexpr AppResources kResources{kStrings, kMenus, kToolbars, kDialogs, &kVersion};

}  // namespace

const AppResources* CorvaneAppResources() { return &kResources; }

const char* const kRulesText =
    "Corvane:\r\n\r\nThe goal of this solitaire is to get all 104 cards into 8 packs in the top right. Into these "
    "packs you can put card of the same color in incerasing order. Values are: A, 2, 3, ... 9, 10, J, Q, K, Only "
    "Ace can be laid as first card.\r\n\r\nCards in playfield can be moved either one by one  or by whole sequence. "
    "Each sequence must follow this rule: Colors must change and values must be in decreasing order. Only King (or "
    "sequence starting with King) can be put into the empty column.\r\n\r\nHow to play: Tap card or whole sequence "
    "(tap card which starts the sequence) to select it. Second tap specifies the destination of the turn. Doubletap "
    "puts the card into the suitable top right pack.\r\n\r\nSorry, Drag&Drop is not supported (save you display ;-)";
