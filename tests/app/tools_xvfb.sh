#!/usr/bin/env bash
# The editor's tools in the real editor under Xvfb, driven with xdotool as a user would: each
# tile window opened from its "Editor" menu entry, three tiles clicked in each with a press on the
# map after every click, the middle button taking a tile that the next press paints elsewhere, the
# map saved and compared byte for byte with the known map and exactly those presses; then the
# overview opened with M, its four corners and its centre clicked, and the view checked against
# the frame korvan-map draws at the scroll each click asks for. None of it may leave the map
# unsaved: opening "Uscita" then ends the program at once.
# Usage: tools_xvfb.sh RUN_DIR (the folder holding Project_KORVAN, korvan-map, Graphic/, Music/).
here=$(cd "$(dirname "$0")" && pwd)
source "$here/XvfbSession.sh"
source "$here/EditorDriving.sh"
RUN=$1
korv() { python3 "$here/map_probe.py" "$@"; }
check() { python3 "$here/screen_check.py" "$@"; }
WORK=$(mktemp -d /tmp/korvan-tools-XXXXXX)
finish() {
  xvfb_cleanup
  rm -rf "$WORK"
}
trap finish EXIT

start_xvfb
cd "$RUN"
./korvan-map generate --seed 20261209 -o "$WORK/known.korv"
start_editor

note "load a known map, view the centre zone"
menu $FILE 3  # "Carica Mappa"
file_dialog "$WORK/known.korv" existing
menu $CENTRA 5  # "Zona Centrale": scroll (-800, 0)
SX=-800 SY=0

# The map spots pressed, in the upper left of the view, where no tile window covers them once
# each is moved to the lower right of the screen; the record each one paints.
spots=("80 80" "180 80" "280 80" "380 80" "480 80" "80 160" "180 160" "280 160" "380 160" "480 160"
  "80 240" "180 240" "280 240" "380 240" "480 240" "560 120")
records=()
for spot in "${spots[@]}"; do
  read -r px py <<<"$spot"
  read -r record _ <<<"$(korv hit "$WORK/known.korv" $SX $SY $((px - 34)) $((py - 20)))"
  [ "$record" != none ] || fail "no cell under $spot"
  records+=("$record")
done
[ "$(printf '%s\n' "${records[@]}" | sort -u | wc -l)" = ${#spots[@]} ] || fail "the spots do not hit distinct cells"

# Where a tile's cell lies in a palette 536 pixels wide (less the scroll bar for the units):
# a margin of 3, cells of the tile's grid box plus 2 on each side, value order, row by row.
palette_point() {  # palette_point MODE ITEM -> "X Y"
  python3 - "$@" <<'PY'
import sys
mode, item = map(int, sys.argv[1:3])
box = {1: (65, 33), 2: (65, 33), 3: (65, 49), 4: (33, 17)}[mode]
pitch_x, pitch_y = box[0] + 4, box[1] + 4
columns = {1: 7, 2: 7, 3: 7, 4: 12}[mode]
print(3 + item % columns * pitch_x + pitch_x // 2, 3 + item // columns * pitch_y + pitch_y // 2)
PY
}

cp "$WORK/known.korv" "$WORK/expected.korv"
spot=0
paint_next() {  # paint_next OFFSET VALUE: a press on the next spot, which must change that byte
  local px py record=${records[$spot]}
  read -r px py <<<"${spots[$spot]}"
  if [ -n "$1" ]; then
    [ "$(korv byte "$WORK/expected.korv" "$record" "$1")" != "$2" ] || fail "spot $spot already holds $2: a press there proves nothing"
    korv patch "$WORK/expected.korv" "$WORK/expected.korv" "$record" "$1" "$2"
  fi
  point "$px" "$py"
  sleep 0.2
  xdotool click 1
  sleep 0.2
  spot=$((spot + 1))
}

# Tile windows: menu position, caption, brush mode, the byte a press writes, three items.
while IFS='|' read -r downs caption mode offset items; do
  note "\"$caption\": three tiles, a press after each"
  menu $EDITOR "$downs"
  window=$(wait_window "^${caption}\$" 5) || { import -window root "$SHOTS/screen.png"; fail "\"$caption\" did not open"; }
  read -r _ _ ww wh <<<"$(geometry "$window")"
  xdotool windowmove "$window" $((1024 - ww)) $((768 - wh))
  sleep 0.5
  shot "$window" "palette-$caption"
  for item in $items; do
    if [ "$mode" = 0 ]; then x=33 y=$((33 * item + 16)); else read -r x y <<<"$(palette_point "$mode" "$item")"; fi
    xdotool mousemove --window "$window" "$x" "$y" click 1
    sleep 0.2
    case $mode in
      4) paint_next $((12 + item % 4)) "$item" ;;
      3) paint_next "" "" ;;  # units: the cell record has no layer for them
      *) paint_next "$offset" "$item" ;;
    esac
  done
  shot "$window" "palette-$caption-chosen"
  xdotool windowmove "$window" 2000 2000  # off the screen, out of the way of the view
  sleep 0.2
