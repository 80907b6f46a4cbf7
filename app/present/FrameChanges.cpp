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

std::vector<QRect> ChangedTiles(const std::uint8_t* shown, const std::uint8_t* current, int stride, const QRect& area)
{
    std::vector<QRect> tiles;
    const int columns = (area.width() + TileWidth - 1) / TileWidth;
    std::vector<bool> changed(std::size_t(std::max(columns, 0)));
    for (int top = area.top(); top <= area.bottom(); top += TileHeight) {
        const int bottom = std::min(top + TileHeight - 1, area.bottom());
        std::fill(changed.begin(), changed.end(), false);
        for (int y = top; y <= bottom; ++y) {
            const std::size_t offset = std::size_t(y) * std::size_t(stride) + std::size_t(area.left());
            if (std::memcmp(shown + offset, current + offset, std::size_t(area.width())) == 0)
                continue;  // most rows of a still part
            for (int column = 0; column < columns; ++column) {
                const int x = column * TileWidth;
                if (!changed[std::size_t(column)])
                    changed[std::size_t(column)] =
                        std::memcmp(shown + offset + x, current + offset + x, std::size_t(std::min(TileWidth, area.width() - x))) != 0;
            }
        }
        for (int column = 0; column < columns;) {
            if (!changed[std::size_t(column)]) {
                ++column;
                continue;
            }
            const int first = column;
            while (column < columns && changed[std::size_t(column)])
                ++column;
            const int left = area.left() + first * TileWidth;
            const int right = std::min(area.left() + column * TileWidth, area.left() + area.width());
            tiles.emplace_back(left, top, right - left, bottom - top + 1);
        }
    }
    return tiles;
}
