#!/usr/bin/env bash
# Soak run: the real editor under Xvfb for N minutes of random pointer moves, clicks, keys and menu
# commands, with its resident memory and CPU time sampled from /proc.
#   bench/soak.sh [minutes, default 10] [build or run folder, default build/release, else build/test]
# Fails on a crash, on any error box besides the known "no audio device" one, or on resident
# memory growing by 2 MB or more after the first minute.
# The X server is its own (the tests' -displayfd helper), so no input can reach another one.
root=$(cd "$(dirname "$0")/.." && pwd)
log=$(mktemp -d /tmp/korvan-soak-XXXXXX)
export KORVAN_SCREENSHOTS=$log
source "$root/tests/app/XvfbSession.sh"
source "$root/bench/run_folder.sh"
minutes=${1:-10}
run=$(run_folder "$root" "${2:-}") || exit 2
seconds=$((minutes * 60))

start_xvfb
app=""

# Started through a link of another name, so that a cleanup elsewhere that ends processes by the
# program's name does not end this run; the program still knows itself by its real file.
ln -s "$run/Project_KORVAN" "$log/korvan-soak"
cd "$run"
"$log/korvan-soak" >"$log/app.log" 2>&1 &
app=$!
PROGRAM_PID=$app

alive() { kill -0 "$app" 2>/dev/null; }
fail() {
  if ! alive; then
    wait "$app" && status=0 || status=$?
    app=""
    echo "the editor's exit status: $status (above 128: killed by signal status-128)"
  fi
  echo "FAIL: $*"; echo "logs in $log (actions.txt: the last actions)"; exit 1
}

# The X server is this run's own, so every window on it is the editor's. Error boxes are the
# dialogs (titled "Project_korvan"), drop-downs the popup menus: told apart by window type.
# Read whole before matching: with pipefail, "xprop | grep -q" fails whenever grep stops early.
window_type() { xprop -id "$1" _NET_WM_WINDOW_TYPE 2>/dev/null || true; }
visible_windows() { xdotool search --onlyvisible --name '.*' 2>/dev/null || true; }
error_boxes() {
  local w
  for w in $(visible_windows); do
    [ "$(xdotool getwindowname "$w" 2>/dev/null)" = Project_korvan ] || continue
    [[ "$(window_type "$w")" == *DIALOG* ]] && echo "$w"
  done
  return 0
}
dismiss() { xdotool windowfocus --sync "$1" 2>/dev/null && xdotool key Return || true; }
popup() {
  local w
  for w in $(visible_windows); do
    [[ "$(window_type "$w")" == *POPUP_MENU* ]] && { echo "$w"; return 0; }
  done
  return 0
}
editor_window() { xdotool search --onlyvisible --name '^Generatore & Editor' 2>/dev/null | head -n 1; }

# The intro: the music's "No audio device" box comes at tick 10 and holds the intro until OK.
known_boxes=0
for _ in $(seq 300); do
  alive || fail "the editor ended during the intro"
  for box in $(error_boxes); do
    known_boxes=$((known_boxes + 1)); dismiss "$box"
  done
  geometry=$(xdotool getwindowgeometry "$(editor_window)" 2>/dev/null || true)
  echo "$geometry" | grep -q "Geometry: 640x" && break
  sleep 0.1
done
wid=$(editor_window)
[ -n "$wid" ] || fail "the editor window never appeared"
[ "$known_boxes" -le 1 ] || fail "$known_boxes error boxes during the intro"

# Menu titles along the 19-pixel bar (x of each title's middle, in window pixels), and the entries
# that may be chosen: never "Uscita" (opening it quits), "Esci Demo", nor the file dialogs.
titles=(20 63 137 214 263 311 408)
entries=("0 1" "0 1 2 3 4" "0 1 2 3 4" "0 1" "0 1" "0 1 2" "0 1 2")
keys=(backslash 1 2 3 4 5 a z Up Down space Escape Return F1 Tab)

rss_kb() { awk '/^VmRSS/ {print $2}' "/proc/$app/status"; }
cpu_ticks() { awk '{print $14 + $15}' "/proc/$app/stat"; }
hz=$(getconf CLK_TCK)

