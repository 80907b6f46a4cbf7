#!/usr/bin/env bash
# How long the intro lasts: from the moment the intro window is mapped on the X server to the
# moment the 640-wide editor window is, for each of N launches of the real editor under Xvfb,
# read from the server's own map events (bench/window_maps.py), less the time any error box stood
# open. The music plays into ALSA's null device (a ~/.asoundrc in a temporary home), so that no
# error box interrupts the intro. Prints one line per launch and the mean; the intro is meant to
# last 5.0 s.
# Usage: bench/intro_length.sh [BUILD_DIR] [LAUNCHES]   (defaults: build/test, 5)
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build/test}
launches=${2:-5}
RUN=$(cd "$build/run" && pwd)
source "$root/tests/app/XvfbSession.sh"
start_xvfb
cd "$RUN"
home=$(mktemp -d /tmp/korvan-intro-home-XXXXXX)
printf 'pcm.!default { type null }\nctl.!default { type hw card 0 }\n' >"$home/.asoundrc"
lengths=()
for launch in $(seq 1 "$launches"); do
  log="$home/maps-$launch"
  python3 "$root/bench/window_maps.py" >"$log" &
  watcher=$!
  for _ in $(seq 1 100); do grep -q ready "$log" && break; sleep 0.05; done
  HOME=$home ./Project_KORVAN >/dev/null 2>&1 &
  PROGRAM_PID=$!
  for _ in $(seq 1 300); do
    grep -q "map 640 Generatore" "$log" && break
    box=$(xdotool search --onlyvisible --name '^Project_korvan$' 2>/dev/null | head -1 || true)
    [ -n "$box" ] && { xdotool windowfocus --sync "$box" key Return 2>/dev/null || true; }
    sleep 0.05
  done
  kill "$PROGRAM_PID" "$watcher" 2>/dev/null || true
  wait "$PROGRAM_PID" "$watcher" 2>/dev/null || true
  PROGRAM_PID=""
  line=$(python3 - "$log" <<'PY'
import sys
intro = editor = None
box_open, boxes = None, 0.0
for line in open(sys.argv[1]):
    parts = line.split(maxsplit=3)
    if len(parts) < 4:
        continue
    t, kind, width, name = float(parts[0]), parts[1], parts[2], parts[3].strip()
    if name.startswith('Generatore') and kind == 'map':
        if width == '400' and intro is None:
            intro = t
        elif width == '640' and editor is None:
            editor = t
    elif name == 'Project_korvan':
        if kind == 'map':
            box_open = t
        elif box_open is not None:
            boxes += t - box_open
            box_open = None
if intro is None or editor is None:
    print('none')
else:
    print(f'{editor - intro - boxes:.3f} {boxes:.3f}')
PY
)
  [ "$line" = none ] && { echo "launch $launch: the editor window never appeared"; exit 1; }
  read -r length boxes <<<"$line"
  echo "launch $launch: intro $length s (error box open $boxes s, not counted)"
  lengths+=("$length")
done
rm -rf "$home"
python3 -c "import sys; v = [float(x) for x in sys.argv[1:]]; print(f'mean of {len(v)}: {sum(v) / len(v):.3f} s, from {min(v):.3f} to {max(v):.3f} s')" "${lengths[@]}"
