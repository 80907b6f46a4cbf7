// The fixed geometry of the six tile sheets and how a cell or item value picks its tile.
#pragma once

#include <array>
#include <cstdint>

namespace korvan {

inline constexpr int SheetCount = 6;

// The one opacity rule of every sheet: index 0 and indices 240..255 are transparent.
constexpr bool IsOpaque(std::uint8_t v) { return v != 0 && v < 240; }
enum SheetSlot : int { CitiesSheet = 0, UnitsSheet = 1, TerritSheet = 2, LandsSheet = 3, TerrainSheet = 4, QuadriSheet = 5 };

struct SheetGeometry {
    int GridWidth;     // distance between the origins of neighbouring tiles (0: one column only)
    int GridHeight;
    int WindowWidth;   // the rectangle one blit reads, from the tile's origin (0: never drawn)
    int WindowHeight;
    bool Shimmer;      // water indices shimmer and every opaque pixel steps the shimmer
};

// In slot order: Cities, Units, Territ, Lands, Terrain, Quadri.
inline constexpr std::array<SheetGeometry, 6> SheetGeometries = {{
    {0, 0, 0, 0, false},
    {65, 49, 65, 49, false},
    {0, 33, 66, 34, true},
    {65, 33, 65, 34, true},
    {65, 33, 65, 34, false},
    {33, 17, 34, 18, true},
}};

// How many values of each kind have a tile; larger values draw nothing.
inline constexpr int TerritTiles = 10;
inline constexpr int LandsTiles = 60;
inline constexpr int TerrainTiles = 48;
inline constexpr int UnitsTiles = 54;
inline constexpr int QuadriTiles = 32;

struct TilePlace {
    std::uint8_t Column;
    std::uint8_t Row;
};

// Territ is one column of tiles; Lands runs down its columns, the other sheets across their rows.
constexpr TilePlace TerritPlace(int v) { return {0, std::uint8_t(v)}; }
constexpr TilePlace LandsPlace(int v) { return {std::uint8_t(v / 9), std::uint8_t(v % 9)}; }
constexpr TilePlace TerrainPlace(int v) { return {std::uint8_t(v % 8), std::uint8_t(v / 8)}; }
constexpr TilePlace UnitsPlace(int v) { return {std::uint8_t(v % 9), std::uint8_t(v / 9)}; }
constexpr TilePlace QuadriPlace(int v) { return {std::uint8_t(v % 16), std::uint8_t(v / 16)}; }

}  // namespace korvan
