#!/usr/bin/env bash
# korvan-map's batch work, timed with hyperfine: generate --seeds against one process per seed
# (maps per second, side by side in one run), and overview of a generated map.
# Usage: bench/korvan_map.sh [RUN_DIR] [MAPS]    (RUN_DIR defaults to build/test/run, MAPS to 200)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
run=$(cd "${1:-$root/build/test/run}" && pwd)
maps=${2:-200}
tool="$run/korvan-map"
command -v hyperfine >/dev/null || { echo "bench/korvan_map.sh needs hyperfine (apt-get install hyperfine)" >&2; exit 2; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

cat >"$work/prepare" <<PREPARE
#!/bin/sh
rm -rf "$work/single" "$work/batch" && mkdir "$work/single"
PREPARE
cat >"$work/single.sh" <<SINGLE
#!/bin/sh
n=1
while [ \$n -le $maps ]; do "$tool" generate --seed \$n -o "$work/single/\$n.korv" || exit 1; n=\$((n + 1)); done
SINGLE
chmod +x "$work/prepare" "$work/single.sh"

hyperfine -N --warmup 1 --runs 5 --prepare "$work/prepare" --export-json "$work/generate.json" \
  -n "one process per seed" "$work/single.sh" \
  -n "generate --seeds" "$tool generate --seeds 1-$maps -o $work/batch"
python3 - "$work/generate.json" "$maps" <<'PY'
import json, sys
results = json.load(open(sys.argv[1]))["results"]
maps = int(sys.argv[2])
for r in results:
    print(f"{r['command']:>22}: {maps / r['mean']:7.1f} maps/s (mean {r['mean']:.3f} s, min {r['min']:.3f} s)")
print(f"ratio: {results[0]['mean'] / results[1]['mean']:.1f}x")
PY

"$tool" generate --seed 3 -o "$work/m.korv"
hyperfine -N --warmup 2 --runs 20 -n "overview" "$tool overview $work/m.korv -o $work/o.png --assets $run"
ls -l "$work/o.png" | awk '{print "overview PNG: " $5 " bytes"}'
