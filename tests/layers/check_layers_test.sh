#!/usr/bin/env bash
# scripts/check-layers against small made-up trees: an include that points down or stays in its
# folder passes; one that points up or sideways fails and names the file and line.
set -euo pipefail
check=$1
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT

failures=0
n=0
# layer of the including file | included header | expected exit status
while IFS='|' read -r layer header expected; do
  tree="$tmp/case$((++n))"
  mkdir -p "$tree/$layer"
  printf '// case\n#include <vector>\n#include "%s"\n' "$header" >"$tree/$layer/File.cpp"
  set +e
  output=$("$check" "$tree" 2>&1)
  status=$?
  set -e
  if [ "$status" != "$expected" ]; then
    echo "FAIL: $layer including \"$header\" exited $status, expected $expected: $output"
    failures=$((failures + 1))
  elif [ "$expected" = 1 ] && [[ "$output" != *"$layer/File.cpp:3:"* ]]; then
    echo "FAIL: $layer including \"$header\" did not name the line: $output"
    failures=$((failures + 1))
  fi
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
CASES
[ "$failures" = 0 ] && echo "all cases pass"
exit "$failures"
