#include "edit/Brush.h"

#include "edit/Editor.h"
#include "edit/HitTest.h"

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
    MapCell& cell = editor.Cells[hit.Row][hit.Col];
    switch (editor.EditMode) {
    case TerritMode:
        cell.Terrain = static_cast<std::uint8_t>(editor.ItemTerrit);
        break;
    case LandsMode:
        cell.LandsTile = static_cast<std::uint8_t>(editor.ItemLands);
        break;
    case TerrainMode:
        cell.TerrainTile = static_cast<std::uint8_t>(editor.ItemTerrain);
        break;
    case QuadriMode:
        cell.CornerTiles[editor.ItemQuadri % 4] = static_cast<std::uint8_t>(editor.ItemQuadri);
        break;
    default:  // units have no layer in the cell record
        break;
    }
}

void ResetBrushAfterNewMap(Editor& editor)
{
    editor.FirstRow = 0;
    editor.FirstCol = 0;
    editor.EditMode = UnitsMode;
}

}  // namespace korvan
