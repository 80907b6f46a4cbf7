# Sourced by the tests of the source checks (scripts/check-*): each case is a made-up tree of one
# file, FOLDER/File.cpp, whose third line is the one the check must judge.
set -euo pipefail
check=$1
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
failures=0
n=0

# check_case FOLDER TEXT EXPECTED LABEL: the check must exit EXPECTED on a file holding TEXT, and
# when it fails, name the file and line.
check_case() {
  local folder=$1 text=$2 expected=$3 label=$4 tree output status
  tree="$tmp/case$((++n))"
  mkdir -p "$tree/$folder"
  printf '%s\n' "$text" >"$tree/$folder/File.cpp"
  set +e
  output=$("$check" "$tree" 2>&1)
  status=$?
  set -e
  if [ "$status" != "$expected" ]; then
    echo "FAIL: $label exited $status, expected $expected: $output"
    failures=$((failures + 1))
  elif [ "$expected" = 1 ] && [[ "$output" != *"$folder/File.cpp:3:"* ]]; then
    echo "FAIL: $label did not name the line: $output"
    failures=$((failures + 1))
  fi
}

# The cases' outcome, as the test's exit status.
finish_cases() {
  [ "$failures" = 0 ] && echo "all cases pass"
  exit "$failures"
}
