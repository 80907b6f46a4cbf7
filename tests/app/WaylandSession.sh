# Sourced by the tests that drive the real program in a native Wayland session: a headless sway
# (software rendering, no input devices) in the test's own folder, the program started as a
# Wayland desktop starts it (WAYLAND_DISPLAY set, no DISPLAY), screenshots with grim, keys and
# pointer through the compositor's virtual devices. Or a headless weston (start_weston), which
# has neither virtual devices nor grim's capture protocol: screenshots with its own screenshooter.
# sway does not run as root: as root, the compositor and the program run as the unprivileged user
# nobody, in a folder of the test's that it owns.

set -euo pipefail
SHOTS=${KORVAN_SCREENSHOTS:-$(mktemp -d /tmp/korvan-shots-XXXXXX)}
mkdir -p "$SHOTS"
SESSION=$(mktemp -d /tmp/korvan-wayland-XXXXXX)
chmod 755 "$SESSION"
SWAY_PID="" WESTON_PID="" PROGRAM_PID=""
AS_USER=()
if [ "$(id -u)" = 0 ]; then AS_USER=(setpriv --reuid=65534 --regid=65534 --clear-groups --); fi

wayland_cleanup() {
  [ -n "$PROGRAM_PID" ] && kill "$PROGRAM_PID" 2>/dev/null || true
  [ -n "$SWAY_PID" ] && kill "$SWAY_PID" 2>/dev/null || true
  [ -n "$WESTON_PID" ] && kill "$WESTON_PID" 2>/dev/null || true
  wait 2>/dev/null || true
  rm -rf "$SESSION"
}
trap wayland_cleanup EXIT

fail() {
  echo "FAIL: $*" >&2
  [ -n "${SWAYSOCK:-}" ] && grim -t png "$SHOTS/failure.png" 2>/dev/null
  if [ -s "$SHOTS/program.log" ]; then grep -v '^ALSA lib' "$SHOTS/program.log" | tail -n 40 | sed 's/^/  program: /' >&2; fi
  [ -s "$SHOTS/sway.log" ] && tail -n 10 "$SHOTS/sway.log" | sed 's/^/  sway: /' >&2
  [ -s "$SHOTS/weston.log" ] && tail -n 10 "$SHOTS/weston.log" | sed 's/^/  weston: /' >&2
  echo "  screenshots in $SHOTS" >&2
  exit 1
}
note() { echo "-- $*"; }

