#pragma once
// The handheld's screen: the window system draws into one this size, and
// every host shows one this size, scaled by a whole factor.

inline constexpr int SCREEN_WIDTH = 240;
inline constexpr int SCREEN_HEIGHT = 320;
