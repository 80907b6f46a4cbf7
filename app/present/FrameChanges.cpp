// The changed tiles of a frame, found in one pass over its rows: a row equal on screen is done
// with one comparison, and only a changed row is compared tile by tile.
#include "FrameChanges.h"

#include <algorithm>
#include <cstring>

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