start=$(date +%s)
baseline=""
max_after=0
samples="$log/samples.txt"
echo "seconds rss_kb cpu_percent" >"$samples"
last_sample=$start
last_cpu=$(cpu_ticks)
actions=0
menus=0
unexpected=0
music_boxes=0
while :; do
  now=$(date +%s)
  elapsed=$((now - start))
  [ "$elapsed" -ge "$seconds" ] && break
  alive || fail "the editor crashed after ${elapsed} s (see $log/app.log)"
  for box in $(error_boxes); do
    unexpected=$((unexpected + 1))
    import -window "$box" "$log/error-box-$unexpected.png" 2>/dev/null || true
    echo "$elapsed unexpected error box (error-box-$unexpected.png)" >>"$log/actions.txt"
    dismiss "$box"
  done

  # The information windows open over the editor; with no window manager nothing raises it again.
  [ $((RANDOM % 4)) -eq 0 ] && xdotool windowraise "$wid" 2>/dev/null
  case $((RANDOM % 10)) in
  0 | 1 | 2 | 3)
    xdotool mousemove --window "$wid" $((RANDOM % 640)) $((19 + RANDOM % 462)) 2>/dev/null || true ;;
  4 | 5)
    button=$((1 + RANDOM % 3))
    echo "$elapsed click $button" >>"$log/actions.txt"
    xdotool mousemove --window "$wid" $((RANDOM % 640)) $((19 + RANDOM % 462)) click "$button" 2>/dev/null || true ;;
  6 | 7 | 8)
    # With a drop-down open, arrow keys walk the menu bar and could open "Uscita": close it first.
    [ -n "$(popup)" ] && xdotool key Escape 2>/dev/null
    key=${keys[RANDOM % ${#keys[@]}]}
    echo "$elapsed key $key" >>"$log/actions.txt"
    xdotool windowfocus --sync "$wid" 2>/dev/null && xdotool key "$key" 2>/dev/null || true ;;
  9)
    i=$((RANDOM % ${#titles[@]}))
    xdotool windowraise "$wid" 2>/dev/null || true
    xdotool mousemove --window "$wid" "${titles[i]}" 9 click 1 2>/dev/null || true
    sleep 0.4
    # A drop-down opens under its title with 22-pixel entries. It is clicked where it must be:
    # looking for its window is not reliable here, and a click on a closed one only paints a cell.
    allowed=(${entries[i]})
    pick=${allowed[RANDOM % ${#allowed[@]}]}
    xdotool mousemove --window "$wid" $((titles[i] + 8)) $((19 + 22 * pick + 11)) click 1 2>/dev/null || true
    menus=$((menus + 1))
    echo "$elapsed menu $i entry $pick" >>"$log/actions.txt"
    # With the music's device unopened, "Musica On" and "Musica Off" report "No MCI device open".
    if [ "$i" -eq 3 ]; then
      for _ in $(seq 15); do
        box=$(error_boxes | head -n 1)
        [ -n "$box" ] && { music_boxes=$((music_boxes + 1)); dismiss "$box"; break; }
        sleep 0.1
      done
    fi
    # No key may reach a drop-down: from an open one the arrows walk to "Uscita".
    xdotool key Escape Escape 2>/dev/null || true ;;
  esac
  actions=$((actions + 1))
  sleep 0.05

  if [ $((now - last_sample)) -ge 10 ]; then
    rss=$(rss_kb); cpu=$(cpu_ticks)
    percent=$(( (cpu - last_cpu) * 100 / hz / (now - last_sample) ))
    echo "$elapsed $rss $percent" >>"$samples"
    last_sample=$now; last_cpu=$cpu
    if [ "$elapsed" -ge 60 ]; then
      [ -z "$baseline" ] && baseline=$rss
      [ "$rss" -gt "$max_after" ] && max_after=$rss
    fi
  fi
done

alive || fail "the editor crashed at the end"
final=$(rss_kb)
[ -z "$baseline" ] && baseline=$final
[ "$final" -gt "$max_after" ] && max_after=$final
growth=$((max_after - baseline))
mean_cpu=$(awk 'NR > 1 {s += $3; n++} END {if (n) printf "%.1f", s / n; else print 0}' "$samples")
echo "soak: ${minutes} min, ${actions} actions (${menus} menu commands), intro error boxes: ${known_boxes}, music command boxes: ${music_boxes}, other error boxes: ${unexpected}"
echo "soak: resident memory at 1 min ${baseline} kB, at the end ${final} kB, highest after 1 min ${max_after} kB, growth ${growth} kB"
echo "soak: mean CPU ${mean_cpu}% (samples every 10 s in $samples)"
[ "$unexpected" -eq 0 ] || fail "$unexpected unexpected error boxes"
[ "$growth" -lt 2048 ] || fail "resident memory grew by ${growth} kB after the first minute"
echo "soak: passed"
