#!/usr/bin/env bash
# The real editor in a real X server, driven with xdotool as a user would: the intro, the editor
# window's place and size, the map on screen, the brush preview, painting, edge scrolling, the
# file commands through the real dialogs, every information window, and the exit.
# Usage: editor_xvfb.sh RUN_DIR (the folder holding Project_KORVAN, Graphic/ and Music/).
here=$(cd "$(dirname "$0")" && pwd)
source "$here/XvfbSession.sh"
RUN=$1
check() { python3 "$here/screen_check.py" "$@"; }
WORK=$(mktemp -d /tmp/korvan-e2e-XXXXXX)
CAPTION="Generatore & Editor di Mappe Isometriche per Strategici in tempo reale o a turni V $("$RUN/Project_KORVAN" --version | sed -n '1s/.* //p')"

start_xvfb
cd "$RUN"
./Project_KORVAN >"$SHOTS/program.log" 2>&1 &
PROGRAM_PID=$!

note "intro"
intro=$(wait_window "^Generatore & Editor" 20) || fail "no intro window"
read -r ix iy iw ih <<<"$(geometry "$intro")"
[ "$iw $ih" = "400 300" ] || fail "intro is ${iw}x${ih}"
[ "$ix $iy" = "312 234" ] || fail "intro at $ix,$iy, not centred at 312,234"

# Without a sound card the intro music reports once; the intro goes on after OK.
boxes=0
editor=""
for _ in $(seq 1 200); do
  if dismiss_error_box; then boxes=$((boxes + 1)); fi
  id=$(xdotool search --onlyvisible --name "^Generatore & Editor" 2>/dev/null | head -1 || true)
  if [ -n "$id" ] && [ "$(geometry "$id" | cut -d' ' -f3)" = 640 ]; then editor=$id; break; fi
  [ "$boxes" -eq 0 ] && [ ! -f "$SHOTS/intro.ppm" ] && sleep 0.5 && shot "$intro" intro
  sleep 0.1
done
[ -n "$editor" ] || fail "the editor window never appeared"
sleep 0.5
dismiss_error_box && boxes=$((boxes + 1))
[ "$boxes" -le 1 ] || fail "$boxes error boxes at start-up"

note "editor window"
[ "$(xdotool getwindowname "$editor")" = "$CAPTION" ] || fail "caption: $(xdotool getwindowname "$editor")"
read -r ex ey ew eh <<<"$(geometry "$editor")"
MENU=$((eh - 462))
[ "$ew" = 640 ] || fail "editor width $ew"
[ "$MENU" -ge 15 ] && [ "$MENU" -le 40 ] || fail "no 640x462 view below a menu bar (height $eh)"
[ "$ex" = $(((1024 - ew) / 2)) ] && [ "$ey" = $(((768 - eh) / 2)) ] || fail "editor at $ex,$ey is not centred"
VIEW="0 $MENU 640 462"

# Positions in the view (below the menu bar), and the menu bar's titles.
point() { xdotool mousemove --window "$editor" "$1" $((MENU + $2)); }
menu() {  # menu TITLE_X DOWNS: opens a menu by its title and chooses its DOWNS-th entry
  xdotool mousemove --window "$editor" "$1" $((MENU / 2)) click 1
  sleep 0.3
  for _ in $(seq 1 "$2"); do xdotool key Down; done
  xdotool key Return
  sleep 0.4
}
FILE=20 CENTRA=137 HELP=263 CREDITI=311 USCITA=364 INFO=408 EDITOR=63

note "the map is drawn and the sea shimmers"
point 320 231
sleep 0.4
shot "$editor" editor
colours=$(check colours "$SHOTS/editor.ppm" $VIEW)
[ "$colours" -ge 40 ] || fail "only $colours colours in the view"
# Each frame moves the shimmer's phase by the number of pixels the water sheets draw, modulo 6,
# so a still view repeats every frame when that number is a multiple of 6, else every second,
# third or sixth frame. A ground tile as the brush preview adds 1,023 such pixels (3 modulo 6),
# so one of the two previews always shows the sea moving.
shimmer=0
xdotool windowfocus --sync "$editor"
for preview in units ground; do
  [ "$preview" = ground ] && xdotool key backslash backslash  # units -> coast pieces -> ground
  point 320 231
  sleep 0.3
  shot "$editor" sea
  for _ in 1 2 3 4 5 6 7 8; do
    sleep 0.07
    shot "$editor" sea-later
    shimmer=$(check changed "$SHOTS/sea.ppm" "$SHOTS/sea-later.ppm" $VIEW)
    [ "$shimmer" -ge 200 ] && break 2
  done
done
[ "$preview" = ground ] && xdotool key backslash backslash backslash  # back to units
echo "shimmer: $shimmer pixels changed"
[ "$shimmer" -ge 200 ] || fail "the sea does not shimmer ($shimmer pixels changed)"

