// The map view: clearing, drawing the visible cells in two passes, edge scrolling and the
// scroll limits (the frame tick that runs them in order is the editor's, edit/Frame.h).
#pragma once

#include "map/MapGrid.h"
#include "render/Canvas.h"

#include <cstdint>

namespace korvan {

// The scroll range that every drawn frame lies in.
inline constexpr std::int32_t ScrollXMin = -7480;
inline constexpr std::int32_t ScrollXMax = 65;
inline constexpr std::int32_t ScrollYMin = -1578;
inline constexpr std::int32_t ScrollYMax = 1990;

// Edge scrolling: with the cursor in an edge band, a step scrolls the map by about two cells'
// spacing, horizontally or vertically. The bands lie along the clip rectangle: left of it, its
// last RightBandWidth columns, its last BottomBandHeight rows, and the rows less than
// TopBandReach above or below its top edge. A press has a top band of its own (edit/Input.h).
inline constexpr std::int32_t EdgeStepX = 65;
inline constexpr std::int32_t EdgeStepY = 33;
inline constexpr std::int32_t RightBandWidth = 60;
inline constexpr std::int32_t BottomBandHeight = 50;
inline constexpr std::int32_t TopBandReach = 16;

void ClearBackBuffer(Artwork& artwork);

// Rows firstRow..firstRow+rowSpan, in each columns firstCol..firstCol+colSpan, cut at the grid's
// last row and column: ground tiles and coast pieces first, then Lands and Terrain overlays.
void RenderMap(Canvas& canvas, const MapGrid& cells, std::uint8_t firstRow, std::uint8_t firstCol,
               std::uint8_t rowSpan, std::uint8_t colSpan);

// At most one step, from the first edge band that holds the cursor; none while the cursor is
// unknown (ViewState::CursorUnknown).
void EdgeScroll(ViewState& view);
void ClampScroll(ViewState& view);

}  // namespace korvan
