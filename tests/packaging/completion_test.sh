#!/usr/bin/env bash
# The bash completions of korvan-map and korvan-midi-render, through bash-completion as an
# interactive shell runs them: the commands, every option each --help names, and only the files
# each place takes.
# Usage: completion_test.sh RUN_DIR COMPLETION_DIR
set -uo pipefail
run=$(cd "$1" && pwd)
completions=$(cd "$2" && pwd)
bash_completion=/usr/share/bash-completion/bash_completion
[ -f "$bash_completion" ] || { echo "FAIL: $bash_completion is missing (Debian package bash-completion)" >&2; exit 1; }
failures=0
fail() { echo "FAIL: $*" >&2; failures=$((failures + 1)); }
scratch=$(mktemp -d /tmp/korvan-completion-XXXXXX)
trap 'rm -rf "$scratch"' EXIT
mkdir "$scratch/maps"
touch "$scratch/seven.korv" "$scratch/frame.bmp" "$scratch/whole.png" "$scratch/song.mid" "$scratch/song.wav" \
  "$scratch/notes.txt" "$scratch/gm.sf2"

# What completing the line (its last word being completed) offers, one per line, sorted.
complete_line() {
  PATH="$run:$PATH" bash --norc --noprofile -c '
    source "$1" && source "$2" || exit 1
    shift 2
    line=$1
    read -r -a COMP_WORDS <<<"$line"
    [[ $line == *" " ]] && COMP_WORDS+=("")
    COMP_CWORD=$((${#COMP_WORDS[@]} - 1))
    COMP_LINE=$line COMP_POINT=${#line}
    function=$(complete -p "${COMP_WORDS[0]}" | sed -E "s/.*-F ([^ ]+).*/\1/")
    "$function" "${COMP_WORDS[0]}" "${COMP_WORDS[COMP_CWORD]}" "${COMP_WORDS[COMP_CWORD - 1]}"
    [ ${#COMPREPLY[@]} -eq 0 ] || printf "%s\n" "${COMPREPLY[@]}"' \
    completion "$bash_completion" "$completions/${1%% *}" "$1" | sed 's|/$||' | sort
}
expect() {  # LINE EXPECTED... : exactly these offers
  local line=$1; shift
  local got; got=$(cd "$scratch" && complete_line "$line" | tr '\n' ' ')
  local want=""
  [ $# -eq 0 ] || want=$(printf '%s\n' "$@" | sort | tr '\n' ' ')
  [ "$got" = "$want" ] || fail "'$line' offers '$got', not '$want'"
}
expect_options() {  # LINE HELP_COMMAND... : every long option of that --help
  local line=$1; shift
  local got; got=$(cd "$scratch" && complete_line "$line")
  local option
  for option in $("$@" | grep -oE -- '--[a-z][a-z-]*' | sort -u); do
    grep -qx -- "$option=\?" <<<"$got" || fail "'$line' does not offer $option (in '$* ')"
  done
}

commands=$("$run/korvan-map" --help | sed -n '/^Commands:/,/^$/s/^  \([a-z][a-z-]*\) .*/\1/p')
expect "korvan-map " $commands
expect "korvan-map fr" frame
expect "korvan-map --" --help --version
for command in $commands; do
  expect_options "korvan-map $command --" "$run/korvan-map" "$command" --help
done
expect "korvan-map info " maps seven.korv
expect "korvan-map frame seven.korv -o " maps frame.bmp whole.png
expect "korvan-map frame seven.korv --output=" maps frame.bmp whole.png
expect "korvan-map generate --seed 7 -o " maps seven.korv
expect "korvan-map generate --seeds 1-5 -o " maps
expect "korvan-map frame seven.korv --assets " maps
expect "korvan-map frame seven.korv --mode "

expect_options "korvan-midi-render --" "$run/korvan-midi-render" --help
expect "korvan-midi-render " maps song.mid
expect "korvan-midi-render song.mid " maps song.wav
expect "korvan-midi-render --tail 1 song.mid " maps song.wav
expect "korvan-midi-render --device song.mid "
expect "korvan-midi-render --soundfont " maps gm.sf2
expect "korvan-midi-render --driver al" alsa
[ $failures -eq 0 ] || exit 1
echo "-- completions of korvan-map and korvan-midi-render"
