#!/usr/bin/env bash
# Installs the build into a temporary prefix and checks the installed tree: every file in its
# freedesktop place, the desktop entries and metainfo valid, the MIME globs and the default
# program of each type as a desktop sees them, and the installed programs finding what was
# installed with them (the player library, the picture plugin) from their own folder.
# usage: install_layout_test.sh BUILD_DIR TEST_DATA_DIR
set -euo pipefail
build=$1
data=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
prefix=$work/prefix
failures=0
fail() { echo "FAIL: $*" >&2; failures=$((failures + 1)); }

cmake --install "$build" --prefix "$prefix" >"$work/install.log"

libdir=$(cd "$prefix" && ls -d lib*/norva 2>/dev/null | head -n1)
[ -n "$libdir" ] || fail "no suite library folder under $prefix"
expected=(
  bin/sontrava bin/trelliq bin/glyphane bin/norva
  "$libdir/libnorva_tcc730.so" "$libdir/libnorva_pictures.so"
  share/applications/norva-sontrava.desktop share/applications/trelliq.desktop
  share/applications/norva-glyphane.desktop
  share/mime/packages/norva-lyrics.xml share/mime/packages/norva-lgo.xml
  share/metainfo/norva.rd710.suite.metainfo.xml
  share/pixmaps/norva-sontrava.xpm share/icons/hicolor/scalable/apps/trelliq.svg
  share/icons/hicolor/scalable/apps/norva-glyphane.svg
)
for f in "${expected[@]}"; do [ -f "$prefix/$f" ] || fail "not installed: $f"; done
[ ! -e "$prefix/bin/libnorva_tcc730.so" ] || fail "a library in bin/"

for entry in "$prefix"/share/applications/*.desktop; do
  desktop-file-validate "$entry" >"$work/validate.log" 2>&1 || { cat "$work/validate.log"; fail "invalid: $entry"; }
  exec_program=$(sed -n 's/^Exec="\{0,1\}\([^" ]*\).*/\1/p' "$entry")
  [ -x "$prefix/bin/$exec_program" ] || fail "$entry starts $exec_program, which is not installed"
  icon=$(sed -n 's/^Icon=//p' "$entry")
  [ -n "$(find "$prefix/share/icons" "$prefix/share/pixmaps" -name "$icon.*" 2>/dev/null)" ] ||
    fail "$entry: no icon '$icon' installed"
done
if command -v appstreamcli >/dev/null; then
  appstreamcli validate --no-net "$prefix"/share/metainfo/*.metainfo.xml >"$work/as.log" 2>&1 ||
    { cat "$work/as.log"; fail "metainfo does not validate"; }
fi

# The desktop's view: MIME globs and the default program of each type.
update-mime-database "$prefix/share/mime" >/dev/null 2>&1
update-desktop-database "$prefix/share/applications" 2>/dev/null
mkdir -p "$work/home/config" "$work/home/data"
for pair in lyr:norva-sontrava lrc:norva-sontrava tly:norva-sontrava lgo:norva-glyphane; do
  extension=${pair%%:*}
  type=$(sed -n "s/^[0-9]*:\([^:]*\):\*\.$extension\$/\1/p" "$prefix/share/mime/globs2")
  [ -n "$type" ] || { fail "no MIME type for .$extension"; continue; }
  program=$(env HOME="$work/home" XDG_CONFIG_HOME="$work/home/config" XDG_CONFIG_DIRS="$work/home/config" \
    XDG_DATA_HOME="$work/home/data" XDG_DATA_DIRS="$prefix/share" xdg-mime query default "$type" 2>/dev/null)
  [ "$program" = "${pair#*:}.desktop" ] || fail ".$extension ($type) opens with '$program'"
done

# The installed programs start and find the player library and the picture plugin.
export HOME="$work/home" XDG_CONFIG_HOME="$work/home/config" XDG_DATA_HOME="$work/home/data"
export XDG_RUNTIME_DIR="$work/runtime" NORVA_REGISTRY_DIR="$work/registry"
export NORVA_PLAYER_DIR="$work/player" QT_QPA_PLATFORM=offscreen
unset NORVA_TCC730_LIBRARY NORVA_PICTURES_LIBRARY
mkdir -m 700 "$XDG_RUNTIME_DIR"
"$prefix/bin/norva" player create >/dev/null && "$prefix/bin/norva" player attach >/dev/null ||
  fail "norva player create/attach"
for program in sontrava trelliq glyphane; do
  "$prefix/bin/$program" --screenshot "$work/$program.png" >"$work/$program.log" 2>&1 ||
    { cat "$work/$program.log"; fail "$program --screenshot"; }
  [ -s "$work/$program.png" ] || fail "$program wrote no picture"
done
"$prefix/bin/norva" logo "$data/pictures/logo_128x64.gif" -o "$work/logo.lgo" >"$work/logo.log" 2>&1 ||
  { cat "$work/logo.log"; fail "norva logo of a GIF (picture plugin)"; }
"$prefix/bin/norva" lrc "$data/lyrics/song_cn.lrc" -o "$work/song.lyr" >"$work/lrc.log" 2>&1 ||
  { cat "$work/lrc.log"; fail "norva lrc"; }

if [ "$failures" -ne 0 ]; then
  echo "$failures failed" >&2
  exit 1
fi
echo "install layout: every check passed"
