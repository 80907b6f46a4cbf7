#!/usr/bin/env bash
# The real editor on a Wayland desktop that draws no title bars (headless weston, as GNOME's
# desktop does not either): the editor's window draws its own, with the caption from its start
# and no maximise control, in place of Qt's stand-in, which would frame the window, cut the
# caption at both ends and show a maximise button. Below that bar the menu and the view are as
# everywhere else: the view is korvan-map's frame of the same map, pixel for pixel.
# weston has no virtual input devices: the editor is left alone, the pointer never over it.
# Usage: weston_wayland.sh RUN_DIR (the folder holding Project_KORVAN, korvan-map, Graphic/, Music/).
here=$(cd "$(dirname "$0")" && pwd)
source "$here/WaylandSession.sh"
RUN=$1
check() { python3 "$here/screen_check.py" "$@"; }
command -v weston >/dev/null || fail "weston is not installed (scripts/deps --test)"

mkdir -p "$SESSION/app"
cp -r "$RUN/Project_KORVAN" "$RUN/Graphic" "$RUN/Music" "$SESSION/app/"
"$RUN/korvan-map" generate --seed 10 -o "$SESSION/app/seven.korv" >/dev/null
start_weston
# No sound card: the music plays to ALSA's null device, so that no error box holds the intro.
printf 'pcm.!default { type null }\n' >"$SESSION/home/.asoundrc"
mkdir -p "$SESSION/home/.config/pulse"
printf 'autospawn = no\n' >"$SESSION/home/.config/pulse/client.conf"
start_program "$SESSION/app" ./Project_KORVAN seven.korv

note "the editor's window after the intro"
read -r BR BG BB <<<"$(printf '%d %d %d' $((WESTON_BACKGROUND >> 16 & 255)) $((WESTON_BACKGROUND >> 8 & 255)) $((WESTON_BACKGROUND & 255)))"
window=""
for k in $(seq 1 60); do
  sleep 0.5
  kill -0 "$PROGRAM_PID" 2>/dev/null || fail "the program ended"
  weston_shot screen || continue
  box=$(check bbox-other "$SHOTS/screen.ppm" "$BR" "$BG" "$BB" 0 0 1024 768)
  read -r x0 y0 x1 y1 <<<"$box"
  [ "$box" != none ] && [ $((y1 - y0 + 1)) -gt 462 ] && { window="$x0 $y0 $((x1 - x0 + 1)) $((y1 - y0 + 1))"; break; }
done
[ -n "$window" ] || fail "no editor window on the screen"
sleep 1  # a moment for the first frames, then the picture the checks read
weston_shot editor || fail "no screenshot"
read -r wx wy ww wh <<<"$window"
[ "$(check bbox-other "$SHOTS/editor.ppm" "$BR" "$BG" "$BB" 0 0 1024 768)" = "$wx $wy $((wx + ww - 1)) $((wy + wh - 1))" ] ||
  fail "the window moved or changed size"
echo "window at $wx,$wy, ${ww}x$wh"
# Qt's stand-in decoration would add a frame on every side of the 640 pixels.
[ "$ww" = 640 ] || fail "the window is $ww wide: a frame around the 640 pixels of the editor"

note "its own title bar above the menu bar"
title=$(check run-down "$SHOTS/editor.ppm" $((wx + 2)) "$wy")
echo "title bar: $title rows"
[ "$title" -ge 16 ] && [ "$title" -le 40 ] || fail "no title bar of 16 to 40 rows at the top ($title)"
menu=$((wh - title - 462))
[ "$menu" -ge 15 ] && [ "$menu" -le 40 ] || fail "no menu bar between the title bar and the view ($menu rows)"
# The caption starts at the bar's left end, readable from its first letter: text in the first
# 120 columns, and text along the bar up to its two controls at the right, each a glyph in its
# own 30 columns (minimise, close), with nothing beside them.
left=$(check count-near-white "$SHOTS/editor.ppm" "$wx" "$wy" 120 "$title")
middle=$(check count-near-white "$SHOTS/editor.ppm" $((wx + 260)) "$wy" 120 "$title")
minimise=$(check count-near-white "$SHOTS/editor.ppm" $((wx + 580)) "$wy" 30 "$title")
close=$(check count-near-white "$SHOTS/editor.ppm" $((wx + 610)) "$wy" 30 "$title")
echo "caption pixels: $left in the first 120 columns, $middle in the middle; controls: $minimise, $close"
[ "$left" -ge 40 ] && [ "$middle" -ge 40 ] || fail "the caption does not run from the bar's left end"
[ "$minimise" -ge 5 ] && [ "$close" -ge 8 ] || fail "no minimise and close controls at the bar's right end"

note "the view below is korvan-map's frame of the same map"
# The pointer never came over the view: the brush preview stays at the cursor's start value, the
# top-left corner, and the view at the map's start. korvan-map runs the frame tick with that
# cursor, which scrolls 33 rows a tick: started that far below, it ends at the same view. The
# water's phase depends on the ticks run so far: one of the first twelve matches.
convert "$SHOTS/editor.ppm" -crop "640x462+$wx+$((wy + title + menu))" +repage "ppm:$SHOTS/view.ppm"
best=""
for ticks in $(seq 1 12); do
  "$RUN/korvan-map" frame "$SESSION/app/seven.korv" -o "$SESSION/expected.png" --scroll 10 $((200 - 33 * ticks)) \
    --cursor 0 0 --frames "$ticks" --assets "$RUN"
  convert "$SESSION/expected.png" "ppm:$SESSION/expected.ppm"
  differs=$(check changed "$SESSION/expected.ppm" "$SHOTS/view.ppm" 0 0 640 462)
  [ -z "$best" ] || [ "$differs" -lt "$best" ] && best=$differs
  [ "$differs" = 0 ] && break
done
echo "pixels that differ from korvan-map's frame: $best"
[ "$best" = 0 ] || fail "the view is not korvan-map's frame ($best pixels differ)"
lines=$(grep -vc '^ALSA lib' "$SHOTS/program.log" || true)
[ "$lines" -le 5 ] || fail "the program printed $lines lines"
cp "$SESSION"/shots/*.png "$SHOTS/editor.png" 2>/dev/null || true
echo "screenshots in $SHOTS"
echo "1 passed, 0 failed"
