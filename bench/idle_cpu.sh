#!/usr/bin/env bash
# CPU use and resident memory of the real editor left idle under Xvfb after its intro.
# Usage: bench/idle_cpu.sh [BUILD_DIR] [SECONDS]   (defaults: build/test, 30)
# With IDLE_SCREENSHOT=FILE.png set, the screen is saved at the end (ImageMagick's import).
# Starts Xvfb on a free display, runs BUILD_DIR/run/Project_KORVAN from its run folder, presses
# OK on every error box (without a sound card the music reports "No audio device…" once and
# the intro waits for it), waits for the 640-wide editor window, puts the pointer in the middle
# of the view (outside every edge band), then samples utime + stime from /proc/<pid>/stat.
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build/test}
seconds=${2:-30}
run_dir=$(cd "$build/run" && pwd)
for tool in Xvfb xdotool xdpyinfo; do
    command -v "$tool" >/dev/null || { echo "idle_cpu: $tool is missing (apt-get install xvfb xdotool x11-utils)" >&2; exit 2; }
done

display=
for n in $(seq 90 150); do
    if [ ! -e "/tmp/.X$n-lock" ] && [ ! -e "/tmp/.X11-unix/X$n" ]; then display=:$n; break; fi
done
[ -n "$display" ] || { echo "idle_cpu: no free X display" >&2; exit 2; }

xvfb_pid=
app_pid=
cleanup() {
    [ -n "$app_pid" ] && kill "$app_pid" 2>/dev/null && wait "$app_pid" 2>/dev/null
    [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null && wait "$xvfb_pid" 2>/dev/null
    return 0
}
trap cleanup EXIT

Xvfb "$display" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
xvfb_pid=$!
export DISPLAY=$display
for _ in $(seq 100); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done
xdpyinfo >/dev/null 2>&1 || { echo "idle_cpu: Xvfb did not start on $display" >&2; exit 1; }

cd "$run_dir"
QT_QPA_PLATFORM=xcb ./Project_KORVAN >/dev/null 2>&1 &
app_pid=$!

dismiss_error_boxes() {
    local box
    for box in $(xdotool search --onlyvisible --name '^Project_korvan$' 2>/dev/null); do
        xdotool windowfocus --sync "$box" 2>/dev/null && xdotool key --clearmodifiers Return 2>/dev/null || true
        echo "idle_cpu: pressed OK on an error box" >&2
    done
}

# The intro window already carries the editor's caption: the switch is when it becomes 640 wide.
editor=
for _ in $(seq 600); do
    kill -0 "$app_pid" 2>/dev/null || { echo "idle_cpu: the editor exited" >&2; exit 1; }
    dismiss_error_boxes
    for wid in $(xdotool search --onlyvisible --name '^Generatore & Editor' 2>/dev/null); do
        width=$(xdotool getwindowgeometry --shell "$wid" | sed -n 's/^WIDTH=//p')
        if [ "${width:-0}" -ge 640 ]; then editor=$wid; fi
    done
    [ -n "$editor" ] && break
    sleep 0.1
done
[ -n "$editor" ] || { echo "idle_cpu: the editor window did not appear" >&2; exit 1; }

# The middle of the 640 x 462 view, below the menu bar.
height=$(xdotool getwindowgeometry --shell "$editor" | sed -n 's/^HEIGHT=//p')
xdotool mousemove --window "$editor" 320 $((height - 462 + 231))
sleep 2
dismiss_error_boxes

ticks() { sed 's/^.*) //' "/proc/$app_pid/stat" | awk '{ print $12 + $13 }'; }
hz=$(getconf CLK_TCK)
before=$(ticks)
start=$(date +%s.%N)
sleep "$seconds"
after=$(ticks)
end=$(date +%s.%N)
kill -0 "$app_pid" 2>/dev/null || { echo "idle_cpu: the editor exited while sampled" >&2; exit 1; }
if [ -n "${IDLE_SCREENSHOT:-}" ]; then import -window root "$IDLE_SCREENSHOT"; fi
rss=$(sed -n 's/^VmRSS:[[:space:]]*//p' "/proc/$app_pid/status")
hwm=$(sed -n 's/^VmHWM:[[:space:]]*//p' "/proc/$app_pid/status")

awk -v t="$((after - before))" -v hz="$hz" -v s="$start" -v e="$end" -v rss="$rss" -v hwm="$hwm" 'BEGIN {
    wall = e - s
    printf "idle editor over %.1f s: CPU %.2f %% of one core (%d ticks of 1/%d s), resident %s (peak %s)\n",
           wall, 100 * t / hz / wall, t, hz, rss, hwm
}'
