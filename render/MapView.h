// The map view: clearing, drawing the visible cells in two passes, edge scrolling, the scroll
// limits, the brush preview, and the frame tick that runs them in order.
#pragma once

#include "edit/Editor.h"

#include <cstdint>

namespace korvan {

// The scroll range that every drawn frame lies in.
inline constexpr std::int32_t ScrollXMin = -7480;
inline constexpr std::int32_t ScrollXMax = 65;
inline constexpr std::int32_t ScrollYMin = -1578;
inline constexpr std::int32_t ScrollYMax = 1990;

void ClearBackBuffer(Editor& editor);

// Rows firstRow..firstRow+rowSpan, in each columns firstCol..firstCol+colSpan, cut at the grid's
// last row and column: ground tiles and coast pieces first, then Lands and Terrain overlays.
void RenderMap(Editor& editor, std::uint8_t firstRow, std::uint8_t firstCol, std::uint8_t rowSpan,
               std::uint8_t colSpan);

// At most one step, from the first edge band that holds the cursor.
void EdgeScroll(Editor& editor);
void ClampScroll(Editor& editor);

// The current brush item at the cursor, without scroll.
void DrawBrushPreview(Editor& editor);

// One frame into the back buffer: edge scroll, clamp, clear, the whole map, the preview.
void FrameTick(Editor& editor);

}  // namespace korvan
