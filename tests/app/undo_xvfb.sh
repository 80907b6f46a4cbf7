#!/usr/bin/env bash
# Undo and redo in the real editor under Xvfb: a known map is loaded through "Carica Mappa",
# three cells are painted, Ctrl+Z is pressed twice and Ctrl+Y once, and the saved file must be
# the known map with the first two presses applied, byte for byte.
# Usage: undo_xvfb.sh RUN_DIR (the folder holding Project_KORVAN, korvan-map, Graphic/, Music/).
here=$(cd "$(dirname "$0")" && pwd)
source "$here/XvfbSession.sh"
source "$here/EditorDriving.sh"
RUN=$1
korv() { python3 "$here/map_probe.py" "$@"; }
WORK=$(mktemp -d /tmp/korvan-undo-XXXXXX)
finish() {
  xvfb_cleanup
  rm -rf "$WORK"
}
trap finish EXIT

start_xvfb
cd "$RUN"
./korvan-map generate --seed 20261208 -o "$WORK/known.korv"
start_editor

note "load a known map"
menu $FILE 3  # "Carica Mappa"
file_dialog "$WORK/known.korv" existing
menu $CENTRA 5  # "Zona Centrale": scroll (-800, 0)

note "paint three cells, undo two presses, redo one"
spots=("320 231" "420 200" "220 300")
records=()
terrains=()
for spot in "${spots[@]}"; do
  read -r px py <<<"$spot"
  read -r record terrain <<<"$(korv hit "$WORK/known.korv" -800 0 $((px - 34)) $((py - 20)))"
  [ "$record" != none ] || fail "no cell under $spot"
  records+=("$record")
  terrains+=("$terrain")
done
[ "$(printf '%s\n' "${records[@]}" | sort -u | wc -l)" = 3 ] || fail "the three spots do not hit three cells"
item=""
for candidate in 0 1 2 3 4 5 6 7 8; do  # a ground tile none of the three cells has
  case " ${terrains[*]} " in *" $candidate "*) ;; *) item=$candidate; break ;; esac
done
xdotool windowfocus --sync "$editor"
xdotool key backslash backslash  # units -> coast pieces -> ground tiles (item 0)
for _ in $(seq 1 "$item"); do xdotool key 1; done
for spot in "${spots[@]}"; do
  read -r px py <<<"$spot"
  point "$px" "$py"
  sleep 0.2
  xdotool click 1
  sleep 0.2
done
point 520 330
xdotool key ctrl+z ctrl+z ctrl+y
sleep 0.3
korv patch "$WORK/known.korv" "$WORK/expected.korv" "${records[0]}" 9 "$item"
korv patch "$WORK/expected.korv" "$WORK/expected.korv" "${records[1]}" 9 "$item"

note "save and compare"
menu $FILE 5  # "Salva Con Nome"
file_dialog "$WORK/saved.korv"
[ -f "$WORK/saved.korv" ] || fail "the map was not saved"
cmp "$WORK/expected.korv" "$WORK/saved.korv" || fail "the saved map is not the known map with the first two presses"

note "saved: opening \"Uscita\" ends the program at once"
xdotool mousemove --window "$editor" $USCITA $((MENU / 2)) click 1
for _ in $(seq 1 50); do kill -0 "$PROGRAM_PID" 2>/dev/null || break; sleep 0.1; done
kill -0 "$PROGRAM_PID" 2>/dev/null && fail "the program is still running"
PROGRAM_PID=""
echo "1 passed, 0 failed"
