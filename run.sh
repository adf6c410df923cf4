#!/usr/bin/env bash
# Installs what the project needs, builds it and runs the end-to-end lyric demo; on a desktop it
# then starts the lyric editor on a bundled Chinese example.
set -euo pipefail
cd "$(dirname "$0")"
scripts/install-deps.sh
cmake --preset default
cmake --build --preset default --target norva sontrava
example=data/examples/song_cn.tly
editor=build/default/src/editor/app/sontrava
if [ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
  exec "$editor" "$example"
fi
scripts/demo.sh build/default/src/cli/norva
echo
echo "No display here, so the lyric editor was not started. On a machine without one, run it"
echo "under a virtual display (Debian package xvfb):"
echo "  xvfb-run $editor $example"
