#!/usr/bin/env bash
# CPU use of the idle editor with its music, as a desktop user runs it: the editor, the X server and
# the sound server apart and together, with "Musica On", after "Musica Off", and on a sound device
# that never blocks (ALSA's null device, no sound server).
#
#   bench/music_cpu.sh [--seed N] [--user NAME] [--cases LIST] [BUILD_DIR] [SECONDS]
#
# BUILD_DIR: a build folder (or its run/ folder); default build/release (scripts/run), else
# build/test. SECONDS: how long each case is sampled (default 20). --seed N (default 10): the map
# of `korvan-map generate --seed N`, loaded through "Carica Mappa". --cases: a comma-separated
# choice of on, off, alsa (default on,off,alsa).
#
# It starts its own Xvfb and its own PulseAudio with a null sink that keeps real time (no sound
# card needed), run as a user that is not root: the caller, or for root the user --user names
# (default nobody), with everything in a temporary folder. The editor plays into it through that
# server's socket alone (no autospawn, no other server). For "off" it chooses "Musica Off" and
# checks that the editor's playback stream is gone from the server (`pactl list short
# sink-inputs`), then "Musica On" and checks that it is back. For "alsa" the editor runs again with
# no sound server and `pcm.!default { type null }` in a temporary HOME's .asoundrc. Each sample is
# utime + stime from /proc/<pid>/stat and the scheduler's time on a CPU, with the editor's busiest
# threads. With MUSIC_SCREENSHOT=PREFIX set, each case's window is saved as PREFIX-<case>.png. Needs: xvfb xdotool x11-utils imagemagick pulseaudio pulseaudio-utils (scripts/deps --bench).
root=$(cd "$(dirname "$0")/.." && pwd)
export KORVAN_SCREENSHOTS=$(mktemp -d /tmp/korvan-music-XXXXXX)
source "$root/tests/app/XvfbSession.sh"
source "$root/bench/run_folder.sh"
work=$(mktemp -d /tmp/korvan-music-work-XXXXXX)
map_dir=""
PULSE_PID=""
music_cleanup() {
  [ -n "$PULSE_PID" ] && kill "$PULSE_PID" 2>/dev/null || true
  xvfb_cleanup
  rm -rf "$KORVAN_SCREENSHOTS" "$work" ${map_dir:+"$map_dir"}
}
trap music_cleanup EXIT

usage() { sed -n 's/^#   //p' "$0" >&2; exit 2; }
help() { sed -n '2,/^$/s/^# \{0,1\}//p' "$0"; exit 0; }
seed=10
sound_user=nobody
cases=on,off,alsa
positional=()
while [ $# -gt 0 ]; do
  case $1 in
  --seed) [ $# -ge 2 ] || usage; seed=$2; shift 2 ;;
  --user) [ $# -ge 2 ] || usage; sound_user=$2; shift 2 ;;
  --cases) [ $# -ge 2 ] || usage; cases=$2; shift 2 ;;
  -h | --help) help ;;
  -*) usage ;;
  *) positional+=("$1"); shift ;;
  esac
done
[ ${#positional[@]} -le 2 ] || usage
run_dir=$(run_folder "$root" "${positional[0]:-}") || exit 2
seconds=${positional[1]:-20}
for tool in Xvfb xdotool xwininfo import convert python3 pulseaudio pactl; do
  command -v "$tool" >/dev/null || { echo "music_cpu: $tool is missing (scripts/deps --bench)" >&2; exit 2; }
done
wants() { case ",$cases," in *",$1,"*) return 0 ;; *) return 1 ;; esac; }

# Beside the program, not under /tmp: the open dialog keeps watching the folders it has shown.
map_dir=$(mktemp -d "$run_dir/music-map-XXXXXX")
map="$map_dir/seed-$seed.korv"
"$run_dir/korvan-map" generate --seed "$seed" -o "$map" || fail "korvan-map could not generate the map"

# The sound server: PulseAudio refuses to run as root, as a desktop's never does.
as_sound_user=()
if [ "$(id -u)" -eq 0 ]; then
  id "$sound_user" >/dev/null 2>&1 || { echo "music_cpu: no user $sound_user (--user NAME)" >&2; exit 2; }
  as_sound_user=(setpriv --reuid="$sound_user" --regid="$(id -g "$sound_user")" --init-groups --)
  chmod 755 "$work"
