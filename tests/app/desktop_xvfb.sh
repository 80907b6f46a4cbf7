#!/usr/bin/env bash
# The real editor on a desktop with a window manager (openbox), driven with xdotool: the intro's
# fade reaches the X server step by step, the pointer is hidden over the view only, the brush
# keys follow the keyboard layout (US and Italian), and unsaved edits are not lost by sliding
# from an open menu onto "Uscita": the question's three answers, and no question without edits.
# Usage: desktop_xvfb.sh RUN_DIR (the folder holding Project_KORVAN, Graphic/ and Music/).
here=$(cd "$(dirname "$0")" && pwd)
source "$here/XvfbSession.sh"
RUN=$1
check() { python3 "$here/screen_check.py" "$@"; }
probe() { python3 "$here/pointer_probe.py" "$@"; }
korv() { python3 "$here/map_probe.py" "$@"; }
WORK=$(mktemp -d /tmp/korvan-desktop-XXXXXX)
WM_PID=""
finish() {
  [ -n "$WM_PID" ] && kill "$WM_PID" 2>/dev/null
  xvfb_cleanup
  rm -rf "$WORK"
}
trap finish EXIT

start_xvfb
HOME="$WORK" openbox >"$SHOTS/openbox.log" 2>&1 &
WM_PID=$!
for _ in $(seq 1 50); do xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' && break; sleep 0.1; done
xprop -root _NET_SUPPORTING_WM_CHECK | grep -q 'window id' || fail "openbox did not start"
cd "$RUN"

FILE=20 CENTRA=137 USCITA=364
EDITOR_ID="" MENU=0
OPACITIES=""

# Starts the program and waits for the editor window, pressing OK on the music's error box (no
# sound card here); meanwhile reads the intro window's opacity from the server as often as it can.
start_editor() {
  ./Project_KORVAN >>"$SHOTS/program.log" 2>&1 &
  PROGRAM_PID=$!
  local intro
  intro=$(wait_window "^Generatore & Editor" 20) || fail "no intro window"
  OPACITIES=""
  EDITOR_ID=""
  for _ in $(seq 1 1000); do
    OPACITIES+="$(xprop -id "$intro" _NET_WM_WINDOW_OPACITY 2>/dev/null | awk '/=/{print $3}') "
    dismiss_error_box || true
    for id in $(xdotool search --onlyvisible --name "^Generatore & Editor" 2>/dev/null || true); do
      [ "$(geometry "$id" | cut -d' ' -f3)" = 640 ] && EDITOR_ID=$id
    done
    [ -n "$EDITOR_ID" ] && break
  done
  [ -n "$EDITOR_ID" ] || fail "the editor window never appeared"
  sleep 0.5
  dismiss_error_box || true
  local height
  height=$(geometry "$EDITOR_ID" | cut -d' ' -f4)
  MENU=$((height - 462))
  xdotool windowactivate --sync "$EDITOR_ID" 2>/dev/null || xdotool windowfocus --sync "$EDITOR_ID"
}

