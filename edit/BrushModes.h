// The five brush modes in one table: each mode's item field, the sheet its items are drawn from,
// how many items it has, where item v lies in the sheet, and what painting it writes into a cell.
// The brush, its preview and the command line read it.
#pragma once

#include "edit/BrushState.h"
#include "map/MapCell.h"
#include "render/SheetCatalogue.h"

#include <cstdint>

namespace korvan {

enum BrushMode : int { TerritMode = 0, LandsMode = 1, TerrainMode = 2, UnitsMode = 3, QuadriMode = 4 };

struct BrushModeInfo {
    std::int32_t BrushState::*Item;
    int Slot;
    int Items;  // items 0..Items-1, one per tile of the sheet
    TilePlace (*Place)(int item);
    void (*Paint)(MapCell& cell, std::uint8_t item);  // units have no layer in the cell record
};

constexpr void PaintTerrain(MapCell& cell, std::uint8_t item) { cell.Terrain = item; }
constexpr void PaintLands(MapCell& cell, std::uint8_t item) { cell.LandsTile = item; }
constexpr void PaintFeature(MapCell& cell, std::uint8_t item) { cell.TerrainTile = item; }
constexpr void PaintNothing(MapCell&, std::uint8_t) {}
// A coast piece v always lives in corner slot v mod 4.
constexpr void PaintCorner(MapCell& cell, std::uint8_t item) { cell.CornerTiles[item % 4] = item; }

inline constexpr int BrushModeCount = 5;
inline constexpr BrushModeInfo BrushModes[BrushModeCount] = {
    {&BrushState::ItemTerrit, TerritSheet, TerritTiles, TerritPlace, PaintTerrain},
    {&BrushState::ItemLands, LandsSheet, LandsTiles, LandsPlace, PaintLands},
    {&BrushState::ItemTerrain, TerrainSheet, TerrainTiles, TerrainPlace, PaintFeature},
    {&BrushState::ItemUnits, UnitsSheet, UnitsTiles, UnitsPlace, PaintNothing},
    {&BrushState::ItemQuadri, QuadriSheet, QuadriTiles, QuadriPlace, PaintCorner},
};

inline constexpr std::int32_t EditModeLimit = BrushModeCount - 1;

// The largest item of a mode: stepping past it wraps to 0.
constexpr std::int32_t ItemLimit(int mode) { return BrushModes[mode].Items - 1; }

// The mode's entry, or nullptr for a value that is no mode.
constexpr const BrushModeInfo* BrushModeOf(std::int32_t mode)
{
    return mode >= 0 && mode < BrushModeCount ? &BrushModes[mode] : nullptr;
}

}  // namespace korvan
