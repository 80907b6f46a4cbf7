// The five brush modes in one table: each mode's item field, the sheet its items are drawn from,
// how many items it has, where item v lies in the sheet, and which byte of a cell painting it writes.
// The brush, its preview and the command line read it.
#pragma once

#include "edit/BrushState.h"
#include "map/MapCell.h"
#include "render/SheetCatalogue.h"

#include <cstddef>
#include <cstdint>

namespace korvan {

enum BrushMode : int { TerritMode = 0, LandsMode = 1, TerrainMode = 2, UnitsMode = 3, QuadriMode = 4 };

struct BrushModeInfo {
    std::int32_t BrushState::*Item;
    int Slot;
    int Items;  // items 0..Items-1, one per tile of the sheet
    TilePlace (*Place)(int item);
    // The offset in the cell record of the byte painting the item writes; none for units, which
    // have no layer in the cell record.
    std::uint8_t (*PaintedByte)(std::uint8_t item);
};

constexpr std::uint8_t TerrainByte(std::uint8_t) { return offsetof(MapCell, Terrain); }
constexpr std::uint8_t LandsByte(std::uint8_t) { return offsetof(MapCell, LandsTile); }
constexpr std::uint8_t FeatureByte(std::uint8_t) { return offsetof(MapCell, TerrainTile); }
// A coast piece v always lives in corner slot v mod 4.
constexpr std::uint8_t CornerByte(std::uint8_t item) { return std::uint8_t(offsetof(MapCell, CornerTiles) + item % 4); }

inline constexpr int BrushModeCount = 5;
inline constexpr BrushModeInfo BrushModes[BrushModeCount] = {
    {&BrushState::ItemTerrit, TerritSheet, TerritTiles, TerritPlace, TerrainByte},
    {&BrushState::ItemLands, LandsSheet, LandsTiles, LandsPlace, LandsByte},
    {&BrushState::ItemTerrain, TerrainSheet, TerrainTiles, TerrainPlace, FeatureByte},
    {&BrushState::ItemUnits, UnitsSheet, UnitsTiles, UnitsPlace, nullptr},
    {&BrushState::ItemQuadri, QuadriSheet, QuadriTiles, QuadriPlace, CornerByte},
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
