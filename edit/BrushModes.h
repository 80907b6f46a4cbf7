// The five brush modes in one table: each mode's item field, the sheet its items are drawn from,
// how many items it has, and where item v lies in the sheet. The brush, its preview and the
// command line read it.
#pragma once

#include "edit/BrushState.h"
#include "render/SheetCatalogue.h"

#include <cstdint>

namespace korvan {

enum BrushMode : int { TerritMode = 0, LandsMode = 1, TerrainMode = 2, UnitsMode = 3, QuadriMode = 4 };

struct BrushModeInfo {
    std::int32_t BrushState::*Item;
    int Slot;
    int Items;  // items 0..Items-1, one per tile of the sheet
    TilePlace (*Place)(int item);
};

inline constexpr int BrushModeCount = 5;
inline constexpr BrushModeInfo BrushModes[BrushModeCount] = {
    {&BrushState::ItemTerrit, TerritSheet, TerritTiles, TerritPlace},
    {&BrushState::ItemLands, LandsSheet, LandsTiles, LandsPlace},
    {&BrushState::ItemTerrain, TerrainSheet, TerrainTiles, TerrainPlace},
    {&BrushState::ItemUnits, UnitsSheet, UnitsTiles, UnitsPlace},
    {&BrushState::ItemQuadri, QuadriSheet, QuadriTiles, QuadriPlace},
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
