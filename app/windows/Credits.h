// Who made KORVAN Editor and with what: the names the credits, author and terms windows show.
#pragma once

#include "base/Version.h"

namespace korvan::credits {

inline constexpr const char* Team = "Team KORVAN";
inline constexpr const char* Contact = "korvan-team@example.org";
inline constexpr const char* Version = korvan::Version;  // also in the main window's caption

// The artwork is drawn by our own generator at build time, through Qt's image classes.
inline constexpr const char* GraphicsTools[] = {"korvan-assets", "Qt 6 QImage", "C++20 / GCC", "CMake / Ninja"};
inline constexpr const char* DevelopmentTool = "Qt 6 e C++20";

}  // namespace korvan::credits
