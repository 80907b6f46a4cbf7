// The map view: clearing, culling and drawing the map, edge scrolling, the scroll limits.
#include "render/MapView.h"

#include "render/Cull.h"
#include "render/Blitter.h"

#include <algorithm>
#include <array>
#include <limits>

namespace korvan {

namespace {

std::int32_t Saturated(std::int64_t value)
{
    return std::int32_t(std::clamp<std::int64_t>(value, std::numeric_limits<std::int32_t>::min(),
                                                 std::numeric_limits<std::int32_t>::max()));
}

}  // namespace

void ClearBackBuffer(Artwork& artwork)
{
    std::fill(artwork.BackBuffer.Pixels.begin(), artwork.BackBuffer.Pixels.end(), std::uint8_t(0));
}

void RenderMap(Canvas& canvas, const MapGrid& cells, std::uint8_t firstRow, std::uint8_t firstCol,
               std::uint8_t rowSpan, std::uint8_t colSpan)
{
    const int lastRow = std::min(LastIndex, firstRow + rowSpan);
    const int lastCol = std::min(LastIndex, firstCol + colSpan);
    // Nothing in a pass moves the view or the cells, so both passes draw the cells that pass the
    // cull test once, in grid order.
    VisibleCells visible;
    const std::size_t count = CullCells(cells, canvas, firstRow, lastRow, firstCol, lastCol, visible);
    ActiveBlitter().DrawCells(canvas, visible, count);
}

void EdgeScroll(ViewState& view)
{
    if (view.CursorUnknown != 0)
        return;
    const std::int64_t cursorX = view.CursorX, cursorY = view.CursorY;
    if (cursorX < view.ViewLeft)
        view.ScrollX = Saturated(std::int64_t(view.ScrollX) + EdgeStepX);
    else if (cursorX > std::int64_t(view.ViewRight) - RightBandWidth)
        view.ScrollX = Saturated(std::int64_t(view.ScrollX) - EdgeStepX);
    else if (cursorY > std::int64_t(view.ViewBottom) - BottomBandHeight)
        view.ScrollY = Saturated(std::int64_t(view.ScrollY) - EdgeStepY);
    else if (std::int64_t(view.ViewTop) - TopBandReach < cursorY && cursorY < std::int64_t(view.ViewTop) + TopBandReach)
        view.ScrollY = Saturated(std::int64_t(view.ScrollY) + EdgeStepY);
}

void ClampScroll(ViewState& view)
{
    if (view.ScrollY > ScrollYMax)
        view.ScrollY = ScrollYMax;
    if (view.ScrollY < ScrollYMin)
        view.ScrollY = ScrollYMin;
    if (view.ScrollX > ScrollXMax)
        view.ScrollX = ScrollXMax;
    if (view.ScrollX < ScrollXMin)
        view.ScrollX = ScrollXMin;
}

}  // namespace korvan
