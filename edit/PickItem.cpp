// Taking a tile from the map.
#include "edit/PickItem.h"

#include "edit/BrushModes.h"
#include "edit/HitTest.h"
#include "edit/Input.h"

#include <cstdlib>

namespace korvan {
namespace {

// The middle of a ground tile's diamond, from the cell's anchor.
constexpr std::int64_t DiamondCentreX = 33;
constexpr std::int64_t DiamondCentreY = 17;

// Which corner of the diamond the pointer is in, from the cursor's offset to the anchor. The
// pointer lies beyond the cursor by the picture's cursor shift; the diamond is twice as wide as high.
int CornerUnderPointer(std::int64_t dx, std::int64_t dy)
{
    const std::int64_t u = dx + ImageCursorShiftX - DiamondCentreX, v = dy + CursorShiftY - DiamondCentreY;
    if (std::llabs(u) > 2 * std::llabs(v))
        return u > 0 ? CornerRight : CornerLeft;
    return v < 0 ? CornerTop : CornerBottom;
}

}  // namespace

int ItemInCell(const MapCell& cell, int mode, std::int64_t dx, std::int64_t dy)
{
    switch (mode) {
    case TerritMode:
        return cell.Terrain < TerritTiles ? cell.Terrain : -1;
    case LandsMode:
        return cell.LandsTile < LandsTiles ? cell.LandsTile : -1;
    case TerrainMode:
        return cell.TerrainTile < TerrainTiles ? cell.TerrainTile : -1;
    case QuadriMode: {
        const int pointed = CornerUnderPointer(dx, dy);
        if (cell.CornerTiles[pointed] < QuadriTiles)
            return cell.CornerTiles[pointed];
        for (int slot : {CornerTop, CornerBottom, CornerRight, CornerLeft})
            if (cell.CornerTiles[slot] < QuadriTiles)
                return cell.CornerTiles[slot];
        return -1;
    }
    default:
        return -1;
    }
}

bool PickItem(const MapGrid& cells, const ViewState& view, BrushState& brush)
{
    const BrushModeInfo* mode = BrushModeOf(brush.EditMode);
    if (mode == nullptr)
        return false;
    const CellHit hit = PickCell(cells, view, static_cast<std::uint8_t>(view.FirstRow),
                                 static_cast<std::uint8_t>(view.FirstCol), LastIndex, LastIndex);
    if (hit.Row < 0 || hit.Col < 0)
        return false;
    const MapCell& cell = cells[std::size_t(hit.Row)][std::size_t(hit.Col)];
    const std::int64_t dx = std::int64_t(view.CursorX) - (std::int64_t(cell.ScreenX) + view.ScrollX);
    const std::int64_t dy = std::int64_t(view.CursorY) - (std::int64_t(cell.ScreenY) + view.ScrollY);
    const int item = ItemInCell(cell, brush.EditMode, dx, dy);
    if (item < 0)
        return false;
    brush.*mode->Item = item;
    return true;
}

}  // namespace korvan