point() { xdotool mousemove --window "$EDITOR_ID" "$1" $((MENU + $2)); }
menu() {  # menu TITLE_X DOWNS: opens a menu by its title and chooses its DOWNS-th entry
  xdotool mousemove --window "$EDITOR_ID" "$1" $((MENU / 2)) click 1
  sleep 0.3
  for _ in $(seq 1 "$2"); do xdotool key Down; done
  xdotool key Return
  sleep 0.4
}
save_as() {  # "Salva Con Nome" through its dialog
  menu $FILE 5
  wait_window "." 5 >/dev/null
  sleep 0.3
  import -window root "png:$SHOTS/save-dialog.png"
  xdotool type --delay 5 "$1"
  xdotool key Return
  sleep 0.8
  [ "$(stat -c %s "$1" 2>/dev/null)" = 234256 ] || import -window root "png:$SHOTS/failed-save.png"
  [ "$(stat -c %s "$1" 2>/dev/null)" = 234256 ] || fail "\"Salva Con Nome\" did not write $1"
}
# Opens "File" and slides along the menu bar, as a user would, until the pointer is on "Uscita".
slide_to_uscita() {
  xdotool mousemove --window "$EDITOR_ID" $FILE $((MENU / 2)) click 1
  sleep 0.3
  for x in $(seq $FILE 12 $USCITA) $USCITA; do
    xdotool mousemove --window "$EDITOR_ID" "$x" $((MENU / 2)) 2>/dev/null || break  # the program may end on the way
    sleep 0.03
  done
}
question() {  # prints the question box's id once it is up
  local box
  box=$(wait_window '^Project_korvan$' 3) || return 1
  sleep 0.3
  echo "$box"
}
running() { kill -0 "$PROGRAM_PID" 2>/dev/null; }
wait_end() {
  for _ in $(seq 1 50); do running || break; sleep 0.1; done
  running && fail "the program is still running"
  local status=0
  wait "$PROGRAM_PID" || status=$?
  PROGRAM_PID=""
  [ "$status" = 0 ] || fail "the program ended with status $status"
}
# paint_cell BASELINE EXPECTED: a ground tile the cell at the view's centre does not have, painted
# with the keys and a click; EXPECTED is the baseline file with that one byte changed.
paint_cell() {
  menu $CENTRA 5  # "Zona Centrale": scroll (-800, 0)
  local record terrain item
  read -r record terrain <<<"$(korv hit "$1" -800 0 $((320 - 34)) $((231 - 20)))"
  [ "$record" != none ] || fail "no cell at the view's centre"
  item=8
  [ "$terrain" = 8 ] && item=7
  xdotool key backslash backslash  # units -> coast pieces -> ground tiles
  for _ in $(seq 1 "$item"); do xdotool key 1; done
  point 320 231
  sleep 0.2
  xdotool click 1
  point 520 330
  sleep 0.2
  xdotool key backslash backslash backslash  # back to units, which paint nothing
  korv patch "$1" "$2" "$record" 9 "$item"
  PAINTED_ITEM=$item
}

note "the intro fades in on the server, step by step"
start_editor
rising=$(python3 - "$OPACITIES" <<'PY'
import sys
values = [int(v) for v in sys.argv[1].split() if v.isdigit()]
partial = [v for v in values if v < 0xffffffff]
print(len(set(partial)) if partial == sorted(partial) else -1)
PY
)
echo "distinct opacity values read during the fade: $rising"
[ "$rising" -ge 5 ] || fail "the fade did not reach the server in steps ($OPACITIES)"

note "the pointer: hidden over the view, the arrow over the menu bar and in a menu"
point 320 231
sleep 0.3
[ "$(probe shape)" = blank ] || fail "the pointer shows over the view"
xdotool mousemove --window "$EDITOR_ID" $FILE $((MENU / 2))
sleep 0.3
[ "$(probe shape | cut -d' ' -f1)" = visible ] || fail "no pointer over the menu bar"
xdotool click 1
sleep 0.3
xdotool mousemove --window "$EDITOR_ID" 60 $((MENU + 40))
sleep 0.3
[ "$(probe shape | cut -d' ' -f1)" = visible ] || fail "no pointer in the open menu"
import -window root "png:$SHOTS/menu.png"
read -r px py <<<"$(probe image "$SHOTS/pointer.pam")"
convert "$SHOTS/menu.png" "$SHOTS/pointer.pam" -geometry "+$px+$py" -composite "$SHOTS/menu-with-pointer.png"
xdotool key Escape
sleep 0.3

