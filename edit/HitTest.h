// The hit test: which cell a press at the cursor lands on.
#pragma once

#include "map/MapGrid.h"
#include "render/ViewState.h"

#include <cstdint>

namespace korvan {

// How far the cursor may lie from a cell's scrolled anchor, on either axis, and still hit it.
inline constexpr std::int64_t HitReach = 20;

struct CellHit {
    std::int32_t Row = -1;
    std::int32_t Col = -1;
};

// Scans rows firstRow..firstRow+rowSpan and in each columns firstCol..firstCol+colSpan (inclusive,
// kept inside the grid by the caller). A cell is hit when it passes the drawing's cull test and
// the cursor lies in the 41 x 41 square centred on its scrolled anchor (HitReach either way); the
// last hit in scan order wins. Both results are -1 when nothing is hit.
CellHit PickCell(const MapGrid& cells, const ViewState& view, std::uint8_t firstRow, std::uint8_t firstCol,
                 std::uint8_t rowSpan, std::uint8_t colSpan);

}  // namespace korvan
