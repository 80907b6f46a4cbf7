// Taking a tile from the map: the middle button sets the current brush's item to what the cell
// under the cursor holds for that brush.
#pragma once

#include "edit/BrushState.h"
#include "map/MapGrid.h"
#include "render/ViewState.h"

namespace korvan {

// The item a cell holds for a brush mode, or -1 where it holds none: a value past the sheet
// counts as none, and units have no layer in the cell. (dx, dy) is the cursor less the cell's
// scrolled anchor; for coast pieces it says which corner is meant: the corner of the diamond the
// pointer is in when that corner holds a piece, else the first that does, in the order the
// pieces are drawn (top, bottom, right, left).
int ItemInCell(const MapCell& cell, int mode, std::int64_t dx, std::int64_t dy);

// The cell that a left press would paint, by the same hit test; its item for the current mode
// becomes that mode's item. Nothing changes where no cell is hit or it holds nothing for the
// mode. True when the item was set.
bool PickItem(const MapGrid& cells, const ViewState& view, BrushState& brush);

}  // namespace korvan
