#!/usr/bin/env bash
# The real editor started with a map file on its command line, as a file manager starts it:
# after the intro it shows that map, and "Salva Mappa" saves the very same bytes.
# Usage: map_argument_xvfb.sh RUN_DIR (the folder holding Project_KORVAN, korvan-map and Graphic/).
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
run=$(cd "$1" && pwd)
scratch=$(mktemp -d /tmp/korvan-argument-XXXXXX)
trap 'rm -rf "$scratch"' EXIT
mkdir "$scratch/empty"
# The editor seeds its own map from the clock: a map equal to the file can only be the file's.
"$run/korvan-map" generate --seed 7 -o "$scratch/seven.korv"
bash "$here/check_editor_start.sh" "$run/Project_KORVAN" "$scratch/empty" "$scratch/seven.korv"
[ -z "$(ls -A "$scratch/empty")" ] || { echo "FAIL: the editor wrote into its working folder" >&2; exit 1; }
echo "1 passed, 0 failed"
