#!/usr/bin/env bash
# scripts/check-layers on a copy of the project's layers with two upward includes planted, as a
# newcomer might write them: "../edit/Editor.h" in render/Shimmer.h and <edit/FrameCache.h> in
# map/MapState.cpp. The copy as it is passes; the planted one fails and names both lines.
# Usage: planted_includes_test.sh SOURCE_DIR
set -euo pipefail
source_dir=$1
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
for layer in base map music render edit app tools; do
  cp -r "$source_dir/$layer" "$tmp/$layer"
done
"$source_dir/scripts/check-layers" "$tmp" || { echo "FAIL: the copy as it is fails the check"; exit 1; }

sed -i 's|^#pragma once$|#pragma once\n#include "../edit/Editor.h"|' "$tmp/render/Shimmer.h"
sed -i '0,/^#include/s|^#include.*|&\n#include <edit/FrameCache.h>|' "$tmp/map/MapState.cpp"
shimmer_line=$(grep -n '"../edit/Editor.h"' "$tmp/render/Shimmer.h" | cut -d: -f1)
map_line=$(grep -n '<edit/FrameCache.h>' "$tmp/map/MapState.cpp" | cut -d: -f1)
set +e
output=$("$source_dir/scripts/check-layers" "$tmp" 2>&1)
status=$?
set -e
echo "$output"
[ "$status" = 1 ] || { echo "FAIL: the planted includes passed (exit $status)"; exit 1; }
for expected in "render/Shimmer.h:$shimmer_line: render may not include edit/Editor.h" \
                "map/MapState.cpp:$map_line: map may not include edit/FrameCache.h"; do
  [[ "$output" == *"$expected"* ]] || { echo "FAIL: not reported: $expected"; exit 1; }
done
echo "both planted includes reported"