note "the brush preview follows the pointer"
menu $CENTRA 1  # "Angolo Alto Sinistro": the map in the lower right half, black in the upper left
for spot in "100 60" "230 90"; do
  read -r px py <<<"$spot"
  point "$px" "$py"
  sleep 0.3
  shot "$editor" "preview-$px"
  read -r x0 y0 x1 y1 <<<"$(check bbox "$SHOTS/preview-$px.ppm" $((px - 74)) $((MENU + py - 50)) 145 110)"
  [ "$x0" != none ] || fail "no preview drawn at $px,$py"
  cx=$((px - 34)) cy=$((MENU + py - 20))
  [ "$x0" -ge "$cx" ] && [ "$x1" -lt $((cx + 65)) ] && [ "$y0" -ge "$cy" ] && [ "$y1" -lt $((cy + 49)) ] ||
    fail "preview at $x0,$y0-$x1,$y1 is not in the unit box at $cx,$cy"
done

note "keys and a click paint a cell"
menu $CENTRA 5  # "Zona Centrale"
xdotool windowfocus --sync "$editor"
xdotool key backslash backslash  # units -> coast pieces -> ground tiles
for _ in $(seq 1 8); do xdotool key 1; done  # ground tile 8: ice
point 520 330  # the preview waits outside the cell (and outside every band) for the shots
sleep 0.3
shot "$editor" before-paint
point 320 231
sleep 0.2
xdotool click 1
point 520 330
CELL="252 $((MENU + 171)) 136 100"
white_before=$(check count-near-white "$SHOTS/before-paint.ppm" $CELL)
for _ in $(seq 1 20); do  # a slow build under load may take a few ticks to show it
  sleep 0.3
  shot "$editor" after-paint
  white_after=$(check count-near-white "$SHOTS/after-paint.ppm" $CELL)
  [ $((white_after - white_before)) -ge 400 ] && break
done
[ $((white_after - white_before)) -ge 400 ] || fail "no ice cell painted ($white_before -> $white_after)"

note "the pointer in an edge band scrolls the view"
point 10 231
sleep 0.5
point 320 231
sleep 0.3
shot "$editor" scrolled
moved=$(check changed-solid "$SHOTS/after-paint.ppm" "$SHOTS/scrolled.ppm" $VIEW)
[ "$moved" -ge 5000 ] || fail "the view did not scroll ($moved pixels changed)"

note "save, new map, load through the real menus and dialogs"
xdotool key backslash backslash backslash  # back to units: nothing is painted by mistake
MAP="$WORK/saved map.korv"
menu $FILE 4  # "Salva Mappa": asks for a name the first time
dialog=$(wait_window "." 5 | head -1)
sleep 0.3
xdotool type --delay 10 "$MAP"
xdotool key Return
sleep 0.8
[ "$(stat -c %s "$MAP" 2>/dev/null)" = 234256 ] || fail "the map was not saved"
menu $CENTRA 5  # the middle of the map: mostly land, so two maps differ plainly
point 320 231
sleep 0.3
shot "$editor" first-map
menu $FILE 2  # "Nuova Mappa"
sleep 0.3
shot "$editor" new-map
differs=$(check changed-solid "$SHOTS/first-map.ppm" "$SHOTS/new-map.ppm" $VIEW)
[ "$differs" -ge 5000 ] || fail "the new map looks like the first ($differs pixels differ)"
menu $FILE 3  # "Carica Mappa"
sleep 0.3
xdotool type --delay 10 "$MAP"
sleep 0.5
xdotool key Escape  # closes the name completion's list, which shows the existing file
xdotool key Return
sleep 1
shot "$editor" loaded-map
differs=$(check changed-solid "$SHOTS/first-map.ppm" "$SHOTS/loaded-map.ppm" $VIEW)
[ "$differs" -le 100 ] || fail "the loaded map is not the saved one ($differs pixels differ)"
dismiss_error_box && fail "an error box after the file commands"

note "every information window opens from its menu entry"
while IFS='|' read -r title downs caption; do
  menu "${!title}" "$downs"
  window=$(wait_window "^${caption}\$" 5) || { import -window root "$SHOTS/screen.png"; fail "\"$caption\" did not open"; }
  shot "$window" "window-$(echo "$caption" | tr -c 'A-Za-z0-9' '_')"
  xdotool windowmove "$window" 700 700  # out of the way of the menu bar
done <<'LIST'
FILE|1|Opzioni per generare Mappa
EDITOR|1|Form_Tiles_Terreno
HELP|1|Guida Generale KORVAN Editor
HELP|2|Guida sull'Editor di KORVAN
CREDITI|1|Crediti Grafica
CREDITI|2|Form_Crediti_Sonoro
CREDITI|3|Form_Crediti_Altro
INFO|1|Form_Author
INFO|2|Form_Versione
INFO|3|Licenza d'Uso Temporaneo per questa Demo.
LIST

note "opening \"Uscita\" ends the program"
xdotool mousemove --window "$editor" $USCITA $((MENU / 2)) click 1
for _ in $(seq 1 50); do kill -0 "$PROGRAM_PID" 2>/dev/null || break; sleep 0.1; done
kill -0 "$PROGRAM_PID" 2>/dev/null && fail "the program is still running"
status=0
wait "$PROGRAM_PID" || status=$?
PROGRAM_PID=""
[ "$status" = 0 ] || fail "the program ended with status $status"
rm -rf "$WORK"
echo "screenshots in $SHOTS"
echo "1 passed, 0 failed"
