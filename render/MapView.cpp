// The map view and the frame tick.
#include "render/MapView.h"

#include "render/Blitters.h"
#include "render/Cull.h"
#include "render/TileBlitter.h"
#include "render/SheetCatalogue.h"

#include <algorithm>
#include <array>
#include <iterator>
#include <limits>

namespace korvan {

namespace {

std::int32_t Saturated(std::int64_t value)
{
    return std::int32_t(std::clamp<std::int64_t>(value, std::numeric_limits<std::int32_t>::min(),
                                                 std::numeric_limits<std::int32_t>::max()));
}

void DrawGround(TileBlitter& blitter, const MapCell& cell, std::int64_t x, std::int64_t y)
{
    // Values past the catalogue draw nothing rather than reading past the sheet.
    if (cell.Terrain < TerritTiles)
        blitter.Blit<TerritSheet>(x, y, 0, cell.Terrain);
    struct Piece {
        int Slot, Dx, Dy;
    };
    static constexpr Piece Pieces[4] = {
        {CornerTop, 16, 0}, {CornerBottom, 16, 16}, {CornerRight, 32, 9}, {CornerLeft, -1, 8}};
    for (const Piece& piece : Pieces) {
        const std::uint8_t v = cell.CornerTiles[piece.Slot];
        if (v < QuadriTiles)
            blitter.Blit<QuadriSheet>(x + piece.Dx, y + piece.Dy, QuadriPlace(v).Column, QuadriPlace(v).Row);
    }
}

void DrawOverlays(TileBlitter& blitter, const MapCell& cell, std::int64_t x, std::int64_t y)
{
    if (cell.LandsTile < LandsTiles)
        blitter.Blit<LandsSheet>(x, y, LandsPlace(cell.LandsTile).Column, LandsPlace(cell.LandsTile).Row);
    if (cell.TerrainTile < TerrainTiles)
        blitter.Blit<TerrainSheet>(x, y, TerrainPlace(cell.TerrainTile).Column, TerrainPlace(cell.TerrainTile).Row);
}

}  // namespace

void ClearBackBuffer(Editor& editor)
{
    std::fill(editor.BackBuffer.Pixels.begin(), editor.BackBuffer.Pixels.end(), std::uint8_t(0));
}

void RenderMap(Editor& editor, std::uint8_t firstRow, std::uint8_t firstCol, std::uint8_t rowSpan,
               std::uint8_t colSpan)
{
    const int lastRow = std::min(LastIndex, firstRow + rowSpan);
    const int lastCol = std::min(LastIndex, firstCol + colSpan);
    // Nothing in a pass moves the view or the cells, so both passes draw the cells that pass the
    // cull test once, in grid order.
    VisibleCells visible;
    const std::size_t count = CullCells(editor, firstRow, lastRow, firstCol, lastCol, visible);
    TileBlitter blitter(editor);
    const std::int64_t scrollX = editor.ScrollX, scrollY = editor.ScrollY;
    for (std::size_t k = 0; k < count; ++k)
        DrawGround(blitter, *visible[k], visible[k]->ScreenX + scrollX, visible[k]->ScreenY + scrollY);
    for (std::size_t k = 0; k < count; ++k)
        DrawOverlays(blitter, *visible[k], visible[k]->ScreenX + scrollX, visible[k]->ScreenY + scrollY);
}

void EdgeScroll(Editor& editor)
{
    const std::int64_t cursorX = editor.CursorX, cursorY = editor.CursorY;
    if (cursorX < editor.ViewLeft)
        editor.ScrollX = Saturated(std::int64_t(editor.ScrollX) + 65);
    else if (cursorX > std::int64_t(editor.ViewRight) - 60)
        editor.ScrollX = Saturated(std::int64_t(editor.ScrollX) - 65);
    else if (cursorY > std::int64_t(editor.ViewBottom) - 50)
        editor.ScrollY = Saturated(std::int64_t(editor.ScrollY) - 33);
    else if (std::int64_t(editor.ViewTop) - 16 < cursorY && cursorY < std::int64_t(editor.ViewTop) + 16)
        editor.ScrollY = Saturated(std::int64_t(editor.ScrollY) + 33);
}

void ClampScroll(Editor& editor)
{
    if (editor.ScrollY > ScrollYMax)
        editor.ScrollY = ScrollYMax;
    if (editor.ScrollY < ScrollYMin)
        editor.ScrollY = ScrollYMin;
    if (editor.ScrollX > ScrollXMax)
        editor.ScrollX = ScrollXMax;
    if (editor.ScrollX < ScrollXMin)
        editor.ScrollX = ScrollXMin;
}

void DrawBrushPreview(Editor& editor)
{
    struct Brush {
        std::int32_t Editor::*Item;
        int Slot;
        int Tiles;
        TilePlace (*Place)(int);
    };
    static constexpr Brush Brushes[] = {
        {&Editor::ItemTerrit, TerritSheet, TerritTiles, [](int v) { return TilePlace{0, std::uint8_t(v)}; }},
        {&Editor::ItemLands, LandsSheet, LandsTiles, LandsPlace},
        {&Editor::ItemTerrain, TerrainSheet, TerrainTiles, TerrainPlace},
        {&Editor::ItemUnits, UnitsSheet, UnitsTiles, UnitsPlace},
        {&Editor::ItemQuadri, QuadriSheet, QuadriTiles, QuadriPlace},
    };
    if (editor.EditMode < 0 || editor.EditMode >= std::int32_t(std::size(Brushes)))
        return;
    const Brush& brush = Brushes[editor.EditMode];
    const std::int32_t item = editor.*brush.Item;
    // Items never leave their ranges; one that did would draw nothing.
    if (item < 0 || item >= brush.Tiles)
        return;
    const TilePlace place = brush.Place(item);
    BlitWindow(editor, brush.Slot, editor.CursorX, editor.CursorY, place.Column, place.Row);
}

void FrameTick(Editor& editor)
{
    EdgeScroll(editor);
    ClampScroll(editor);
    ClearBackBuffer(editor);
    // The first row and column are always 0 in the editor; kept inside the grid all the same.
    RenderMap(editor, std::uint8_t(std::clamp(editor.FirstRow, 0, LastIndex)),
              std::uint8_t(std::clamp(editor.FirstCol, 0, LastIndex)), LastIndex, LastIndex);
    DrawBrushPreview(editor);
}

}  // namespace korvan
