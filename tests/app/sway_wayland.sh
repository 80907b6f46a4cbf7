#!/usr/bin/env bash
# The real editor in a native Wayland session (headless sway), started as a desktop starts it and
# left alone as a user who does not touch the mouse: the intro fades in from black with nothing
# printed for its steps, and the view still shows the map seconds after the switch. Then keys
# through a virtual keyboard with a real layout (US, Italian): the backslash key with and without
# Shift steps the brush mode, the digit keys its items; and an information window floats over the
# editor instead of being tiled.
# Usage: sway_wayland.sh RUN_DIR (the folder holding Project_KORVAN, Graphic/, Music/ and
# korvan-virtual-input).
here=$(cd "$(dirname "$0")" && pwd)
source "$here/WaylandSession.sh"
RUN=$1
check() { python3 "$here/screen_check.py" "$@"; }
input() { "$RUN/korvan-virtual-input" "$@"; }

# The program and its artwork in the session's folder, where the unprivileged user reads them.
mkdir -p "$SESSION/app"
cp -r "$RUN/Project_KORVAN" "$RUN/Graphic" "$RUN/Music" "$SESSION/app/"
start_sway
start_program "$SESSION/app" ./Project_KORVAN

note "the intro fades in from black"
read -r ix iy iw ih _ <<<"$(wait_window '^Generatore & Editor' 20)" || fail "no intro window"
[ "$iw $ih" = "400 300" ] || fail "intro is ${iw}x${ih}"
# Without a sound card the music's error box comes up at tick 10 and holds the intro until OK: it
# lies over the middle of the picture, so the brightness is read from the picture's top strip.
STRIP="$ix $iy $iw 80"
press_pid=""
for _ in $(seq 1 30); do
  if [ -n "$(window '^Project_korvan$' || true)" ]; then
    input us key return >/dev/null 2>&1 &
    press_pid=$!
    break
  fi
  sleep 0.1
done
# The fade lasts about a second: captures as fast as they come, read afterwards.
for k in $(seq 10 50); do
  capture $STRIP "intro-$k" 2>/dev/null || break
done
[ -n "$press_pid" ] && wait "$press_pid"
levels=""
for k in $(seq 10 50); do
  [ -f "$SHOTS/intro-$k.ppm" ] && levels+="$(check brightness "$SHOTS/intro-$k.ppm" 0 0 "$iw" 80) "
done
echo "intro brightness, capture by capture: $levels"
rising=$(python3 - "$levels" <<'PY'
import sys
values = [float(v) for v in sys.argv[1].split()]
# Steps up between captures while the picture is neither black nor yet at full strength.
full = max(values)
print(sum(1 for a, b in zip(values, values[1:]) if 1.0 < b - a and b < full - 0.5) + 1 if values else 0)
PY
)
[ "$rising" -ge 3 ] || fail "the intro did not fade in over three captures or more ($levels)"
grep -qi "opacity" "$SHOTS/program.log" && fail "the program printed opacity warnings"

note "the editor window, the pointer never moved"
read -r ex ey ew eh floating <<<"$(wait_window '^Generatore & Editor' 20 640)" || fail "the editor window never appeared"
MENU=$((eh - 462))
[ "$MENU" -ge 15 ] && [ "$MENU" -le 40 ] || fail "no 640x462 view below a menu bar (content ${ew}x$eh)"
[ "$floating" = floating ] || fail "the fixed-size editor window is tiled"
[ -z "$(window '^Project_korvan$' || true)" ] || input us key return
sleep 4
capture "$ex" $((ey + MENU)) 640 462 view
shown=$(check not-black "$SHOTS/view.ppm" 0 0 640 462)
echo "4 s after the switch: $shown % of the view is not black"
[ "$shown" -ge 40 ] || fail "the view drifted off the map: only $shown % of it is not black"
lines=$(grep -vc '^ALSA lib' "$SHOTS/program.log" || true)
echo "lines on standard error so far: $lines"
[ "$lines" -le 20 ] || fail "the program printed $lines lines"

