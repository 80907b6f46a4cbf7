#!/usr/bin/env bash
# The presentation checks of image_presentation_test on a real X server: there Image1 puts its
# frames from memory shared with the server, past Qt's painting, and every pixel the window
# shows must still be the back buffer's colour, frame after frame, partial updates included.
# Usage: direct_presentation_xvfb.sh RUN_DIR
here=$(cd "$(dirname "$0")" && pwd)
source "$here/XvfbSession.sh"
RUN=$(cd "$1" && pwd)
[ -x "$RUN/image_presentation_test" ] || fail "no image_presentation_test in $RUN"
start_xvfb
QT_QPA_PLATFORM=xcb KORVAN_EXPECT_DIRECT=1 "$RUN/image_presentation_test" >"$SHOTS/program.log" 2>&1 ||
  fail "image_presentation_test failed on the X server"
grep -E '^Totals' "$SHOTS/program.log"
# And Qt's own painting on the same server, as KORVAN_PRESENT=qt chooses.
QT_QPA_PLATFORM=xcb KORVAN_PRESENT=qt "$RUN/image_presentation_test" >"$SHOTS/program.log" 2>&1 ||
  fail "image_presentation_test failed on the X server with Qt's painting"
grep -E '^Totals' "$SHOTS/program.log"
