// Where a new frame differs from the one on screen: the part of the window that must be
// repainted, so that an unchanged frame costs no paint and no transfer to the X server.
#pragma once

#include <QRect>

#include <cstdint>
#include <vector>

// The smallest rectangle of `area` (inside both pictures, rows of `stride` bytes) that holds every
// pixel where `current` differs from `shown`; `shown` is brought up to `current` there. One
// rectangle, not many: each costs a paint and a request to the X server, and a frame that changes
// at all changes where the water is, which spreads over the whole view.
QRect TakeChanges(std::uint8_t* shown, const std::uint8_t* current, int stride, const QRect& area);

// Where a frame differs from the one on screen, in tiles of TileHeight rows and TileWidth
// columns from the top-left of `area` (both pictures have rows of `stride` bytes), changed tiles
// side by side joined: rectangles in bands from top to bottom, each band's left to right, none
// overlapping (the order the X server takes clip rectangles in fastest). The server copies the
// changed tiles only, about half of the whole rows the water touches.
constexpr int TileHeight = 16;
constexpr int TileWidth = 64;
std::vector<QRect> ChangedTiles(const std::uint8_t* shown, const std::uint8_t* current, int stride, const QRect& area);
