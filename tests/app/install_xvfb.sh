#!/usr/bin/env bash
# The installed program: `cmake --install` into a temporary prefix puts every file where the
# desktop expects it, and the editor started from an empty folder finds its artwork and music
# under <prefix>/share/korvan, writes nothing there and shows no error box but the music one.
# Usage: install_xvfb.sh RUN_DIR (the build's run folder; the build folder is its parent).
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
build=$(cd "$1/.." && pwd)
scratch=$(mktemp -d /tmp/korvan-install-XXXXXX)
trap 'rm -rf "$scratch"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

prefix=$scratch/prefix
cmake --install "$build" --prefix "$prefix" >"$scratch/install.log" || { cat "$scratch/install.log"; fail "cmake --install"; }

programs=(Project_KORVAN korvan-map korvan-midi-render)
expected=(share/applications/korvan.desktop share/mime/packages/korvan.xml
          share/metainfo/example.korvan.editor.metainfo.xml share/doc/korvan-editor/copyright
          share/bash-completion/completions/korvan-map share/bash-completion/completions/korvan-midi-render)
for program in "${programs[@]}"; do expected+=("bin/$program" "share/man/man1/$program.1.gz"); done
for name in Black Splatt Cities Units Territ Lands Terrain Quadri; do expected+=("share/korvan/Graphic/$name.BMP"); done
expected+=(share/korvan/Music/Music1.mid share/korvan/Music/Music2.mid)
for file in "${expected[@]}"; do [ -f "$prefix/$file" ] || fail "not installed: $file"; done
for program in "${programs[@]}"; do [ -x "$prefix/bin/$program" ] || fail "bin/$program is not executable"; done

# The window icon (32 x 32, 16 colours) and its larger renderings, each at its own size.
for size in 32 48 64 128 256; do
  icon=$prefix/share/icons/hicolor/${size}x${size}/apps/korvan.png
  [ -f "$icon" ] || fail "no ${size}x${size} icon"
  [ "$(identify -format '%wx%h' "$icon")" = "${size}x${size}" ] || fail "the ${size}x${size} icon is $(identify -format '%wx%h' "$icon")"
done
[ "$(identify -format '%k' "$prefix/share/icons/hicolor/32x32/apps/korvan.png")" -le 16 ] || fail "the 32x32 icon has more than 16 colours"

desktop=$prefix/share/applications/korvan.desktop
desktop-file-validate "$desktop" || fail "desktop-file-validate"
grep -qx 'Name=KORVAN Editor' "$desktop" || fail "desktop entry name"
grep -qx 'Exec=Project_KORVAN %f' "$desktop" || fail "desktop entry command"
grep -qx 'MimeType=application/x-korvan-map;' "$desktop" || fail "desktop entry file type"
appstreamcli validate --no-net "$prefix/share/metainfo/example.korvan.editor.metainfo.xml" >"$scratch/appstream.log" ||
  { cat "$scratch/appstream.log"; fail "appstreamcli validate"; }
grep -q '<glob pattern="\*.korv"/>' "$prefix/share/mime/packages/korvan.xml" || fail "no *.korv file type"
for page in "${programs[@]}"; do
  warnings=$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -l "$prefix/share/man/man1/$page.1.gz" 2>&1 >/dev/null)
  [ -z "$warnings" ] || fail "manual page $page: $warnings"
done
grep -qx 'Icon=korvan' "$desktop" || fail "desktop entry icon"
grep -q '^Categories=Game;' "$desktop" || fail "desktop entry category"
grep -q '^Comment=' "$desktop" && grep -q '^Comment\[it\]=' "$desktop" || fail "desktop entry comments"

# korvan-map finds the installed artwork as the editor does.
mkdir "$scratch/maps"
(cd "$scratch/maps" && "$prefix/bin/korvan-map" generate --seed 7 -o seven.korv \
  && "$prefix/bin/korvan-map" frame seven.korv -o frame.bmp) || fail "the installed korvan-map"

# Started from the applications menu: the entry's command found in PATH, and the working folder
# anywhere (here an empty one). The entry's %f (a map file) is left out, as a menu does.
mkdir "$scratch/empty"
command=$(sed -n 's/^Exec=//p' "$desktop" | sed 's/ %f$//')
PATH="$prefix/bin:$PATH" bash "$here/check_editor_start.sh" "$command" "$scratch/empty"
[ -z "$(ls -A "$scratch/empty")" ] || fail "the editor wrote into its working folder: $(ls -A "$scratch/empty")"
echo "-- installed into $prefix and started from an empty folder"
