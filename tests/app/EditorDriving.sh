# Driving the real editor as a user does, for the end-to-end scripts (source XvfbSession.sh first,
# then this, from the folder that holds Project_KORVAN):
#   start_editor            starts the editor, waits through the intro for the 640-pixel editor
#                           window (answering error boxes on the way); sets editor and MENU
#   point X Y               moves the pointer to (X, Y) of the view
#   menu TITLE_X DOWNS      opens a menu by its title and chooses its DOWNS-th entry
#   file_dialog NAME [existing]   types a name into the file dialog and confirms it
FILE=20 EDITOR=63 CENTRA=137 USCITA=364  # the menu titles' x positions

start_editor() {
  ./Project_KORVAN >"$SHOTS/program.log" 2>&1 &
  PROGRAM_PID=$!
  wait_window "^Generatore & Editor" 20 >/dev/null || fail "no intro window"
  editor=""
  for _ in $(seq 1 200); do
    dismiss_error_box || true
    for id in $(xdotool search --onlyvisible --name "^Generatore & Editor" 2>/dev/null || true); do
      [ "$(geometry "$id" | cut -d' ' -f3)" = 640 ] && editor=$id
    done
    [ -n "$editor" ] && break
    sleep 0.1
  done
  [ -n "$editor" ] || fail "the editor window never appeared"
  sleep 0.5
  dismiss_error_box || true
  MENU=$(($(geometry "$editor" | cut -d' ' -f4) - 462))
}
point() { xdotool mousemove --window "$editor" "$1" $((MENU + $2)); }
menu() {
  xdotool mousemove --window "$editor" "$1" $((MENU / 2)) click 1
  sleep 0.3
  for _ in $(seq 1 "$2"); do xdotool key Down; done
  xdotool key Return
  sleep 0.4
}
file_dialog() {
  wait_window "." 5 >/dev/null
  sleep 0.3
  xdotool type --delay 5 "$1"
  sleep 0.3
  [ "${2:-}" = existing ] && xdotool key Escape  # closes the name completion's list
  xdotool key Return
  sleep 0.8
}
