// The one 256-colour palette that every picture of the editor is drawn against.
#pragma once

#include <array>
#include <cstdint>

namespace korvan {

// Entries are 0xFFRRGGBB. Black.BMP carries this table; the program falls back on it when
// Black.BMP is missing. Index ranges: 0..31 grey, 32..47 green, 48..63 olive, 64..83 water
// (65..78 shimmer, shown as 65..81), 84..95 teal, 96..103 red, 104..111 yellow to orange,
// 112..119 gold to brown, 120..127 pink to brown, 128..135 skin, 136..151 orange-brown,
// 152..159 grey-brown, 160..175 single colours, 176..191 beige, 192..235 black,
// 236..253 signal colours, 254 pure green (frame), 255 #878787.
const std::array<std::uint32_t, 256>& SharedPalette();

// First indices of the ranges, for code that draws against the palette.
namespace pal {
inline constexpr int Grey = 0;        // 32 entries, black to white
inline constexpr int Green = 32;      // 16, dark to light
inline constexpr int Olive = 48;      // 16, dark to light
inline constexpr int Water = 64;      // 20, light to dark
inline constexpr int Teal = 84;       // 12, dark to light
inline constexpr int Red = 96;        // 8, dark to light
inline constexpr int Yellow = 104;    // 8, yellow to orange
inline constexpr int Gold = 112;      // 8, gold to brown
inline constexpr int Pink = 120;      // 8, pink to brown
inline constexpr int Skin = 128;      // 8, light to dark
inline constexpr int OrangeBrown = 136;  // 16, light to dark
inline constexpr int GreyBrown = 152;    // 8, light to dark
inline constexpr int Single = 160;       // 16 single colours
inline constexpr int Beige = 176;        // 16, dark to light
inline constexpr int Black = 192;        // 44 blacks
inline constexpr int Signal = 236;       // 18 pure colours
inline constexpr int Frame = 254;
}  // namespace pal

}  // namespace korvan