done <<'LIST'
1|Form_Tiles_Terreno|0|9|3 6 8
2|Form_Tiles_Risorse|2|11|5 20 41
3|Form_Tiles_Fiumi|4|12|6 13 27
4|Form_Tiles_Strade|3||10 22 34
5|Form_Tiles_Status_Terreno|1|10|8 29 51
LIST
# Lands tile 51 is the brush now.

note "the middle button takes the tile of a painted cell; the next press paints it elsewhere"
taken_from=${spots[12]}  # painted with Lands tile 8 above
read -r px py <<<"$taken_from"
point "$px" "$py"
sleep 0.2
xdotool click 2
sleep 0.2
korv patch "$WORK/expected.korv" "$WORK/expected.korv" "${records[15]}" 10 8
read -r px py <<<"${spots[15]}"
[ "$(korv byte "$WORK/known.korv" "${records[15]}" 10)" != 8 ] || fail "the last spot already holds Lands tile 8"
point "$px" "$py"
sleep 0.2
xdotool click 1
sleep 0.2

note "save and compare"
menu $FILE 5  # "Salva Con Nome"
file_dialog "$WORK/saved.korv"
[ -f "$WORK/saved.korv" ] || fail "the map was not saved"
cmp "$WORK/expected.korv" "$WORK/saved.korv" || fail "the saved map is not the known map with the presses"

note "M opens the overview; its corners and centre move the view there"
point 300 200  # the cursor stays here, outside every edge band, while the overview is used
sleep 0.2
xdotool windowfocus --sync "$editor"
xdotool key m
overview=$(wait_window "^Panoramica Mappa \\(tasto M\\)\$" 5) || { import -window root "$SHOTS/screen.png"; fail "M opened no overview"; }
read -r ox oy ow oh <<<"$(geometry "$overview")"
[ "$ow $oh" = "512 252" ] || fail "the overview is ${ow}x${oh}"
sleep 0.5
shot "$overview" overview
read -r ex ey _ _ <<<"$(geometry "$editor")"
visible=$((oy - ey - MENU))  # rows of the view above the overview
[ "$visible" -gt 150 ] || visible=150
while read -r name cx cy; do
  xdotool mousemove --window "$overview" "$cx" "$cy" click 1
  sleep 0.5
  read -r sx sy x0 y0 x1 y1 <<<"$(python3 - "$cx" "$cy" <<'PY'
import sys
cx, cy = map(int, sys.argv[1:3])
clamp = lambda v, lo, hi: max(lo, min(hi, v))
sx = clamp(320 - (-65 + 16 * cx + 8), -7480, 65)
sy = clamp(231 - (-1990 + 16 * cy + 8), -1578, 1990)
ceil = lambda a: -(-a // 16)
print(sx, sy, (65 - sx) // 16, (1990 - sy) // 16, ceil(705 - sx) - 1, ceil(2452 - sy) - 1)
PY
)"
  # A slow build (sanitizers, a loaded machine) may take a while to redraw: wait up to 10 s.
  for _ in $(seq 1 40); do
    shot "$overview" "overview-$name"
    frame=$(check bbox-colour "$SHOTS/overview-$name.ppm" 255 255 255 0 0 512 252)
    [ "$frame" = "$x0 $y0 $x1 $y1" ] && break
    sleep 0.25
  done
  [ "$frame" = "$x0 $y0 $x1 $y1" ] || fail "$name: the overview frames $frame, not $x0 $y0 $x1 $y1"
  ./korvan-map frame "$WORK/saved.korv" -o "$WORK/expected-$name.png" --scroll "$sx" "$sy" --cursor 266 180 --mode 1 --item 8
  convert "$WORK/expected-$name.png" "ppm:$WORK/expected-$name.ppm"
  for _ in $(seq 1 20); do
    shot "$editor" "view-$name"
    convert "$SHOTS/view-$name.ppm" -crop "640x462+0+$MENU" +repage "ppm:$WORK/view-$name.ppm"
    differs=$(check changed-solid "$WORK/expected-$name.ppm" "$WORK/view-$name.ppm" 0 0 640 "$visible")
    [ "$differs" -le 20 ] && break
    sleep 0.25
  done
  echo "$name: scroll $sx $sy, $differs pixels differ from korvan-map's frame"
  [ "$differs" -le 20 ] || fail "$name: the view is not at scroll $sx $sy ($differs pixels differ)"
done <<'CLICKS'
top-left 0 0
centre 256 126
top-right 511 0
bottom-left 0 251
centre-again 256 126
bottom-right 511 251
CLICKS

note "M closes it again"
xdotool windowfocus --sync "$editor"
xdotool key m
sleep 0.4
xdotool search --onlyvisible --name "^Panoramica Mappa" >/dev/null 2>&1 && fail "M did not close the overview"

note "the tools left nothing unsaved: opening \"Uscita\" ends the program at once"
xdotool mousemove --window "$editor" $USCITA $((MENU / 2)) click 1
for _ in $(seq 1 50); do kill -0 "$PROGRAM_PID" 2>/dev/null || break; sleep 0.1; done
kill -0 "$PROGRAM_PID" 2>/dev/null && fail "the program is still running (a question about unsaved changes?)"
PROGRAM_PID=""
echo "screenshots in $SHOTS"
echo "1 passed, 0 failed"
