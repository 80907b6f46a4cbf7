// The changed part of a frame, found in one pass over its rows.
#include "FrameChanges.h"

#include <algorithm>
#include <cstring>

namespace {

// The first byte in [0, limit) where two rows differ, or limit.
int FirstDifference(const std::uint8_t* a, const std::uint8_t* b, int limit)
{
    int k = 0;
    for (; k + 8 <= limit; k += 8)
        if (std::memcmp(a + k, b + k, 8) != 0)
            break;
    while (k < limit && a[k] == b[k])
        ++k;
    return k;
}

// The last byte in (floor, count) where two rows differ, or floor.
int LastDifference(const std::uint8_t* a, const std::uint8_t* b, int count, int floor)
{
    int k = count;
    for (; k - 8 > floor; k -= 8)
        if (std::memcmp(a + k - 8, b + k - 8, 8) != 0)
            break;
    while (k - 1 > floor && a[k - 1] == b[k - 1])
        --k;
    return k - 1;
}

}  // namespace

QRect TakeChanges(std::uint8_t* shown, const std::uint8_t* current, int stride, const QRect& area)
{
    const int width = area.width();
    int top = -1, bottom = -1, left = width, right = -1;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        const std::size_t offset = std::size_t(y) * std::size_t(stride) + std::size_t(area.left());
        std::uint8_t* a = shown + offset;
        const std::uint8_t* b = current + offset;
        if (std::memcmp(a, b, std::size_t(width)) == 0)
            continue;
        if (top < 0)
            top = y;
        bottom = y;
        // Only the columns outside the rectangle found so far need looking at.
        left = FirstDifference(a, b, left);
        right = LastDifference(a, b, width, right);
        std::memcpy(a, b, std::size_t(width));
    }
    if (top < 0)
        return QRect();
    return QRect(area.left() + left, top, right - left + 1, bottom - top + 1);
}

void ChangedRows::Add(int y)
{
    if (!runs_.empty() && y - runs_.back().second <= MergeGap)
        runs_.back().second = y;
    else
        runs_.emplace_back(y, y);
}

std::vector<QRect> ChangedRows::Take(int left, int width)
{
    std::vector<QRect> rects;
    rects.reserve(runs_.size());
    for (const auto& [first, last] : runs_)
        rects.emplace_back(left, first, width, last - first + 1);
    runs_.clear();
    return rects;
}
