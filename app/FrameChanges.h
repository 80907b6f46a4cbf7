// Where a new frame differs from the one on screen: the part of the window that must be
// repainted, so that an unchanged frame costs no paint and no transfer to the X server.
#pragma once

#include <QRect>

#include <cstdint>
#include <utility>
#include <vector>

// The smallest rectangle of `area` (inside both pictures, rows of `stride` bytes) that holds every
// pixel where `current` differs from `shown`; `shown` is brought up to `current` there. One
// rectangle, not many: each costs a paint and a request to the X server, and a frame that changes
// at all changes where the water is, which spreads over the whole view.
QRect TakeChanges(std::uint8_t* shown, const std::uint8_t* current, int stride, const QRect& area);

// The rows of a frame that changed, turned into few rectangles to send: runs of rows, the whole
// width of the view each, runs closer than MergeGap rows sent as one. The X server copies a put
// of whole rows of the shared picture at once, but a narrower one through a pixmap and a copy
// area, which costs it more than the extra columns; and each put costs it a request.
class ChangedRows {
public:
    static constexpr int MergeGap = 8;
    // Row y changed; rows come in increasing order.
    void Add(int y);
    // The rectangles, `width` wide from column `left`, and the rows emptied for the next frame.
    std::vector<QRect> Take(int left, int width);

private:
    std::vector<std::pair<int, int>> runs_;  // first and last row
};
