#include "edit/HitTest.h"

#include <algorithm>

namespace korvan {

CellHit PickCell(const MapGrid& cells, const ViewState& view, std::uint8_t firstRow, std::uint8_t firstCol,
                 std::uint8_t rowSpan, std::uint8_t colSpan)
{
    // 64-bit sums: a loaded map may hold any 32-bit anchor.
    const std::int64_t cursorX = view.CursorX;
    const std::int64_t cursorY = view.CursorY;
    const int lastRow = std::min(int(firstRow) + rowSpan, LastIndex);
    const int lastCol = std::min(int(firstCol) + colSpan, LastIndex);
    CellHit hit;
    for (int r = firstRow; r <= lastRow; ++r)
        for (int c = firstCol; c <= lastCol; ++c) {
            const MapCell& cell = cells[r][c];
            const std::int64_t x = std::int64_t(cell.ScreenX) + view.ScrollX;
            const std::int64_t y = std::int64_t(cell.ScreenY) + view.ScrollY;
            if (!(view.CullLeft < x && x < view.ViewRight && view.CullTop < y && y < view.ViewBottom))
                continue;
            if (x - HitReach <= cursorX && cursorX <= x + HitReach && y - HitReach <= cursorY && cursorY <= y + HitReach)
                hit = CellHit{r, c};
        }
    return hit;
}

}  // namespace korvan
