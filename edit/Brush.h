// The brush: five modes, each with its own item, stepped by keys and the right button, and the
// paint that writes the current item into one byte of a cell.
#pragma once

#include <cstdint>

namespace korvan {

struct Editor;

enum BrushMode : int { TerritMode = 0, LandsMode = 1, TerrainMode = 2, UnitsMode = 3, QuadriMode = 4 };

inline constexpr std::int32_t EditModeLimit = 4;
inline constexpr std::int32_t ItemLimits[5] = {9, 59, 47, 53, 31};  // by mode

// At or above the limit wraps to 0, otherwise one more.
constexpr void StepValue(std::int32_t& value, std::int32_t limit) { value = value >= limit ? 0 : value + 1; }

// The item field of a mode (0..4).
std::int32_t& ItemOfMode(Editor& editor, int mode);

void StepEditMode(Editor& editor);
void StepItem(Editor& editor, int mode);

// Writes the current mode's item into the cell under the cursor, if any; mode 3 writes nothing.
void PaintCell(Editor& editor);

// Start-up and every new map leave the brush here: mode 3 (units), scan from row and column 0.
void ResetBrushAfterNewMap(Editor& editor);

}  // namespace korvan
