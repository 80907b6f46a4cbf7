// The map view and the frame tick.
#include "render/MapView.h"

#include "render/Cull.h"
#include "render/TileBlitter.h"
#include "render/SheetCatalogue.h"

#include <algorithm>
#include <array>
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

void ClearBackBuffer(Artwork& artwork)
{
    std::fill(artwork.BackBuffer.Pixels.begin(), artwork.BackBuffer.Pixels.end(), std::uint8_t(0));
}

void RenderMap(Canvas& canvas, const MapGrid& cells, std::uint8_t firstRow, std::uint8_t firstCol,
               std::uint8_t rowSpan, std::uint8_t colSpan)
{
    const int lastRow = std::min(LastIndex, firstRow + rowSpan);
    const int lastCol = std::min(LastIndex, firstCol + colSpan);
    // Nothing in a pass moves the view or the cells, so both passes draw the cells that pass the
    // cull test once, in grid order.
    VisibleCells visible;
    const std::size_t count = CullCells(cells, canvas, firstRow, lastRow, firstCol, lastCol, visible);
    TileBlitter blitter(canvas);
    const std::int64_t scrollX = canvas.ScrollX, scrollY = canvas.ScrollY;
    for (std::size_t k = 0; k < count; ++k)
        DrawGround(blitter, *visible[k], visible[k]->ScreenX + scrollX, visible[k]->ScreenY + scrollY);
    for (std::size_t k = 0; k < count; ++k)
        DrawOverlays(blitter, *visible[k], visible[k]->ScreenX + scrollX, visible[k]->ScreenY + scrollY);
}

void EdgeScroll(ViewState& view)
{
    const std::int64_t cursorX = view.CursorX, cursorY = view.CursorY;
    if (cursorX < view.ViewLeft)
        view.ScrollX = Saturated(std::int64_t(view.ScrollX) + 65);
    else if (cursorX > std::int64_t(view.ViewRight) - 60)
        view.ScrollX = Saturated(std::int64_t(view.ScrollX) - 65);
    else if (cursorY > std::int64_t(view.ViewBottom) - 50)
        view.ScrollY = Saturated(std::int64_t(view.ScrollY) - 33);
    else if (std::int64_t(view.ViewTop) - 16 < cursorY && cursorY < std::int64_t(view.ViewTop) + 16)
        view.ScrollY = Saturated(std::int64_t(view.ScrollY) + 33);
}

void ClampScroll(ViewState& view)
{
    if (view.ScrollY > ScrollYMax)
        view.ScrollY = ScrollYMax;
    if (view.ScrollY < ScrollYMin)
        view.ScrollY = ScrollYMin;
    if (view.ScrollX > ScrollXMax)
        view.ScrollX = ScrollXMax;
    if (view.ScrollX < ScrollXMin)
        view.ScrollX = ScrollXMin;
}

}  // namespace korvan
