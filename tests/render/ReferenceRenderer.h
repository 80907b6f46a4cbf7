// The reference renderer: the map drawing and the frame tick written out as plainly as possible,
// cell by cell with the cull test of each, over the literal per-pixel blit of the simple blitter
// (render/SimpleBlitter.h). Every blitter's frame tick must leave exactly the same back buffer,
// shimmer state and scroll for every input.
#pragma once

#include "edit/Editor.h"
#include "render/SimpleBlitter.h"

#include <algorithm>
#include <cstdint>
#include <limits>

namespace korvan::reference {

// A tile window: the sheet's slot and the tile's column and row in it.
struct Window {
    int Slot;
    int Column, Row;
};

inline Window TerritWindow(int tile) { return {TerritSheet, 0, tile}; }
inline Window LandsWindow(int column, int row) { return {LandsSheet, column, row}; }
inline Window TerrainWindow(int column, int row) { return {TerrainSheet, column, row}; }
inline Window UnitsWindow(int column, int row) { return {UnitsSheet, column, row}; }
inline Window QuadriWindow(int column, int row) { return {QuadriSheet, column, row}; }

inline void Blit(Editor& e, const Window& w, std::int64_t x, std::int64_t y)
{
    BlitPerPixel(e.Canvas, w.Slot, x, y, w.Column, w.Row);
}

inline void ClearBackBuffer(Editor& e)
{
    for (auto& pixel : e.Canvas.BackBuffer.Pixels)
        pixel = 0;
}

inline bool Visible(const Editor& e, const MapCell& cell, std::int64_t& x, std::int64_t& y)
{
    x = std::int64_t(cell.ScreenX) + e.Canvas.ScrollX;
    y = std::int64_t(cell.ScreenY) + e.Canvas.ScrollY;
    return e.Canvas.CullLeft < x && x < e.Canvas.ViewRight && e.Canvas.CullTop < y && y < e.Canvas.ViewBottom;
}

inline void RenderMap(Editor& e, int firstRow, int firstCol, int rowSpan, int colSpan)
{
    const int lastRow = std::min(120, firstRow + rowSpan);
    const int lastCol = std::min(120, firstCol + colSpan);
    std::int64_t x, y;
    for (int r = firstRow; r <= lastRow; ++r)
        for (int c = firstCol; c <= lastCol; ++c) {
            const MapCell& cell = e.Map.Cells[r][c];
            if (!Visible(e, cell, x, y))
                continue;
            if (cell.Terrain <= 9)
                Blit(e, TerritWindow(cell.Terrain), x, y);
            const std::uint8_t top = cell.CornerTiles[0], bottom = cell.CornerTiles[1];
            const std::uint8_t left = cell.CornerTiles[2], right = cell.CornerTiles[3];
            if (top < 32)
                Blit(e, QuadriWindow(top % 16, top / 16), x + 16, y);
            if (bottom < 32)
                Blit(e, QuadriWindow(bottom % 16, bottom / 16), x + 16, y + 16);
            if (right < 32)
                Blit(e, QuadriWindow(right % 16, right / 16), x + 32, y + 9);
            if (left < 32)
                Blit(e, QuadriWindow(left % 16, left / 16), x - 1, y + 8);
        }
    for (int r = firstRow; r <= lastRow; ++r)
        for (int c = firstCol; c <= lastCol; ++c) {
            const MapCell& cell = e.Map.Cells[r][c];
            if (!Visible(e, cell, x, y))
                continue;
            if (cell.LandsTile < 60)
                Blit(e, LandsWindow(cell.LandsTile / 9, cell.LandsTile % 9), x, y);
            if (cell.TerrainTile < 48)
                Blit(e, TerrainWindow(cell.TerrainTile % 8, cell.TerrainTile / 8), x, y);
        }
}

inline std::int32_t Stored(std::int64_t v)
{
    return std::int32_t(std::clamp<std::int64_t>(v, std::numeric_limits<std::int32_t>::min(),
                                                 std::numeric_limits<std::int32_t>::max()));
}

inline void FrameTick(Editor& e)
{
    const std::int64_t cx = e.Canvas.CursorX, cy = e.Canvas.CursorY;
    if (cx < e.Canvas.ViewLeft)
        e.Canvas.ScrollX = Stored(std::int64_t(e.Canvas.ScrollX) + 65);
    else if (cx > std::int64_t(e.Canvas.ViewRight) - 60)
        e.Canvas.ScrollX = Stored(std::int64_t(e.Canvas.ScrollX) - 65);
    else if (cy > std::int64_t(e.Canvas.ViewBottom) - 50)
        e.Canvas.ScrollY = Stored(std::int64_t(e.Canvas.ScrollY) - 33);
    else if (std::int64_t(e.Canvas.ViewTop) - 16 < cy && cy < std::int64_t(e.Canvas.ViewTop) + 16)
        e.Canvas.ScrollY = Stored(std::int64_t(e.Canvas.ScrollY) + 33);

    if (e.Canvas.ScrollY > 1990)
        e.Canvas.ScrollY = 1990;
    if (e.Canvas.ScrollY < -1578)
        e.Canvas.ScrollY = -1578;
    if (e.Canvas.ScrollX > 65)
        e.Canvas.ScrollX = 65;
    if (e.Canvas.ScrollX < -7480)
        e.Canvas.ScrollX = -7480;

    ClearBackBuffer(e);
    RenderMap(e, std::clamp(e.Canvas.FirstRow, 0, 120), std::clamp(e.Canvas.FirstCol, 0, 120), 120, 120);

    const std::int64_t x = e.Canvas.CursorX, y = e.Canvas.CursorY;
    if (e.Brush.EditMode == 0 && e.Brush.ItemTerrit >= 0 && e.Brush.ItemTerrit <= 9)
        Blit(e, TerritWindow(e.Brush.ItemTerrit), x, y);
    if (e.Brush.EditMode == 1 && e.Brush.ItemLands >= 0 && e.Brush.ItemLands < 60)
        Blit(e, LandsWindow(e.Brush.ItemLands / 9, e.Brush.ItemLands % 9), x, y);
    if (e.Brush.EditMode == 2 && e.Brush.ItemTerrain >= 0 && e.Brush.ItemTerrain < 48)
        Blit(e, TerrainWindow(e.Brush.ItemTerrain % 8, e.Brush.ItemTerrain / 8), x, y);
    if (e.Brush.EditMode == 3 && e.Brush.ItemUnits >= 0 && e.Brush.ItemUnits < 54)
        Blit(e, UnitsWindow(e.Brush.ItemUnits % 9, e.Brush.ItemUnits / 9), x, y);
    if (e.Brush.EditMode == 4 && e.Brush.ItemQuadri >= 0 && e.Brush.ItemQuadri < 32)
        Blit(e, QuadriWindow(e.Brush.ItemQuadri % 16, e.Brush.ItemQuadri / 16), x, y);
}

}  // namespace korvan::reference
