#!/usr/bin/env bash
# bench/idle_cpu.sh run for a few seconds per view, as anyone would rerun it: it must print its
# figures for both views, exit 0, and leave nothing behind (no X server, no editor, no map folder).
# The figures themselves are not checked: they depend on the machine.
# Usage: idle_cpu_script_xvfb.sh RUN_DIR
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)
RUN=$(cd "$1" && pwd)
work=$(mktemp -d /tmp/korvan-idle-test-XXXXXX)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*" >&2; sed 's/^/  output: /' "$work/out" >&2 || true; exit 1; }

# In a session of its own, so that whatever it started can be found afterwards by session id.
status=0
setsid --fork --wait bash -c 'echo $$ >"$1"; exec bash "$2" "$3" 3' _ "$work/sid" "$root/bench/idle_cpu.sh" "$RUN" \
  >"$work/out" 2>&1 || status=$?
sid=$(cat "$work/sid")
cat "$work/out"
[ "$status" = 0 ] || fail "bench/idle_cpu.sh exited with $status"
[ "$(grep -c '^idle .* of one core' "$work/out")" = 2 ] || fail "not one figure per view"
left=$(pgrep -a -s "$sid" || true)
[ -z "$left" ] || fail "processes left behind: $left"
ls -d "$RUN"/idle-map-* 2>/dev/null && fail "the map folder was left in $RUN"
echo "1 passed, 0 failed"