fi
mkdir -p "$work/pulse/home" "$work/pulse/run" "$work/alsa"
cat >"$work/pulse/server.pa" <<EOF
load-module module-null-sink sink_name=bench rate=44100
set-default-sink bench
load-module module-native-protocol-unix socket=$work/pulse/run/native auth-anonymous=1
load-module module-suspend-on-idle
EOF
printf 'autospawn = no\n' >"$work/client.conf"
printf 'pcm.!default { type null }\n' >"$work/alsa/.asoundrc"
[ "$(id -u)" -eq 0 ] && chown -R "$sound_user" "$work/pulse"
sound_env=(env HOME="$work/pulse/home" XDG_RUNTIME_DIR="$work/pulse/run" PULSE_CLIENTCONFIG="$work/client.conf")
# Every client, the editor included, reaches this server and no other.
export PULSE_SERVER="unix:$work/pulse/run/native" PULSE_CLIENTCONFIG="$work/client.conf"

start_sound_server() {
  "${as_sound_user[@]}" "${sound_env[@]}" pulseaudio -n -F "$work/pulse/server.pa" --daemonize=no \
    --exit-idle-time=-1 --use-pid-file=no --system=no --log-target=stderr >"$SHOTS/pulse.log" 2>&1 &
  PULSE_PID=$!
  for _ in $(seq 100); do
    pactl info >/dev/null 2>&1 && return 0
    kill -0 "$PULSE_PID" 2>/dev/null || break
    sleep 0.1
  done
  tail -n 20 "$SHOTS/pulse.log" >&2
  fail "PulseAudio did not start"
}
streams() { pactl list short sink-inputs | wc -l; }

editor=""
menu_bar=0
menu() {  # menu TITLE_X DOWNS: opens a menu by its title and chooses its DOWNS-th entry
  xdotool mousemove --window "$editor" "$1" $((menu_bar / 2)) click 1
  sleep 0.3
  for _ in $(seq 1 "$2"); do xdotool key Down; done
  xdotool key Return
  sleep 0.5
}
musica_x=215  # the middle of "Musica", the fourth title of the menu bar
start_editor() {  # start_editor [ENV...]: the editor with the map of the seed loaded, pointer in the view
  xdotool mousemove 512 384  # the middle of the screen: the middle of the view to come, so it does not scroll
  (cd "$run_dir" && exec env "$@" ./Project_KORVAN) >"$SHOTS/program.log" 2>&1 &
  PROGRAM_PID=$!
  editor=""
  for _ in $(seq 600); do
    kill -0 "$PROGRAM_PID" 2>/dev/null || fail "the editor exited"
    dismiss_error_box && fail "an error box at start: the music could not play"
    id=$(xdotool search --onlyvisible --name '^Generatore & Editor' 2>/dev/null | head -1 || true)
    if [ -n "$id" ] && [ "$(geometry "$id" | cut -d' ' -f3)" = 640 ]; then editor=$id; break; fi
    sleep 0.1
  done
  [ -n "$editor" ] || fail "the editor window did not appear"
  sleep 0.5
  dismiss_error_box && fail "an error box at the editor switch: the music could not play"
  menu_bar=$(($(geometry "$editor" | cut -d' ' -f4) - 462))
  menu 20 3  # "Carica Mappa"
  xdotool type --delay 5 "$map"
  sleep 0.3
  xdotool key Escape  # closes the name completion's list
  xdotool key Return
  sleep 0.5
  dismiss_error_box && fail "the map $map did not load"
  # The view must be that map's: the same frame as korvan-map draws, but for the moving water.
  xdotool mousemove --window "$editor" 320 $((menu_bar + 231))
  sleep 0.5
  "$run_dir/korvan-map" frame "$map" -o "$SHOTS/expected.bmp" --cursor 286 211
  convert "$SHOTS/expected.bmp" -crop 640x462+0+0 +repage -depth 8 "ppm:$SHOTS/expected.ppm"
  import -window "$editor" -crop "640x462+0+$menu_bar" +repage -depth 8 "ppm:$SHOTS/loaded.ppm"
  differ=$(python3 "$root/tests/app/screen_check.py" changed-solid "$SHOTS/expected.ppm" "$SHOTS/loaded.ppm" 0 0 640 462)
  [ "$differ" -le 100 ] || fail "the view is not the map of seed $seed ($differ pixels differ)"
  sleep 1.5
}
stop_editor() {
  kill "$PROGRAM_PID" 2>/dev/null || true
  wait "$PROGRAM_PID" 2>/dev/null || true
  PROGRAM_PID=""
}