note "the brush mode follows the key that types a backslash on the active layout"
menu $CENTRA 1  # "Angolo Alto Sinistro": black in the upper left of the view, where the preview waits
point 100 60
PREVIEW="26 $((MENU + 10)) 145 110"
preview() { sleep 0.3; shot "$EDITOR_ID" "$1"; }
same() { [ "$(check changed-solid "$SHOTS/$1.ppm" "$SHOTS/$2.ppm" $PREVIEW)" -le 10 ]; }
keys() { xdotool key "$@"; }
setxkbmap us
sleep 0.3
preview mode3
keys backslash; preview us-backslash
same mode3 us-backslash && fail "US layout: the backslash key did not step the mode"
keys shift+backslash; preview us-bar
same us-backslash us-bar && fail "US layout: Shift with the backslash key did not step the mode"
keys backslash backslash backslash; preview us-back
same mode3 us-back || fail "US layout: five steps did not bring the mode back"
setxkbmap it
sleep 0.5
keys ugrave; preview it-ugrave
same mode3 it-ugrave || fail "Italian layout: the key at the US backslash place (ù) stepped the mode"
keys backslash; preview it-backslash
same mode3 it-backslash && fail "Italian layout: the key that types \\ did not step the mode"
keys backslash; preview it-ground  # mode 0: ground tiles, item 0
keys shift+1; preview it-shift1
same it-ground it-shift1 && fail "Italian layout: Shift+1 did not step the ground item"
for _ in $(seq 1 9); do keys 1; done
preview it-item0
same it-ground it-item0 || fail "Italian layout: ten steps did not bring the ground item back"
keys backslash backslash backslash  # back to units
setxkbmap us
sleep 0.3

note "an edit, then sliding onto \"Uscita\": the question; \"Annulla\" keeps everything"
save_as "$WORK/baseline.korv"
paint_cell "$WORK/baseline.korv" "$WORK/expected.korv"
slide_to_uscita
box=$(question) || fail "no question after sliding onto \"Uscita\" with an edit"
shot "$box" question
import -window root "png:$SHOTS/question-screen.png"
xdotool windowactivate --sync "$box" 2>/dev/null || xdotool windowfocus --sync "$box"
xdotool key Escape  # "Annulla"
sleep 0.5
import -window root "png:$SHOTS/after-annulla.png"
running || fail "\"Annulla\" ended the program"
# Windows inside another of the program's (the view's own) are not left-open ones.
own=$(xdotool search --onlyvisible --pid "$PROGRAM_PID" 2>/dev/null || true)
windows=$(for w in $own; do
  parent=$(printf '%d' "$(xwininfo -id "$w" -tree | sed -n 's/^ *Parent window id: \(0x[0-9a-f]*\).*/\1/p')")
  grep -qx "$parent" <<<"$own" || echo "$w"
done | wc -l)
[ "$windows" = 1 ] || fail "a menu or a box is left open"
save_as "$WORK/after-annulla.korv"
cmp "$WORK/expected.korv" "$WORK/after-annulla.korv" || fail "the edit did not survive \"Annulla\""

note "\"Non salvare\" ends the program without writing"
xdotool windowactivate --sync "$EDITOR_ID" 2>/dev/null || true
xdotool key backslash backslash  # another edit over the first: ground tile one further
xdotool key 1
point 320 231
sleep 0.2
xdotool click 1
point 520 330
slide_to_uscita
box=$(question) || fail "no question for the second edit"
xdotool windowactivate --sync "$box" 2>/dev/null || xdotool windowfocus --sync "$box"
xdotool key Tab space  # from "Salva" to "Non salvare"
wait_end
cmp "$WORK/expected.korv" "$WORK/after-annulla.korv" || fail "\"Non salvare\" wrote the map"

note "\"Salva\" writes the map under its name, then ends the program"
start_editor
save_as "$WORK/second.korv"
cp "$WORK/second.korv" "$WORK/second-baseline.korv"
paint_cell "$WORK/second-baseline.korv" "$WORK/second-expected.korv"
slide_to_uscita
box=$(question) || fail "no question in the second run"
xdotool windowactivate --sync "$box" 2>/dev/null || xdotool windowfocus --sync "$box"
xdotool key Return  # "Salva", the default
wait_end
cmp "$WORK/second-expected.korv" "$WORK/second.korv" || fail "\"Salva\" did not write the edited map"

note "without edits, sliding onto \"Uscita\" ends the program at once"
start_editor
slide_to_uscita
wait_end
echo "screenshots in $SHOTS"
echo "1 passed, 0 failed"
