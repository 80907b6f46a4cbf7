#!/usr/bin/env bash
# The presentation benchmarks (BM_PresentFrame, BM_PresentTick, BM_PresentCachedTick) on a real X server instead of the
# offscreen platform: its own Xvfb (the tests' -displayfd helper), the xcb platform, MIT-SHM and the
# round trips included, and the server's CPU time per frame as the counter server_us.
#   bench/present_xvfb.sh [BUILD_DIR] [extra korvan_bench options]   (BUILD_DIR default build/test)
root=$(cd "$(dirname "$0")/.." && pwd)
export KORVAN_SCREENSHOTS=$(mktemp -d /tmp/korvan-present-XXXXXX)
source "$root/tests/app/XvfbSession.sh"
present_cleanup() {
  xvfb_cleanup
  rm -rf "$KORVAN_SCREENSHOTS"
}
trap present_cleanup EXIT
build=${1:-$root/build/test}
shift || true
bench=$build/run/korvan_bench
[ -x "$bench" ] || fail "no $bench: build with benchmarks first (scripts/test)"
start_xvfb
export KORVAN_BENCH_SERVER_PID=$XVFB_PID
QT_QPA_PLATFORM=xcb "$bench" --benchmark_filter='BM_Present(Frame|Tick|CachedTick)' --benchmark_min_time=2 "$@"
