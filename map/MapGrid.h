// The 121 x 121 grid, addressed Cells[row][col] and stored row by row in one block.
#pragma once

#include "map/MapCell.h"

#include <array>
#include <cstddef>
#include <cstdint>

namespace korvan {

using MapRow = std::array<MapCell, MapSize>;
using MapGrid = std::array<MapRow, MapSize>;

inline constexpr std::size_t CellCount = std::size_t(MapSize) * MapSize;
inline constexpr std::size_t MapFileSize = CellCount * sizeof(MapCell);  // 234,256 bytes

static_assert(sizeof(MapGrid) == MapFileSize, "the grid must be one contiguous block of records");

// The map's part of the editor's state.
struct MapState {
    MapGrid Cells{};
    // Names what Cells holds: a stamp unique in the process, taken anew by every ChangeCells, so
    // that whatever was made from the cells (a drawn frame) can tell whether they are still the
    // same. Copies carry it with the cells they copy; 0 until the first ChangeCells.
    std::uint64_t CellsVersion = 0;
};

// Cells for writing: takes a new CellsVersion first. The editor writes the map only through
// here (scripts/check-cell-writes checks app/ and edit/), one call per change it makes.
MapGrid& ChangeCells(MapState& map);

inline void ClearCell(MapGrid& cells, int row, int col) { cells[row][col] = DefaultCell(row, col); }

inline bool IsLand(const MapCell& cell) { return cell.Terrain != SeaTerrain; }

}  // namespace korvan
