#!/usr/bin/env bash
# The real editor under Xvfb with damaged artwork and music: every truncated picture is reported
# in its own error box, a FIFO in place of the intro picture or the intro music blocks nothing,
# and the editor is reached each time. (The boxes' texts, which name the files, are checked by
# missing_assets_test: X offers no way to read them from outside.)
# Usage: broken_artwork_xvfb.sh RUN_DIR (the folder holding Project_KORVAN, Graphic/ and Music/).
here=$(cd "$(dirname "$0")" && pwd)
source "$here/XvfbSession.sh"
RUN=$1
WORK=$(mktemp -d /tmp/korvan-broken-XXXXXX)
trap 'xvfb_cleanup; rm -rf "$WORK"' EXIT
PICTURES="Cities Units Territ Lands Terrain Quadri Splatt Black"

# Counts and closes the error boxes.
BOXES=0
take_error_box() {
  dismiss_error_box || return 1
  BOXES=$((BOXES + 1))
}

# run_editor FOLDER SECONDS: starts the editor there and waits for its 640-pixel-wide window,
# closing error boxes on the way; fails after SECONDS.
run_editor() {
  local folder=$1 limit=$2 started editor="" id
  BOXES=0
  (cd "$folder" && exec env -u QT_QPA_PLATFORM "$RUN/Project_KORVAN") >"$SHOTS/program.log" 2>&1 &
  PROGRAM_PID=$!
  started=$(date +%s)
  while [ $(($(date +%s) - started)) -lt "$limit" ]; do
    kill -0 "$PROGRAM_PID" 2>/dev/null || fail "the program ended before the editor"
    take_error_box || true
    id=$(xdotool search --onlyvisible --name "^Generatore & Editor di Mappe" 2>/dev/null | head -1 || true)
    if [ -n "$id" ] && [ "$(geometry "$id" | cut -d' ' -f3)" = 640 ]; then editor=$id; break; fi
    sleep 0.1
  done
  [ -n "$editor" ] || { import -window root "$SHOTS/stuck.png"; fail "no editor within $limit s"; }
  # Boxes raised at the switch and by the first frames.
  for _ in $(seq 1 15); do take_error_box || sleep 0.1; done
  kill -0 "$PROGRAM_PID" 2>/dev/null || fail "the program ended after the switch to the editor"
  EDITOR=$editor
}

stop_editor() {
  kill "$PROGRAM_PID" 2>/dev/null || true
  wait "$PROGRAM_PID" 2>/dev/null || true
  PROGRAM_PID=""
}

start_xvfb

note "every picture cut to half its size"
cut="$WORK/cut"
mkdir -p "$cut"
cp -r "$RUN/Graphic" "$RUN/Music" "$cut/"
for p in $PICTURES; do
  f="$cut/Graphic/$p.BMP"
  head -c $(($(stat -c %s "$f") / 2)) "$f" >"$f.half" && mv "$f.half" "$f"
done
run_editor "$cut" 60
shot "$EDITOR" truncated
# One box per picture; besides them at most the music without a sound card and a blit from an
# empty sheet, once each.
echo "$BOXES error boxes"
[ "$BOXES" -ge 8 ] && [ "$BOXES" -le 10 ] || fail "$BOXES error boxes for 8 broken pictures"
stop_editor

note "a FIFO as the intro picture and as the intro music"
fifo="$WORK/fifo"
mkdir -p "$fifo"
cp -r "$RUN/Graphic" "$RUN/Music" "$fifo/"
rm "$fifo/Graphic/Splatt.BMP" "$fifo/Music/Music1.mid"
mkfifo "$fifo/Graphic/Splatt.BMP" "$fifo/Music/Music1.mid"
run_editor "$fifo" 15
shot "$EDITOR" fifo
echo "$BOXES error boxes"
[ "$BOXES" -ge 2 ] || fail "the FIFOs were not reported"
[ -p "$fifo/Graphic/Splatt.BMP" ] && [ -p "$fifo/Music/Music1.mid" ] || fail "a FIFO was replaced"
stop_editor

echo "screenshots in $SHOTS"
echo "1 passed, 0 failed"
