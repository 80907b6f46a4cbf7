# Sourced by the bench scripts: the run folder (Project_KORVAN beside Graphic/ and Music/) to use
# when none is given: the Release build of scripts/run if it is there, else the build of scripts/test.
default_run_folder() {
  local root=$1 kind
  for kind in release test; do
    if [ -x "$root/build/$kind/run/Project_KORVAN" ]; then
      echo "$root/build/$kind/run"
      return 0
    fi
  done
  echo "no built editor in $root/build/release or $root/build/test: run scripts/run or scripts/test first" >&2
  return 1
}

# run_folder ROOT ARG: ARG may name a build folder (holding run/) or a run folder itself.
run_folder() {
  local root=$1 given=${2:-}
  if [ -z "$given" ]; then
    default_run_folder "$root"
  elif [ -x "$given/run/Project_KORVAN" ]; then
    (cd "$given/run" && pwd)
  elif [ -x "$given/Project_KORVAN" ]; then
    (cd "$given" && pwd)
  else
    echo "no Project_KORVAN in $given or $given/run" >&2
    return 1
  fi
}
