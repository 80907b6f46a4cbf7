// The map overview: the whole area the view can reach, one overview pixel for every 16 x 16
// pixels of the map, where the view lies in it, and the scroll a click there asks for.
#pragma once

#include "render/MapView.h"
#include "render/ViewState.h"

#include <cstdint>

namespace korvan {

inline constexpr int OverviewScale = 16;
// Unscrolled screen pixel of the overview's top-left corner: the view's corner at the largest
// scroll values. Its right and bottom edges are the view's at the smallest.
inline constexpr std::int32_t OverviewLeft = -ScrollXMax;
inline constexpr std::int32_t OverviewTop = -ScrollYMax;
inline constexpr int OverviewWidth = (ScrollXMax - ScrollXMin + ViewWidth + OverviewScale - 1) / OverviewScale;
inline constexpr int OverviewHeight = (ScrollYMax - ScrollYMin + ViewHeight + OverviewScale - 1) / OverviewScale;

struct OverviewRect {
    int X = 0;
    int Y = 0;
    int Width = 0;
    int Height = 0;
};

// The overview pixels the view covers, every one it touches.
OverviewRect ViewInOverview(const ViewState& view);

// A click at overview pixel (x, y), inside or past its edges: the scroll that puts the middle of
// that pixel at the view's centre (320, 231), clamped as the frame tick clamps.
ScrollPosition ScrollForOverviewPoint(const ViewState& view, int x, int y);
void MoveViewToOverviewPoint(ViewState& view, int x, int y);

}  // namespace korvan
