#include "edit/HitTest.h"

#include "edit/Editor.h"

#include <algorithm>

namespace korvan {

CellHit PickCell(const Editor& editor, std::uint8_t firstRow, std::uint8_t firstCol, std::uint8_t rowSpan,
                 std::uint8_t colSpan)
{
    // 64-bit sums: a loaded map may hold any 32-bit anchor.
    const std::int64_t cursorX = editor.CursorX;
    const std::int64_t cursorY = editor.CursorY;
    const int lastRow = std::min(int(firstRow) + rowSpan, LastIndex);
    const int lastCol = std::min(int(firstCol) + colSpan, LastIndex);
    CellHit hit;
    for (int r = firstRow; r <= lastRow; ++r)
        for (int c = firstCol; c <= lastCol; ++c) {
            const MapCell& cell = editor.Cells[r][c];
            const std::int64_t x = std::int64_t(cell.ScreenX) + editor.ScrollX;
            const std::int64_t y = std::int64_t(cell.ScreenY) + editor.ScrollY;
            if (!(editor.CullLeft < x && x < editor.ViewRight && editor.CullTop < y && y < editor.ViewBottom))
                continue;
            if (x - 20 <= cursorX && cursorX <= x + 20 && y - 20 <= cursorY && cursorY <= y + 20)
                hit = CellHit{r, c};
        }
    return hit;
}

}  // namespace korvan
