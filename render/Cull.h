// The cull test of the map drawing: which cells of a range of the grid lie in the view.
#pragma once

#include "map/MapGrid.h"
#include "render/ViewState.h"

#include <array>
#include <cstddef>

namespace korvan {

using VisibleCells = std::array<const MapCell*, CellCount>;

// Cells of rows firstRow..lastRow and, in each, columns firstCol..lastCol (inside the grid)
// whose scrolled anchor passes the cull test, in grid order; returns how many.
std::size_t CullCells(const MapGrid& grid, const ViewState& view, int firstRow, int lastRow, int firstCol, int lastCol,
                      VisibleCells& visible);

}  // namespace korvan
