#!/usr/bin/env bash
# scripts/check-layers against small made-up trees: an include that points down or stays in its
# folder passes; one that points up or sideways fails and names the file and line, however its
# path is written (climbing with "..", or in angle brackets).
source "$(dirname "$0")/../SourceCheckCases.sh"

# layer of the including file | included header | expected exit status
while IFS='|' read -r layer header expected; do
  [[ $header == \<* ]] || header="\"$header\""
  check_case "$layer" "$(printf '// case\n#include <vector>\n#include %s' "$header")" "$expected" "$layer including $header"
done <<'CASES'
map|base/KorvanError.h|0
render|map/MapGrid.h|0
edit|render/Canvas.h|0
app|music/MidiEngine.h|0
tools|edit/Editor.h|0
render|Local.h|0
map|edit/Editor.h|1
map|render/IndexedImage.h|1
render|edit/Editor.h|1
edit|app/TImage.h|1
base|map/MapCell.h|1
music|map/MapFile.h|1
map|music/MidiFile.h|1
render|tools/korvan-map/Verbs.h|1
render|../edit/Editor.h|1
render|./../edit/Editor.h|1
render|../render/../edit/Editor.h|1
render|..//edit/./Editor.h|1
map|<edit/FrameCache.h>|1
map|<render/../edit/FrameCache.h>|1
edit|../render/Canvas.h|0
app|../edit/Editor.h|0
map|<base/KorvanError.h>|0
render|<vector>|0
render|<QtGui/QImage>|0
render|../../elsewhere/edit/Editor.h|0
CASES
finish_cases
