// The two pieces of music, as Standard MIDI Files.
#pragma once

#include <cstdint>
#include <vector>

namespace korvan::music {

std::vector<std::uint8_t> IntroTheme();   // Music1.mid, about half a minute
std::vector<std::uint8_t> EditorTheme();  // Music2.mid, about a minute and a half, loops

}  // namespace korvan::music
