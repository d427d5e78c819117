#pragma once
// What the desktop calls the game and how its start is paced: the game, the
// splash, the sound server's view of it and CMake (the menu entry, the icon,
// the metainfo) all take them from here. CMake reads these lines as written.
#include <string_view>

namespace fifteen {

// The game's name on the desktop: its menu entry, icon, windows and sounds.
inline constexpr std::string_view kApplicationId = "net.kelvane.Fifteen";

// The pause at start, which the splash shows through.
inline constexpr int kStartupPauseMs = 3000;

}  // namespace fifteen
