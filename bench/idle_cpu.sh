#!/usr/bin/env bash
# CPU use of the real editor left idle under Xvfb, the editor and the X server apart and together,
# on the start view and on "Zona Centrale", with the editor's resident memory.
#
#   bench/idle_cpu.sh [--seed N | --own-map] [--view start|centrale|both] [--overview] [BUILD_DIR] [SECONDS]
#
# BUILD_DIR: a build folder (or its run/ folder); default build/release (scripts/run), else
# build/test (scripts/test). SECONDS: how long each view is sampled (default 30).
# --seed N (default 10): the map that `korvan-map generate --seed N` gives, loaded through
# "Carica Mappa", so that runs compare; with the current artwork the water of both its views
# changes on every tick, the costliest case (a still view costs far less: try --seed 4 for a still
# "Zona Centrale"). --own-map keeps the editor's own random map.
# --overview: the map overview is open (the M key) beside the editor, on a 1600 x 1200 screen so
# that it covers none of the view; compare with a run without it on the same screen
# (XVFB_SCREEN=1600x1200x24 bench/idle_cpu.sh ...).
# With IDLE_SCREENSHOT=PREFIX set, each view is saved as PREFIX-<view>.png (ImageMagick's import).
#
# It starts its own Xvfb (the tests' -displayfd helper, so no display number is guessed), presses
# OK on the music's error box (no sound card here), waits for the 640-wide editor window, puts the
# pointer in the middle of the view (outside every edge band), waits 2 s, then samples
# utime + stime of both processes from /proc/<pid>/stat. Everything it started ends with it.
root=$(cd "$(dirname "$0")/.." && pwd)
export KORVAN_SCREENSHOTS=$(mktemp -d /tmp/korvan-idle-XXXXXX)
source "$root/tests/app/XvfbSession.sh"
source "$root/bench/run_folder.sh"
map_dir=""
idle_cleanup() {
  xvfb_cleanup
  rm -rf "$KORVAN_SCREENSHOTS" ${map_dir:+"$map_dir"}
}
trap idle_cleanup EXIT

usage() { sed -n 's/^#   //p' "$0" >&2; exit 2; }
help() { sed -n '2,/^$/s/^# \{0,1\}//p' "$0"; exit 0; }
seed=10
overview=""
views="start centrale"
positional=()
while [ $# -gt 0 ]; do
  case $1 in
  --seed) [ $# -ge 2 ] || usage; seed=$2; shift 2 ;;
  --own-map) seed=""; shift ;;
  --overview) overview=1; shift ;;
  --view)
    [ $# -ge 2 ] || usage
    case $2 in start) views=start ;; centrale) views=centrale ;; both) views="start centrale" ;; *) usage ;; esac
    shift 2 ;;
  -h | --help) help ;;
  -*) usage ;;
  *) positional+=("$1"); shift ;;
  esac
