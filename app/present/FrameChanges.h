// Where a new frame differs from the one on screen: the parts of the window that must be sent
// again, so that an unchanged frame costs no paint and no transfer to the X server.
#pragma once

#include <QRect>

#include <cstdint>
#include <vector>

// The tiles of TileHeight rows and TileWidth columns, counted from the top-left of `area`, where
// `current` differs from `shown` (both pictures have rows of `stride` bytes; only `area` is
// compared). Changed tiles side by side in a band are joined into one rectangle; the rectangles
// come band by band from the top, each band's from the left, none overlapping. Water that moves
// touches most rows of a view but a fraction of its pixels: its tiles hold about half the view.
constexpr int TileHeight = 16;
constexpr int TileWidth = 64;
std::vector<QRect> ChangedTiles(const std::uint8_t* shown, const std::uint8_t* current, int stride, const QRect& area);
