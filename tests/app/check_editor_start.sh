#!/usr/bin/env bash
# Starts an editor under its own Xvfb from a given working folder and checks what a user sees:
# the editor window with its map drawn, and no error box but the music one (no sound card here).
# With MAPFILE, the editor is started with that map file on its command line, as a file manager
# does, and the map it then saves through "Salva Mappa" must be that file's.
# Usage: check_editor_start.sh PROGRAM WORKDIR [MAPFILE]   (PROGRAM: a path, or a name in PATH)
here=$(cd "$(dirname "$0")" && pwd)
own_shots=""
if [ -z "${KORVAN_SCREENSHOTS:-}" ]; then
  export KORVAN_SCREENSHOTS=$(mktemp -d /tmp/korvan-start-XXXXXX)
  own_shots=yes
fi
source "$here/XvfbSession.sh"
PROGRAM=$1
WORKDIR=$2
MAPFILE=${3:-}
check() { python3 "$here/screen_check.py" "$@"; }
fail() {
  echo "FAIL: $*" >&2
  sed 's/^/  program: /' "$SHOTS/program.log" 2>/dev/null | grep -v 'ALSA lib' | tail -20 >&2
  echo "  screenshots and log kept in $SHOTS" >&2
  exit 1
}

start_xvfb
(cd "$WORKDIR" && exec env -u QT_QPA_PLATFORM "$PROGRAM" ${MAPFILE:+"$MAPFILE"}) >"$SHOTS/program.log" 2>&1 &
PROGRAM_PID=$!

# The intro window already carries the editor's caption; the editor is the 640-pixel-wide one.
boxes=0
editor=""
for _ in $(seq 1 300); do
  kill -0 "$PROGRAM_PID" 2>/dev/null || fail "the program ended during the intro"
  if dismiss_error_box; then boxes=$((boxes + 1)); fi
  [ "$boxes" -le 1 ] || fail "$boxes error boxes at start-up (only the music one is expected)"
  id=$(xdotool search --onlyvisible --name "^Generatore & Editor di Mappe" 2>/dev/null | head -1 || true)
  if [ -n "$id" ] && [ "$(geometry "$id" | cut -d' ' -f3)" = 640 ]; then editor=$id; break; fi
  sleep 0.1
done
[ -n "$editor" ] || fail "the editor window never appeared"

# A box raised at the switch (a picture or the editor music) would show up now.
for _ in $(seq 1 10); do
  if dismiss_error_box; then boxes=$((boxes + 1)); fi
  sleep 0.1
done
[ "$boxes" -le 1 ] || fail "$boxes error boxes at start-up (only the music one is expected)"
kill -0 "$PROGRAM_PID" 2>/dev/null || fail "the program ended after the switch to the editor"

# Without its artwork the view stays black; with it, land, sea and coast fill it with colours.
read -r _ _ ew eh <<<"$(geometry "$editor")"
menu=$((eh - 462))
shot "$editor" editor
colours=$(check colours "$SHOTS/editor.ppm" 0 "$menu" 640 462)
[ "$colours" -ge 40 ] || fail "only $colours colours in the view: the artwork was not found"
note "editor reached from $WORKDIR with $colours colours in the view and $boxes error box(es)"

if [ -n "$MAPFILE" ]; then
  # "Salva Mappa" (the File menu's fourth entry) asks for a name the first time.
  saved_dir=$(mktemp -d /tmp/korvan-saved-XXXXXX)
  saved="$saved_dir/saved map.korv"
  xdotool mousemove --window "$editor" 20 $((menu / 2)) click 1
  sleep 0.3
  xdotool key Down Down Down Down Return
  sleep 0.5
  wait_window "." 5 >/dev/null || fail "no save dialog"
  sleep 0.3
  xdotool type --delay 10 "$saved"
  xdotool key Return
  for _ in $(seq 1 30); do [ -f "$saved" ] && break; sleep 0.1; done
  sleep 0.3
  dismiss_error_box && fail "an error box after saving the map named on the command line"
  [ "$(stat -c %s "$saved" 2>/dev/null)" = 234256 ] || fail "the editor saved no map ($saved)"
  cmp -s -n 234256 "$MAPFILE" "$saved" || fail "the map the editor saved is not $MAPFILE's"
  rm -rf "$saved_dir"
  note "the editor opened $MAPFILE and saved the same map"
fi
if [ -n "$own_shots" ]; then rm -rf "$SHOTS"; fi
