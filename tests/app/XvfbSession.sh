# Sourced by the tests that drive the real program in a real X server.
# Starts Xvfb (1024 x 768, or XVFB_SCREEN such as 1600x1200x24) on a free display, starts programs on it, finds their windows, and
# cleans everything up when the test ends, whatever way it ends.

set -euo pipefail
XVFB_PID=""
PROGRAM_PID=""
SHOTS=${KORVAN_SCREENSHOTS:-$(mktemp -d /tmp/korvan-shots-XXXXXX)}
mkdir -p "$SHOTS"

xvfb_cleanup() {
  [ -n "$PROGRAM_PID" ] && kill "$PROGRAM_PID" 2>/dev/null || true
  [ -n "$XVFB_PID" ] && kill "$XVFB_PID" 2>/dev/null || true
  wait 2>/dev/null || true
}
trap xvfb_cleanup EXIT

# A failure shows what the program printed, if it was started: often the only clue from CI.
fail() {
  echo "FAIL: $*" >&2
  if [ -s "$SHOTS/program.log" ]; then grep -v '^ALSA lib' "$SHOTS/program.log" | tail -n 40 | sed 's/^/  program: /' >&2; fi
  exit 1
}
note() { echo "-- $*"; }

start_xvfb() {
  local fifo
  fifo=$(mktemp -u /tmp/korvan-displayfd-XXXXXX)
  mkfifo "$fifo"
  # -noreset: by default the server resets when its last client leaves, and drops any connection
  # still in its handshake then; a short-lived xdotool leaving just as the program connects would
  # make the program fail to open the display.
  Xvfb -displayfd 3 -screen 0 "${XVFB_SCREEN:-1024x768x24}" -nolisten tcp -noreset 3>"$fifo" >/dev/null 2>&1 &
  XVFB_PID=$!
  local number
  read -r -t 20 number <"$fifo" || fail "Xvfb did not start"
  rm -f "$fifo"
  export DISPLAY=":$number"
}

# wait_window NAME [SECONDS]: prints the id of the first visible window whose title matches.
wait_window() {
  local name=$1 limit=${2:-30} id=""
  for _ in $(seq 1 $((limit * 10))); do
    id=$(xdotool search --onlyvisible --name "$name" 2>/dev/null | head -1 || true)
    [ -n "$id" ] && { echo "$id"; return 0; }
    sleep 0.1
  done
  return 1
}

# The error box is titled with the program's name; press its OK button with the keyboard.
dismiss_error_box() {
  local box
  box=$(xdotool search --onlyvisible --name '^Project_korvan$' 2>/dev/null | head -1 || true)
  [ -z "$box" ] && return 1
  xdotool windowfocus --sync "$box" key Return
  sleep 0.3
  return 0
}

# geometry WID: prints "X Y WIDTH HEIGHT" of the window on the screen.
geometry() {
  xwininfo -id "$1" | awk '/Absolute upper-left X/{x=$4} /Absolute upper-left Y/{y=$4} /Width:/{w=$2} /Height:/{h=$2} END{print x, y, w, h}'
}

shot() {  # shot WID NAME: a PPM for the checks and a PNG to look at
  import -window "$1" -depth 8 "ppm:$SHOTS/$2.ppm"
  import -window "$1" "png:$SHOTS/$2.png" 2>/dev/null || true
}
