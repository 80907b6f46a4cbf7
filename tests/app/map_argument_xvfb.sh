#!/usr/bin/env bash
# The real editor started with a map file on its command line, as a file manager starts it:
# after the intro it shows that map, and "Salva Mappa" saves the very same bytes. Also with a
# name that is not UTF-8, under the C locale and under C.UTF-8: the name's bytes are kept. And
# what the editor's command line refuses: an empty name (bad usage), --help on a full disk.
# Usage: map_argument_xvfb.sh RUN_DIR (the folder holding Project_KORVAN, korvan-map and Graphic/).
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
run=$(cd "$1" && pwd)
scratch=$(mktemp -d /tmp/korvan-argument-XXXXXX)
trap 'rm -rf "$scratch"' EXIT
mkdir "$scratch/empty"
passed=0
# The editor seeds its own map from the clock: a map equal to the file can only be the file's.
"$run/korvan-map" generate --seed 7 -o "$scratch/seven.korv"
bash "$here/check_editor_start.sh" "$run/Project_KORVAN" "$scratch/empty" "$scratch/seven.korv"
passed=$((passed + 1))

odd="$scratch/"$'\xff\xfe'".korv"
"$run/korvan-map" generate --seed 11 -o "$odd"
for locale in C C.UTF-8; do
  LC_ALL=$locale bash "$here/check_editor_start.sh" "$run/Project_KORVAN" "$scratch/empty" "$odd"
  passed=$((passed + 1))
done
[ -z "$(ls -A "$scratch/empty")" ] || { echo "FAIL: the editor wrote into its working folder" >&2; exit 1; }

# No display needed: these end before Qt looks for one.
status=0; out=$(QT_QPA_PLATFORM=offscreen "$run/Project_KORVAN" "" 2>&1) || status=$?
[ "$status" = 2 ] && grep -qx "Project_KORVAN: empty map file name" <<<"$out" ||
  { echo "FAIL: an empty map file name gave $status: $out" >&2; exit 1; }
passed=$((passed + 1))
for option in --help --version; do
  status=0; out=$("$run/Project_KORVAN" $option 2>&1 >/dev/full) || status=$?
  [ "$status" = 1 ] && [ "$out" = "Project_KORVAN: standard output: No space left on device" ] ||
    { echo "FAIL: $option onto a full disk gave $status: $out" >&2; exit 1; }
  passed=$((passed + 1))
done
echo "$passed passed, 0 failed"