ticks() { sed 's/^.*) //' "/proc/$1/stat" | awk '{ print $12 + $13 }'; }
on_cpu() { cat /proc/"$1"/task/*/schedstat 2>/dev/null | awk '{ ns += $1 } END { printf "%.0f", ns }'; }
threads() {  # TID NS NAME of each thread, read without a fork so that it takes no time to speak of
  local t ns rest name
  for t in /proc/"$1"/task/*; do
    read -r ns rest <"$t/schedstat" && read -r name <"$t/comm" && printf '%s %s %s\n' "${t##*/}" "$ns" "$name"
  done
}
hz=$(getconf CLK_TCK)

# sample NAME KEY: SECONDS of the editor, the X server and (if running) the sound server.
sample() {
  local name=$1 pids=("$PROGRAM_PID" "$XVFB_PID") before=() after=() ns_before=() ns_after=() start end
  [ -n "$PULSE_PID" ] && pids+=("$PULSE_PID")
  dismiss_error_box && fail "an error box before sampling $name"
  threads_start=$(date +%s.%N)
  threads "$PROGRAM_PID" >"$SHOTS/threads-before"
  for p in "${pids[@]}"; do before+=("$(ticks "$p")"); ns_before+=("$(on_cpu "$p")"); done
  start=$(date +%s.%N)
  sleep "$seconds"
  for p in "${pids[@]}"; do after+=("$(ticks "$p")"); ns_after+=("$(on_cpu "$p")"); done
  end=$(date +%s.%N)
  threads "$PROGRAM_PID" >"$SHOTS/threads-after"
  threads_end=$(date +%s.%N)
  kill -0 "$PROGRAM_PID" 2>/dev/null || fail "the editor exited while sampled"
  if [ -n "${MUSIC_SCREENSHOT:-}" ]; then import -window "$editor" "$MUSIC_SCREENSHOT-$2.png"; fi
  awk -v name="$name" -v hz="$hz" -v s="$start" -v e="$end" -v load="$(cut -d' ' -f1-3 /proc/loadavg)" \
    -v t="${before[*]}|${after[*]}" -v n="${ns_before[*]}|${ns_after[*]}" 'BEGIN {
      wall = e - s
      split(t, tp, "|"); split(tp[1], tb, " "); split(tp[2], ta, " ")
      split(n, np, "|"); split(np[1], nb, " "); split(np[2], na, " ")
      label[1] = "editor"; label[2] = "X server"; label[3] = "sound server"
      line = ""; nline = ""; sum = 0; nsum = 0
      for (i = 1; i in tb; i++) {
        v = (ta[i] - tb[i]) * 100 / hz / wall; w = (na[i] - nb[i]) * 100 / 1e9 / wall
        line = line (i > 1 ? " + " : "") sprintf("%s %.2f %%", label[i], v); sum += v
        nline = nline (i > 1 ? " + " : "") sprintf("%s %.2f %%", label[i], w); nsum += w
      }
      printf "%s, %.1f s (load %s): %s = %.2f %% of one core\n", name, wall, load, line, sum
      printf "  time on a CPU (schedstat): %s = %.2f %%\n", nline, nsum
    }'
  # The editor's threads that ran most, by their names.
  awk -v wall="$(awk -v s="$threads_start" -v e="$threads_end" 'BEGIN { print e - s }')" '
    NR == FNR { before[$1] = $2; next }
    { ns = $2 - ($1 in before ? before[$1] : 0); $1 = $2 = ""; sub(/^ +/, " "); if (ns > 0) printf "%.2f %%%s\n", ns * 100 / 1e9 / wall, $0 }' \
    "$SHOTS/threads-before" "$SHOTS/threads-after" | sort -rn | head -4 | sed 's/^/    thread /'
}

start_xvfb
if wants on || wants off; then
  start_sound_server
  start_editor
  [ "$(streams)" -ge 1 ] || fail "the editor has no playback stream on the sound server while the music is on"
  wants on && sample '"Musica On"' on
  if wants off; then
    menu "$musica_x" 2  # "Musica Off"
    sleep 1
    open_streams=$(streams)
    sample '"Musica Off"' off
    echo "  playback streams on the sound server after \"Musica Off\": $open_streams"
    menu "$musica_x" 1  # "Musica On"
    sleep 1
    echo "  playback streams after \"Musica On\" again: $(streams)"
  fi
  stop_editor
  kill "$PULSE_PID" 2>/dev/null || true
  wait "$PULSE_PID" 2>/dev/null || true
  PULSE_PID=""
fi
if wants alsa; then
  # No sound server at all: the editor's PulseAudio attempt fails and ALSA's default is the null device.
  start_editor HOME="$work/alsa" PULSE_SERVER="unix:$work/none/native"
  sample 'ALSA null device, "Musica On"' alsa
  stop_editor
fi
