// Stepping the brush and painting a cell.
#include "edit/Brush.h"

#include "edit/HitTest.h"

namespace korvan {

std::int32_t& ItemOfMode(BrushState& brush, int mode)
{
    // Out-of-range modes fall on the last one, as the mode steps never leave 0..4.
    return brush.*BrushModes[mode >= TerritMode && mode <= QuadriMode ? mode : QuadriMode].Item;
}

void StepEditMode(BrushState& brush) { StepValue(brush.EditMode, EditModeLimit); }

void StepItem(BrushState& brush, int mode)
{
    if (mode >= TerritMode && mode <= QuadriMode)
        StepValue(ItemOfMode(brush, mode), ItemLimit(mode));
}

void PaintCell(MapGrid& cells, EditHistory& history, const ViewState& view, const BrushState& brush)
{
    const CellHit hit = PickCell(cells, view, static_cast<std::uint8_t>(view.FirstRow),
                                 static_cast<std::uint8_t>(view.FirstCol), LastIndex, LastIndex);
    if (hit.Row < 0 || hit.Col < 0)
        return;
    const BrushModeInfo* mode = BrushModeOf(brush.EditMode);
    if (mode == nullptr || mode->PaintedByte == nullptr)
        return;
    const auto item = static_cast<std::uint8_t>(brush.*mode->Item);
    WriteCellByte(cells, history, hit.Row, hit.Col, mode->PaintedByte(item), item);
}

void ResetBrushAfterNewMap(ViewState& view, BrushState& brush)
{
    view.FirstRow = 0;
    view.FirstCol = 0;
    brush.EditMode = UnitsMode;
}

}  // namespace korvan
