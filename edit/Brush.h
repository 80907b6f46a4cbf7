// The brush: five modes, each with its own item, stepped by keys and the right button, and the
// paint that writes the current item into one byte of a cell.
#pragma once

#include "edit/BrushModes.h"
#include "edit/BrushState.h"
#include "edit/EditHistory.h"
#include "map/MapGrid.h"
#include "render/ViewState.h"

#include <cstdint>

namespace korvan {

// At or above the limit wraps to 0, otherwise one more.
constexpr void StepValue(std::int32_t& value, std::int32_t limit) { value = value >= limit ? 0 : value + 1; }

// The item field of a mode (0..4).
std::int32_t& ItemOfMode(BrushState& brush, int mode);

void StepEditMode(BrushState& brush);
void StepItem(BrushState& brush, int mode);

// Writes the current mode's item into the cell under the cursor, if any, and records the change
// in the history when the byte held something else; mode 3 writes nothing.
void PaintCell(MapGrid& cells, EditHistory& history, const ViewState& view, const BrushState& brush);

// Start-up and every new map leave the brush here: mode 3 (units), scan from row and column 0.
void ResetBrushAfterNewMap(ViewState& view, BrushState& brush);

}  // namespace korvan
