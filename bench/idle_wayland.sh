#!/usr/bin/env bash
# CPU of the real editor left idle in a native Wayland session (headless sway, software renderer),
# thread by thread, and of sway itself, at output scale 1 and 2 in alternating runs (the machine's
# load drifts; pairs show it).
# Usage: bench/idle_wayland.sh [BUILD_DIR] [SECONDS] [PAIRS]   (defaults: build/release else
# build/test, 20 s, 2 pairs)
root=$(cd "$(dirname "$0")/.." && pwd)
BUILD=${1:-$root/build/release}
[ -x "$BUILD/run/Project_KORVAN" ] || BUILD=$root/build/test
SECONDS_EACH=${2:-20}
PAIRS=${3:-2}
RUN=$BUILD/run
export KORVAN_SCREENSHOTS=$(mktemp -d /tmp/korvan-idle-wayland-XXXXXX)

ticks() {  # ticks PID: "name utime+stime" per thread
  for t in /proc/"$1"/task/*; do
    [ -r "$t/stat" ] || continue
    awk '{ s = $0; sub(/^[^(]*\(/, "", s); name = s; sub(/\).*$/, "", name); sub(/^[^)]*\) /, "", s);
           split(s, f, " "); print name "\t" f[12] + f[13] }' "$t/stat"
  done
}

one_run() {  # one_run SCALE
  (
    source "$root/tests/app/WaylandSession.sh"
    mkdir -p "$SESSION/app"
    cp -r "$RUN/Project_KORVAN" "$RUN/Graphic" "$RUN/Music" "$SESSION/app/"
    start_sway
    # The same 1024 x 768 desktop, drawn at the scale's resolution.
    swaymsg "output * resolution $((1024 * $1))x$((768 * $1)) scale $1" >/dev/null
    start_program "$SESSION/app" ./Project_KORVAN
    for _ in $(seq 1 100); do
      [ -n "$(window '^Project_korvan$' || true)" ] && { "$RUN/korvan-virtual-input" us key return >/dev/null 2>&1; break; }
      [ -n "$(window '^Generatore & Editor' | awk '$3 == 640')" ] && break
      sleep 0.1
    done
    wait_window '^Generatore & Editor' 30 640 >/dev/null || fail "no editor window"
    sleep 3
    hz=$(getconf CLK_TCK)
    before_editor=$(ticks "$PROGRAM_PID"); before_sway=$(ticks "$SWAY_PID")
    sleep "$SECONDS_EACH"
    after_editor=$(ticks "$PROGRAM_PID"); after_sway=$(ticks "$SWAY_PID")
    python3 - "$1" "$hz" "$SECONDS_EACH" "$before_editor" "$after_editor" "$before_sway" "$after_sway" <<'PY'
import sys
scale, hz, seconds = sys.argv[1], int(sys.argv[2]), float(sys.argv[3])
def parse(text):
    totals = {}
    for line in text.splitlines():
        name, value = line.rsplit('\t', 1)
        totals[name] = totals.get(name, 0) + int(value)
    return totals
def share(before, after):
    b, a = parse(before), parse(after)
    return {n: 100.0 * (a[n] - b.get(n, 0)) / hz / seconds for n in a}
editor = share(sys.argv[4], sys.argv[5])
sway = sum(share(sys.argv[6], sys.argv[7]).values())
threads = ', '.join(f'{n} {v:.1f}' for n, v in sorted(editor.items(), key=lambda kv: -kv[1]) if v > 0.05)
print(f'scale {scale}: editor {sum(editor.values()):.1f} % ({threads}); sway {sway:.1f} %')
PY
  )
}

uptime
for _ in $(seq 1 "$PAIRS"); do
  one_run 1
  one_run 2
done
uptime
rm -rf "$KORVAN_SCREENSHOTS"
