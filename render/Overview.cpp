// The overview's geometry.
#include "render/Overview.h"

namespace korvan {
namespace {

std::int64_t FloorDiv(std::int64_t a, std::int64_t b) { return a >= 0 ? a / b : -((-a + b - 1) / b); }

}  // namespace

OverviewRect ViewInOverview(const ViewState& view)
{
    // Unscrolled screen pixels of the view's first and one-past-last columns and rows.
    const std::int64_t left = std::int64_t(view.ViewLeft) - view.ScrollX - OverviewLeft;
    const std::int64_t right = std::int64_t(view.ViewRight) + 1 - view.ScrollX - OverviewLeft;
    const std::int64_t top = std::int64_t(view.ViewTop) - view.ScrollY - OverviewTop;
    const std::int64_t bottom = std::int64_t(view.ViewBottom) + 1 - view.ScrollY - OverviewTop;
    const std::int64_t x0 = FloorDiv(left, OverviewScale), y0 = FloorDiv(top, OverviewScale);
    const std::int64_t x1 = FloorDiv(right + OverviewScale - 1, OverviewScale);
    const std::int64_t y1 = FloorDiv(bottom + OverviewScale - 1, OverviewScale);
    return {int(x0), int(y0), int(x1 - x0), int(y1 - y0)};
}

ScrollPosition ScrollForOverviewPoint(const ViewState& view, int x, int y)
{
    const std::int64_t centreX = (std::int64_t(view.ViewLeft) + view.ViewRight + 1) / 2;
    const std::int64_t centreY = (std::int64_t(view.ViewTop) + view.ViewBottom + 1) / 2;
    const std::int64_t mapX = OverviewLeft + std::int64_t(x) * OverviewScale + OverviewScale / 2;
    const std::int64_t mapY = OverviewTop + std::int64_t(y) * OverviewScale + OverviewScale / 2;
    auto toScroll = [](std::int64_t value, std::int32_t low, std::int32_t high) {
        return std::int32_t(value < low ? low : value > high ? high : value);
    };
    ViewState target = view;
    target.ScrollX = toScroll(centreX - mapX, ScrollXMin, ScrollXMax);
    target.ScrollY = toScroll(centreY - mapY, ScrollYMin, ScrollYMax);
    ClampScroll(target);
    return {target.ScrollX, target.ScrollY};
}

void MoveViewToOverviewPoint(ViewState& view, int x, int y)
{
    const ScrollPosition scroll = ScrollForOverviewPoint(view, x, y);
    view.ScrollX = scroll.X;
    view.ScrollY = scroll.Y;
}

}  // namespace korvan
