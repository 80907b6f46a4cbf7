#include "edit/Brush.h"

#include "edit/Editor.h"
#include "edit/HitTest.h"

#include <cstddef>

namespace korvan {

std::int32_t& ItemOfMode(Editor& editor, int mode)
{
    switch (mode) {
    case TerritMode:
        return editor.ItemTerrit;
    case LandsMode:
        return editor.ItemLands;
    case TerrainMode:
        return editor.ItemTerrain;
    case UnitsMode:
        return editor.ItemUnits;
    default:
        return editor.ItemQuadri;
    }
}

void StepEditMode(Editor& editor) { StepValue(editor.EditMode, EditModeLimit); }

void StepItem(Editor& editor, int mode)
{
    if (mode >= TerritMode && mode <= QuadriMode)
        StepValue(ItemOfMode(editor, mode), ItemLimits[mode]);
}

void PaintCell(Editor& editor)
{
    const CellHit hit = PickCell(editor, static_cast<std::uint8_t>(editor.FirstRow),
                                 static_cast<std::uint8_t>(editor.FirstCol), 120, 120);
    if (hit.Row < 0 || hit.Col < 0)
        return;
    std::uint8_t offset = 0;
    switch (editor.EditMode) {
    case TerritMode:
        offset = offsetof(MapCell, Terrain);
        break;
    case LandsMode:
        offset = offsetof(MapCell, LandsTile);
        break;
    case TerrainMode:
        offset = offsetof(MapCell, TerrainTile);
        break;
    case QuadriMode:
        offset = static_cast<std::uint8_t>(offsetof(MapCell, CornerTiles) + editor.ItemQuadri % 4);
        break;
    default:  // units have no layer in the cell record
        return;
    }
    WriteCellByte(editor.Cells, editor.History, hit.Row, hit.Col, offset,
                  static_cast<std::uint8_t>(ItemOfMode(editor, editor.EditMode)));
}

void ResetBrushAfterNewMap(Editor& editor)
{
    editor.FirstRow = 0;
    editor.FirstCol = 0;
    editor.EditMode = UnitsMode;
}

}  // namespace korvan
