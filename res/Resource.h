#pragma once
// Resource and command ids of Corvane.

#include "platform/win/WinDefs.h"

// The main window's menu, toolbar, toolbar bitmap, icon and title string.
inline constexpr UINT IDR_MAINFRAME = 128;

// The card artwork.
inline constexpr UINT IDB_CARDBACK = 129;
inline constexpr UINT IDB_SUITS = 130;
inline constexpr UINT IDB_RANKS_BLACK = 131;
inline constexpr UINT IDB_FACETOP = 133;
inline constexpr UINT IDB_FACE = 134;
inline constexpr UINT IDB_ARROW = 135;
inline constexpr UINT IDB_RANKS_RED = 136;

// The About dialog and its controls.
inline constexpr UINT IDD_ABOUTBOX = 100;
inline constexpr int IDC_RULES_BUTTON = 1000;
inline constexpr int IDC_RULES_TEXT = 1001;

// Commands. Exit uses the platform's IDOK.
inline constexpr UINT ID_GAME_DEAL = 32771;
inline constexpr UINT ID_GAME_UNDO = 32780;
inline constexpr UINT ID_APP_ABOUT = 0xE140;