note "the brush keys with a real layout"
# The preview waits at the cursor's start value, the view's top-left corner, over black.
PREVIEW="$ex $((ey + MENU)) 140 100"
step=0
shot_preview() { sleep 0.2; step=$((step + 1)); capture $PREVIEW "keys-$step-$1"; LAST="$SHOTS/keys-$step-$1.ppm"; }
differs() { [ "$(check changed-solid "$1" "$2" 0 0 140 100)" -gt 10 ]; }
shot_preview start; start=$LAST
input us key backslash >/dev/null; shot_preview us-backslash
differs "$start" "$LAST" || fail "US layout: the backslash key did not step the brush mode"
before=$LAST
input us key shift+backslash >/dev/null; shot_preview us-shift-backslash
differs "$before" "$LAST" || fail "US layout: Shift with the backslash key did not step the brush mode"
ground=$LAST  # mode 0: ground tiles, item 0
input us key 1 >/dev/null; shot_preview us-1
differs "$ground" "$LAST" || fail "US layout: the digit 1 did not step the ground item"
before=$LAST
input us key shift+1 >/dev/null; shot_preview us-shift-1
differs "$before" "$LAST" || fail "US layout: Shift+1 did not step the ground item"
input us key 1 key 1 key 1 key 1 key 1 key 1 key 1 key 1 >/dev/null; shot_preview us-item0
differs "$ground" "$LAST" && fail "US layout: ten steps did not bring the ground item back"
input it key backslash >/dev/null; shot_preview it-ugrave
differs "$ground" "$LAST" && fail "Italian layout: the key at the US backslash place (ù) stepped the mode"
input it key grave >/dev/null; shot_preview it-backslash
differs "$ground" "$LAST" || fail "Italian layout: the key that types \\ did not step the mode"
before=$LAST
input it key shift+grave >/dev/null; shot_preview it-shift-backslash
differs "$before" "$LAST" || fail "Italian layout: Shift with the key that types \\ did not step the mode"
input it key grave key grave key grave >/dev/null; shot_preview it-ground  # 2, 3, 4, then 0 again
differs "$ground" "$LAST" && fail "Italian layout: five steps did not bring the mode back"
input it key shift+1 >/dev/null; shot_preview it-shift-1
differs "$ground" "$LAST" || fail "Italian layout: Shift+1 did not step the ground item"
input it key 2 key 3 key 4 key 5 >/dev/null; shot_preview it-other-digits
differs "$LAST" "$SHOTS/keys-$((step - 1))-it-shift-1.ppm" && fail "Italian layout: the digits 2 to 5 changed the ground item"

note "an information window floats over the editor"
INFO=408 EDITOR=63
open_entry() {  # open_entry TITLE_X DOWNS: the menu by a click on its title, the entry by keys
  # One pair of devices for all of it: a pointer that goes away closes the open menu.
  local keys=()
  for _ in $(seq 1 "$2"); do keys+=(key down); done
  input us move $((ex + $1)) $((ey + MENU / 2)) click wait 300 "${keys[@]}" key return >/dev/null
}
open_entry $INFO 2  # "Versione"
card=$(wait_window '^Form_Versione$' 5) || fail "\"Versione\" did not open"
read -r _ _ vw vh vfloating <<<"$card"
[ "$vfloating" = floating ] || fail "the version card is tiled ($(window '^Form_Versione$'))"
[ "$vw" -lt 600 ] && [ "$vh" -lt 400 ] || fail "the version card fills the screen (${vw}x$vh)"
open_entry $EDITOR 1  # "Tiles Terreno"
palette=$(wait_window '^Form_Tiles_Terreno$' 5) || fail "\"Tiles Terreno\" did not open"
read -r _ _ tw th tfloating <<<"$palette"
[ "$tfloating" = floating ] || fail "the terrain palette is tiled"
[ "$th" -lt 700 ] || fail "the terrain palette fills the screen (${tw}x$th)"
grim -t png "$SHOTS/windows.png"
kill -0 "$PROGRAM_PID" 2>/dev/null || fail "the program ended"
echo "screenshots in $SHOTS"
echo "1 passed, 0 failed"
