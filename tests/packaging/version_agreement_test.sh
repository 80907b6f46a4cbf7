#!/usr/bin/env bash
# The version is written once, in project(VERSION) of CMakeLists.txt; the programs and the manual
# pages take it from there when built. The files that must hold it as text agree with it: the
# Debian changelog's latest entry and the AppStream data's latest release (on the same date), and
# no other file of the tree writes it by hand.
# Usage: version_agreement_test.sh SOURCE_DIR RUN_DIR MAN_DIR VERSION
set -euo pipefail
source=$1 run=$2 man=$3 version=$4
failures=0
fail() { echo "FAIL: $*" >&2; failures=$((failures + 1)); }

grep -qE "^project\(KORVAN VERSION $version " "$source/CMakeLists.txt" ||
  fail "CMakeLists.txt's project() does not give $version (configure again)"

changelog=$source/debian/changelog
first=$(head -n 1 "$changelog")
[[ $first =~ ^korvan-editor\ \(([^\)]*)\) ]] || fail "debian/changelog: no version in '$first'"
[ "${BASH_REMATCH[1]:-}" = "$version" ] || fail "debian/changelog's latest entry is ${BASH_REMATCH[1]:-none}, not $version"
trailer=$(grep -m 1 '^ -- ' "$changelog")
changelog_date=$(LC_ALL=C date -u -d "${trailer##*>  }" +%F) || fail "debian/changelog: no date in '$trailer'"

metainfo=$source/packaging/example.korvan.editor.metainfo.xml
release=$(grep -m 1 -oE '<release version="[^"]*" date="[^"]*"' "$metainfo" || true)
[ "$release" = "<release version=\"$version\" date=\"$changelog_date\"" ] ||
  fail "the AppStream data's latest release is '$release', not $version of $changelog_date as in debian/changelog"

for program in Project_KORVAN korvan-map korvan-midi-render; do
  line=$("$run/$program" --version | head -n 1)
  [ "$line" = "$program (KORVAN Editor) $version" ] || fail "$program --version says '$line'"
  grep -qF "\"KORVAN Editor $version\"" "$man/$program.1" || fail "manual page $program.1 is not of version $version"
done

# Any other file that writes the version by hand would fall behind at the next release.
if [ -e "$source/.git" ] && git -C "$source" rev-parse --git-dir >/dev/null 2>&1; then
  files=$(cd "$source" && git ls-files -z --cached --others --exclude-standard | xargs -0 -r grep -lwF -- "$version" || true)
else  # a source package: everything but what a build leaves
  files=$(cd "$source" && grep -rlwF --exclude-dir=.git --exclude-dir='build*' --exclude-dir='obj-*' \
    --exclude-dir=.debhelper --exclude-dir=korvan-editor --exclude-dir=tmp -- "$version" . | sed 's|^\./||' || true)
fi
for file in $files; do
  case $file in
    CMakeLists.txt | debian/changelog | packaging/example.korvan.editor.metainfo.xml) ;;
    debian/files | debian/*.substvars) ;;  # written by the package build
    *) fail "$file writes the version $version by hand: take it from the build (korvan::Version, KORVAN_VERSION, @PROJECT_VERSION@)" ;;
  esac
done
[ $failures -eq 0 ] || exit 1
echo "-- version $version everywhere"