# start_sway: the compositor, with one 1024 x 768 output, ready for clients and swaymsg.
start_sway() {
  mkdir -p "$SESSION/runtime" "$SESSION/home"
  chmod 700 "$SESSION/runtime"
  if [ ${#AS_USER[@]} -gt 0 ]; then chown 65534:65534 "$SESSION/runtime" "$SESSION/home"; fi
  cat >"$SESSION/sway.conf" <<'CONF'
xwayland disable
output * resolution 1024x768 position 0 0
default_border normal
CONF
  export XDG_RUNTIME_DIR="$SESSION/runtime"
  (cd "$SESSION" && exec env -i PATH=/usr/bin:/bin HOME="$SESSION/home" XDG_RUNTIME_DIR="$XDG_RUNTIME_DIR" \
    WLR_BACKENDS=headless WLR_LIBINPUT_NO_DEVICES=1 WLR_RENDERER=pixman \
    "${AS_USER[@]}" sway -c "$SESSION/sway.conf") >"$SHOTS/sway.log" 2>&1 &
  SWAY_PID=$!
  for _ in $(seq 1 100); do
    SWAYSOCK=$(ls "$XDG_RUNTIME_DIR"/sway-ipc.*.sock 2>/dev/null | head -1 || true)
    WAYLAND_DISPLAY=$(cd "$XDG_RUNTIME_DIR" && ls wayland-* 2>/dev/null | grep -v lock | head -1 || true)
    [ -n "$SWAYSOCK" ] && [ -n "$WAYLAND_DISPLAY" ] && swaymsg -s "$SWAYSOCK" -t get_version >/dev/null 2>&1 && break
    kill -0 "$SWAY_PID" 2>/dev/null || fail "sway did not start"
    sleep 0.1
  done
  export SWAYSOCK WAYLAND_DISPLAY
  [ -n "$SWAYSOCK" ] || fail "sway did not start"
  if ! swaymsg -t get_outputs | grep -q '"name"'; then swaymsg create_output >/dev/null; fi
  swaymsg 'output * resolution 1024x768 position 0 0' >/dev/null
}

# start_weston: weston's desktop on one 1024 x 768 output drawn in software, a plain background
# of WESTON_BACKGROUND (0xAARRGGBB) and no panel, with its screenshooter open to any client.
WESTON_BACKGROUND=0xffff00ff
start_weston() {
  mkdir -p "$SESSION/runtime" "$SESSION/home" "$SESSION/shots"
  chmod 700 "$SESSION/runtime"
  if [ ${#AS_USER[@]} -gt 0 ]; then chown 65534:65534 "$SESSION/runtime" "$SESSION/home" "$SESSION/shots"; fi
  cat >"$SESSION/weston.ini" <<CONF
[core]
xwayland=false
idle-time=0
[shell]
background-color=$WESTON_BACKGROUND
panel-position=none
locking=false
animation=none
startup-animation=none
CONF
  export XDG_RUNTIME_DIR="$SESSION/runtime" WAYLAND_DISPLAY=wayland-korvan
  (cd "$SESSION" && exec env -i PATH=/usr/bin:/bin HOME="$SESSION/home" XDG_RUNTIME_DIR="$XDG_RUNTIME_DIR" \
    "${AS_USER[@]}" weston --backend=headless-backend.so --use-pixman --width=1024 --height=768 \
    --config="$SESSION/weston.ini" --socket="$WAYLAND_DISPLAY" --idle-time=0 --debug) >"$SHOTS/weston.log" 2>&1 &
  WESTON_PID=$!
  for _ in $(seq 1 100); do
    [ -S "$XDG_RUNTIME_DIR/$WAYLAND_DISPLAY" ] && weston_shot ready 2>/dev/null && return 0
    kill -0 "$WESTON_PID" 2>/dev/null || fail "weston did not start"
    sleep 0.1
  done
  fail "weston did not start"
}

# weston_shot NAME: the whole output as $SHOTS/NAME.ppm, through weston's screenshooter.
weston_shot() {
  rm -f "$SESSION"/shots/*.png
  (cd "$SESSION/shots" && env -i PATH=/usr/bin:/bin HOME="$SESSION/home" XDG_RUNTIME_DIR="$XDG_RUNTIME_DIR" \
    WAYLAND_DISPLAY="$WAYLAND_DISPLAY" "${AS_USER[@]}" weston-screenshooter) >/dev/null 2>&1 || return 1
  local png
  png=$(ls "$SESSION"/shots/*.png 2>/dev/null | head -1)
  [ -n "$png" ] && convert "$png" "ppm:$SHOTS/$1.ppm"
}

# start_program DIR PROGRAM...: as a Wayland desktop starts it, from DIR.
start_program() {
  local dir=$1; shift
  (cd "$dir" && exec env -i PATH=/usr/bin:/bin HOME="$SESSION/home" XDG_RUNTIME_DIR="$XDG_RUNTIME_DIR" \
    WAYLAND_DISPLAY="$WAYLAND_DISPLAY" XDG_SESSION_TYPE=wayland LANG=C.UTF-8 \
    ${ASAN_OPTIONS:+ASAN_OPTIONS="$ASAN_OPTIONS"} ${UBSAN_OPTIONS:+UBSAN_OPTIONS="$UBSAN_OPTIONS"} \
    ${LSAN_OPTIONS:+LSAN_OPTIONS="$LSAN_OPTIONS"} "${AS_USER[@]}" "$@") >"$SHOTS/program.log" 2>&1 &
  PROGRAM_PID=$!
}

# window NAME_REGEX: "X Y W H FLOATING" of the first window whose title matches (its content, on
# the screen), or nothing.
window() {
  swaymsg -t get_tree | python3 -c '
import json, re, sys
def walk(node, floating):
    name = node.get("name") or ""
    if node.get("pid") and re.search(sys.argv[1], name):
        r, w = node["rect"], node["window_rect"]
        print(r["x"] + w["x"], r["y"] + w["y"], w["width"], w["height"], "floating" if floating else "tiled")
        sys.exit(0)
    for child in node.get("nodes", []):
        walk(child, False)
    for child in node.get("floating_nodes", []):
        walk(child, True)
walk(json.load(sys.stdin), False)' "$1"
}

# wait_window NAME_REGEX [SECONDS] [WIDTH]: waits for such a window (of that content width) and prints it.
wait_window() {
  local name=$1 limit=${2:-30} width=${3:-} found
  for _ in $(seq 1 $((limit * 10))); do
    found=$(window "$name" || true)
    if [ -n "$found" ] && { [ -z "$width" ] || [ "$(cut -d' ' -f3 <<<"$found")" = "$width" ]; }; then
      echo "$found"
      return 0
    fi
    sleep 0.1
  done
  return 1
}

capture() {  # capture X Y W H NAME: that part of the screen as a PPM
  grim -g "$1,$2 ${3}x$4" -t ppm "$SHOTS/$5.ppm"
}
