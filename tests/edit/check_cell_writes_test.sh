#!/usr/bin/env bash
# scripts/check-cell-writes against one-line files: writes through ChangeCells, reads through
# std::as_const and comments pass; any other use of a map's Cells in app/ or edit/ fails and names
# the file and line. Files of other folders are not its business.
set -euo pipefail
check=$1
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT

failures=0
n=0
# folder | the line | expected exit status
while IFS='|' read -r folder code expected; do
  tree="$tmp/case$((++n))"
  mkdir -p "$tree/$folder"
  printf '// case\n#include "map/MapGrid.h"\n%s\n' "$code" >"$tree/$folder/File.cpp"
  set +e
  output=$("$check" "$tree" 2>&1)
  status=$?
  set -e
  if [ "$status" != "$expected" ]; then
    echo "FAIL: $folder: '$code' exited $status, expected $expected: $output"
    failures=$((failures + 1))
  elif [ "$expected" = 1 ] && [[ "$output" != *"$folder/File.cpp:3:"* ]]; then
    echo "FAIL: $folder: '$code' did not name the line: $output"
    failures=$((failures + 1))
  fi
done <<'CASES'
edit|    PaintCell(ChangeCells(editor), editor.History, editor, editor);|0
app|    korvan::Undo(korvan::ChangeCells(*editor_), editor_->History);|0
app|    korvan::SaveMap(std::as_const(editor_->Cells), name);|0
edit|    RenderMap(editor, std::as_const(editor.Cells), 0, 0, 120, 120);|0
edit|    // editor.Cells is written by the brush|0
edit|// Fills Cells with a new random map|0
tools|    GenerateMap(map->Cells, rng);|0
map|    map.Cells[0][0] = DefaultCell(0, 0);|0
edit|    editor.Cells[1][2].Terrain = 3;|1
app|    korvan::LoadMap(editor_->Cells, path);|1
app|    korvan::Undo(editor_ -> Cells, editor_->History);|1
edit|    MapGrid& cells = static_cast<MapState&>(editor).Cells;|1
edit|    Use(std::as_const(a.Cells), b.Cells);|1
CASES
[ "$failures" = 0 ] && echo "all cases pass"
exit "$failures"