done
[ ${#positional[@]} -le 2 ] || usage
run_dir=$(run_folder "$root" "${positional[0]:-}") || exit 2
seconds=${positional[1]:-30}
for tool in Xvfb xdotool xwininfo import convert python3; do
  command -v "$tool" >/dev/null || { echo "idle_cpu: $tool is missing (apt-get install xvfb xdotool x11-utils imagemagick python3)" >&2; exit 2; }
done

[ -n "$overview" ] && export XVFB_SCREEN=1600x1200x24
map=""
if [ -n "$seed" ]; then
  # Beside the program, not under /tmp: the open dialog keeps watching the folders it has shown,
  # and work in a busy /tmp would wake the editor and count against it.
  map_dir=$(mktemp -d "$run_dir/idle-map-XXXXXX")
  map="$map_dir/seed-$seed.korv"
  "$run_dir/korvan-map" generate --seed "$seed" -o "$map" || fail "korvan-map could not generate the map"
fi

start_xvfb
cd "$run_dir"
./Project_KORVAN >"$SHOTS/program.log" 2>&1 &
PROGRAM_PID=$!

# The intro window already carries the editor's caption: the switch is when it becomes 640 wide.
editor=""
for _ in $(seq 600); do
  kill -0 "$PROGRAM_PID" 2>/dev/null || fail "the editor exited"
  dismiss_error_box || true
  id=$(xdotool search --onlyvisible --name '^Generatore & Editor' 2>/dev/null | head -1 || true)
  if [ -n "$id" ] && [ "$(geometry "$id" | cut -d' ' -f3)" = 640 ]; then editor=$id; break; fi
  sleep 0.1
done
[ -n "$editor" ] || fail "the editor window did not appear"
sleep 0.5
dismiss_error_box || true
menu_bar=$(($(geometry "$editor" | cut -d' ' -f4) - 462))

menu() {  # menu TITLE_X DOWNS: opens a menu by its title and chooses its DOWNS-th entry
  xdotool mousemove --window "$editor" "$1" $((menu_bar / 2)) click 1
  sleep 0.3
  for _ in $(seq 1 "$2"); do xdotool key Down; done
  xdotool key Return
  sleep 0.5
}
if [ -n "$map" ]; then
  menu 20 3  # "Carica Mappa"
  xdotool type --delay 5 "$map"
  sleep 0.3
  xdotool key Escape  # closes the name completion's list, which shows the existing file
  xdotool key Return
  sleep 0.5
  dismiss_error_box && fail "the map $map did not load"
  # The view must be that map's: the same frame as korvan-map draws, but for the moving water.
  xdotool mousemove --window "$editor" 320 $((menu_bar + 231))
  sleep 0.5
  "$run_dir/korvan-map" frame "$map" -o "$SHOTS/expected.bmp" --cursor 286 211
  convert "$SHOTS/expected.bmp" -crop 640x462+0+0 +repage -depth 8 "ppm:$SHOTS/expected.ppm"
  import -window "$editor" -crop "640x462+0+$menu_bar" +repage -depth 8 "ppm:$SHOTS/loaded.ppm"
  differ=$(python3 "$root/tests/app/screen_check.py" changed-solid "$SHOTS/expected.ppm" "$SHOTS/loaded.ppm" 0 0 640 462)
  [ "$differ" -le 100 ] || fail "the view is not the map of seed $seed ($differ pixels differ)"
fi

if [ -n "$overview" ]; then
  xdotool windowfocus --sync "$editor"
  xdotool key m
  panoramica=$(wait_window "^Panoramica Mappa" 5) || fail "M opened no overview"
  xdotool windowmove "$panoramica" 0 0  # the editor is centred: the overview covers none of it
fi

ticks() { sed 's/^.*) //' "/proc/$1/stat" | awk '{ print $12 + $13 }'; }
# The scheduler's own count of time on a CPU, in ns, over the process's threads: exact, where
# /proc/<pid>/stat counts whole clock ticks (10 ms) in which the process happened to be running.
on_cpu() { cat /proc/"$1"/task/*/schedstat 2>/dev/null | awk '{ ns += $1 } END { printf "%.0f", ns }'; }
hz=$(getconf CLK_TCK)
for view in $views; do
  [ "$view" = centrale ] && menu 137 5  # "Centra Mappa" / "Zona Centrale"
  # The middle of the 640 x 462 view, below the menu bar, outside every edge band.
  xdotool mousemove --window "$editor" 320 $((menu_bar + 231))
  sleep 2
  dismiss_error_box && fail "an error box while idle"
  editor_before=$(ticks "$PROGRAM_PID")
  server_before=$(ticks "$XVFB_PID")
  editor_ns_before=$(on_cpu "$PROGRAM_PID")
  server_ns_before=$(on_cpu "$XVFB_PID")
  start=$(date +%s.%N)
  sleep "$seconds"
  editor_after=$(ticks "$PROGRAM_PID")
  server_after=$(ticks "$XVFB_PID")
  editor_ns_after=$(on_cpu "$PROGRAM_PID")
  server_ns_after=$(on_cpu "$XVFB_PID")
  end=$(date +%s.%N)
  kill -0 "$PROGRAM_PID" 2>/dev/null || fail "the editor exited while sampled"
  if [ -n "${IDLE_SCREENSHOT:-}" ]; then import -window "$editor" "$IDLE_SCREENSHOT-$view.png"; fi
  rss=$(sed -n 's/^VmRSS:[[:space:]]*//p' "/proc/$PROGRAM_PID/status")
  hwm=$(sed -n 's/^VmHWM:[[:space:]]*//p' "/proc/$PROGRAM_PID/status")
  name="start view"
  [ "$view" = centrale ] && name='"Zona Centrale"'
  awk -v name="$name" -v map="${seed:+seed $seed}" -v a="$((editor_after - editor_before))" \
    -v x="$((server_after - server_before))" -v hz="$hz" \
    -v an="$((editor_ns_after - editor_ns_before))" -v xn="$((server_ns_after - server_ns_before))" -v s="$start" -v e="$end" -v rss="$rss" -v hwm="$hwm" \
    -v overview="${overview:+, overview open}" 'BEGIN {
      wall = e - s
      share = 100 / hz / wall
      printf "idle %s%s (%s), %.1f s: editor %.2f %% + X server %.2f %% = %.2f %% of one core; resident %s (peak %s)\n",
             name, overview, map == "" ? "own random map" : map, wall, a * share, x * share, (a + x) * share, rss, hwm
      nshare = 100 / 1e9 / wall
      printf "  time on a CPU (schedstat): editor %.2f %% + X server %.2f %% = %.2f %%\n", an * nshare, xn * nshare, (an + xn) * nshare
    }'
done
