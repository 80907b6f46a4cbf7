// Everything the editor holds, in one plain aggregate: the map, the artwork, the back buffer,
// the view, the cursor and brush, the water shimmer and the random source.
#pragma once

#include "edit/EditHistory.h"
#include "map/MapGrid.h"
#include "map/RandomSource.h"
#include "render/IndexedImage.h"
#include "render/SheetCode.h"

#include <array>
#include <cstdint>

namespace korvan {

inline constexpr int SheetCount = 6;
enum SheetSlot : int { CitiesSheet = 0, UnitsSheet = 1, TerritSheet = 2, LandsSheet = 3, TerrainSheet = 4, QuadriSheet = 5 };

struct Editor {
    MapGrid Cells{};
    EditHistory History;  // the presses that changed Cells since it was generated, loaded or saved

    std::array<IndexedImage, SheetCount> Sheets;
    std::array<SheetCode, SheetCount> SheetCodes;  // the sheets as opaque runs, made when first blitted
    IndexedImage BackBuffer;

    // The view: scroll offsets, the inclusive clip rectangle and the cull bounds.
    std::int32_t ScrollX = 0;
    std::int32_t ScrollY = 0;
    std::int32_t ViewLeft = 0;
    std::int32_t ViewTop = 0;
    std::int32_t ViewRight = 0;
    std::int32_t ViewBottom = 0;
    std::int32_t CullLeft = 0;
    std::int32_t CullTop = 0;
    std::int32_t FirstRow = 0;
    std::int32_t FirstCol = 0;

    // The cursor, in back-buffer pixels, and the brush: one mode and one item per mode.
    std::int32_t CursorX = 0;
    std::int32_t CursorY = 0;
    std::int32_t EditMode = 0;
    std::int32_t ItemTerrit = 0;
    std::int32_t ItemLands = 0;
    std::int32_t ItemTerrain = 0;
    std::int32_t ItemUnits = 0;
    std::int32_t ItemQuadri = 0;

    // The water shimmer, shared by every shimmering blit across pixels, tiles and frames.
    std::uint8_t ShimmerOffset = 0;
    std::uint8_t ShimmerRising = 0;

    RandomSource Rng;
};

}  // namespace korvan
