// The cell record of the map grid. Its layout is the layout of a record in a .korv file.
#pragma once

#include <cstddef>
#include <cstdint>

namespace korvan {

inline constexpr int MapSize = 121;
inline constexpr int LastIndex = MapSize - 1;

inline constexpr std::uint8_t SeaTerrain = 9;
inline constexpr std::uint8_t NoLandsTile = 60;    // LandsTile values from here up draw nothing
inline constexpr std::uint8_t NoTerrainTile = 48;  // TerrainTile values from here up draw nothing
inline constexpr std::uint8_t NoCorner = 255;

// Slots of MapCell::CornerTiles; a coast piece value v always lives in slot v mod 4.
enum CornerSlot : int { CornerTop = 0, CornerBottom = 1, CornerLeft = 2, CornerRight = 3 };

struct MapCell {
    std::int32_t ScreenX;   // anchor x in unscrolled screen pixels
    std::int32_t ScreenY;   // anchor y in unscrolled screen pixels
    std::uint8_t Marker;    // 1 in every generated cell; nothing reads it
    std::uint8_t Terrain;   // 0..9, 9 is sea
    std::uint8_t LandsTile;
    std::uint8_t TerrainTile;
    std::uint8_t CornerTiles[4];
};

static_assert(sizeof(MapCell) == 16);
static_assert(offsetof(MapCell, ScreenX) == 0);
static_assert(offsetof(MapCell, ScreenY) == 4);
static_assert(offsetof(MapCell, Marker) == 8);
static_assert(offsetof(MapCell, Terrain) == 9);
static_assert(offsetof(MapCell, LandsTile) == 10);
static_assert(offsetof(MapCell, TerrainTile) == 11);
static_assert(offsetof(MapCell, CornerTiles) == 12);

// The isometric projection of cell (row, col).
constexpr std::int32_t AnchorX(int row, int col) { return 33 * (row + col); }
constexpr std::int32_t AnchorY(int row, int col) { return 16 * col - 15 * row; }

// The cleared cell: sea, no overlays, no coast pieces, anchor from the projection.
constexpr MapCell DefaultCell(int row, int col)
{
    return MapCell{AnchorX(row, col), AnchorY(row, col), 1, SeaTerrain, NoLandsTile, NoTerrainTile,
                   {NoCorner, NoCorner, NoCorner, NoCorner}};
}

}  // namespace korvan
