// The map drawing's two passes over the visible cells, written once for every blitter: each
// blitter runs them with its own tile blit, so that the blit of a tile is not a virtual call.
#pragma once

#include "map/MapCell.h"
#include "render/Cull.h"
#include "render/SheetCatalogue.h"

#include <cstddef>
#include <cstdint>

namespace korvan {

// TileBlit has template <int Slot> void Blit(std::int64_t x, std::int64_t y, int column, int row).
template <typename TileBlit>
void DrawGround(TileBlit& blit, const MapCell& cell, std::int64_t x, std::int64_t y)
{
    // Values past the catalogue draw nothing rather than reading past the sheet.
    if (cell.Terrain < TerritTiles)
        blit.template Blit<TerritSheet>(x, y, 0, cell.Terrain);
    struct Piece {
        int Slot, Dx, Dy;
    };
    static constexpr Piece Pieces[4] = {
        {CornerTop, 16, 0}, {CornerBottom, 16, 16}, {CornerRight, 32, 9}, {CornerLeft, -1, 8}};
    for (const Piece& piece : Pieces) {
        const std::uint8_t v = cell.CornerTiles[piece.Slot];
        if (v < QuadriTiles)
            blit.template Blit<QuadriSheet>(x + piece.Dx, y + piece.Dy, QuadriPlace(v).Column, QuadriPlace(v).Row);
    }
}

template <typename TileBlit>
void DrawOverlays(TileBlit& blit, const MapCell& cell, std::int64_t x, std::int64_t y)
{
    if (cell.LandsTile < LandsTiles)
        blit.template Blit<LandsSheet>(x, y, LandsPlace(cell.LandsTile).Column, LandsPlace(cell.LandsTile).Row);
    if (cell.TerrainTile < TerrainTiles)
        blit.template Blit<TerrainSheet>(x, y, TerrainPlace(cell.TerrainTile).Column,
                                         TerrainPlace(cell.TerrainTile).Row);
}

// Nothing in a pass moves the view or the cells: both passes draw the same cells, in order.
template <typename TileBlit>
void DrawCellPasses(TileBlit& blit, const VisibleCells& cells, std::size_t count, std::int64_t scrollX,
                    std::int64_t scrollY)
{
    for (std::size_t k = 0; k < count; ++k)
        DrawGround(blit, *cells[k], cells[k]->ScreenX + scrollX, cells[k]->ScreenY + scrollY);
    for (std::size_t k = 0; k < count; ++k)
        DrawOverlays(blit, *cells[k], cells[k]->ScreenX + scrollX, cells[k]->ScreenY + scrollY);
}

// Blit<Slot> for a slot known only at run time.
template <typename TileBlit>
void BlitSlot(TileBlit& blit, int slot, std::int64_t x, std::int64_t y, int column, int row)
{
    switch (slot) {
    case UnitsSheet:
        return blit.template Blit<UnitsSheet>(x, y, column, row);
    case TerritSheet:
        return blit.template Blit<TerritSheet>(x, y, column, row);
    case LandsSheet:
        return blit.template Blit<LandsSheet>(x, y, column, row);
    case TerrainSheet:
        return blit.template Blit<TerrainSheet>(x, y, column, row);
    case QuadriSheet:
        return blit.template Blit<QuadriSheet>(x, y, column, row);
    default:
        return;  // Cities is never drawn
    }
}

}  // namespace korvan
