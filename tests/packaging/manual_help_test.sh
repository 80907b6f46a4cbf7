#!/usr/bin/env bash
# The manual pages and --help agree: every option that a program's --help (or one of its commands'
# --help) names appears in its manual page, and every option that the page describes in its own
# entry is one that --help names.
# Usage: manual_help_test.sh RUN_DIR MAN_DIR (the programs, and the pages generated from *.1.in)
set -euo pipefail
run=$1
man=$2
failures=0
fail() { echo "FAIL: $*" >&2; failures=$((failures + 1)); }

# The options named in a text: -x, --long (also in --long=VALUE) and a bare "--" standing alone.
options_in() {
  grep -oE -- '(^|[^A-Za-z0-9_-])--?[A-Za-z][A-Za-z0-9-]*|(^|[[:space:]])--([[:space:]]|$)' |
    sed -E 's/^[^-]*//; s/[[:space:]]+$//' | sort -u
}
# A manual page's source as words: roff's \- as a dash, font changes and quotes taken out.
page_text() { sed -E 's/\\-/-/g; s/\\f[BIRP]//g; s/"//g' "$man/$1.1"; }
# The lines that head a .TP entry: the options the page describes one by one.
entry_heads() { page_text "$1" | awk 'heading { print; heading = 0 } /^\.TP/ { heading = 1 }'; }

helps() {
  local program=$1
  "$run/$program" --help
  if [ "$program" = korvan-map ]; then
    # The commands listed under "Commands:", each with its own options.
    local command
    for command in $("$run/$program" --help | sed -n '/^Commands:/,/^$/s/^  \([a-z][a-z-]*\) .*/\1/p'); do
      "$run/$program" "$command" --help
    done
  fi
}

for program in Project_KORVAN korvan-map korvan-midi-render; do
  [ -f "$man/$program.1" ] || { fail "no manual page $man/$program.1"; continue; }
  help=$(helps "$program")
  [ -n "$help" ] || { fail "$program --help printed nothing"; continue; }
  text=$(page_text "$program")
  for option in $(options_in <<<"$help"); do
    grep -qE -- "(^|[^A-Za-z0-9_-])$option([^A-Za-z0-9_-]|$)" <<<"$text" ||
      fail "$program: $option is in --help but not in the manual page"
  done
  for option in $(entry_heads "$program" | options_in); do
    grep -qE -- "(^|[^A-Za-z0-9_-])$option([^A-Za-z0-9_-]|$)" <<<"$help" ||
      fail "$program: the manual page describes $option, which --help does not name"
  done
  echo "-- $program: $(options_in <<<"$help" | wc -l) options in --help, all in the manual page"
done
[ $failures -eq 0 ] || { echo "$failures disagreements between --help and the manual pages" >&2; exit 1; }
