// Where a new frame differs from the one on screen: the part of the window that must be
// repainted, so that an unchanged frame costs no paint and no transfer to the X server.
#pragma once

#include <QRect>

#include <cstdint>

// The smallest rectangle of `area` (inside both pictures, rows of `stride` bytes) that holds every
// pixel where `current` differs from `shown`; `shown` is brought up to `current` there. One
// rectangle, not many: each costs a paint and a request to the X server, and a frame that changes
// at all changes where the water is, which spreads over the whole view.
QRect TakeChanges(std::uint8_t* shown, const std::uint8_t* current, int stride, const QRect& area);
