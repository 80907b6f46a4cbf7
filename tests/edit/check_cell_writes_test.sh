#!/usr/bin/env bash
# scripts/check-cell-writes against one-line files: writes through ChangeCells, reads through
# std::as_const and comments pass; any other use of a map's Cells in app/ or edit/ fails and names
# the file and line. Files of other folders are not its business.
source "$(dirname "$0")/../SourceCheckCases.sh"

# folder | the line | expected exit status
while IFS='|' read -r folder code expected; do
  check_case "$folder" "$(printf '// case\n#include "map/MapGrid.h"\n%s' "$code")" "$expected" "$folder: '$code'"
done <<'CASES'
edit|    PaintCell(ChangeCells(editor.Map), editor.History, editor.Canvas, editor.Brush);|0
app|    korvan::Undo(korvan::ChangeCells(editor_->Map), editor_->History);|0
app|    korvan::SaveMap(std::as_const(editor_->Map.Cells), name);|0
app|    korvan::SaveMap(std::as_const(map.Cells), name);|0
edit|    RenderMap(canvas, std::as_const(editor.Map.Cells), 0, 0, 120, 120);|0
edit|    // editor.Cells is written by the brush|0
edit|// Fills Cells with a new random map|0
tools|    GenerateMap(map->Cells, rng);|0
map|    map.Cells[0][0] = DefaultCell(0, 0);|0
edit|    editor.Map.Cells[1][2].Terrain = 3;|1
edit|    map.Cells[1][2].Terrain = 3;|1
app|    korvan::LoadMap(editor_->Map.Cells, path);|1
app|    korvan::Undo(editor_ -> Cells, editor_->History);|1
edit|    MapGrid& cells = static_cast<MapState&>(editor).Cells;|1
edit|    Use(std::as_const(a.Map.Cells), b.Map.Cells);|1
edit|    Use(std::as_const(a.Map).Cells, b.Map.Cells);|1
CASES
finish_cases
