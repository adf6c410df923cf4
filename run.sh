#!/usr/bin/env bash
# Installs what the project needs, builds it and runs the end-to-end lyric demo.
set -euo pipefail
cd "$(dirname "$0")"
scripts/install-deps.sh
cmake --preset default
cmake --build --preset default --target norva
scripts/demo.sh build/default/src/cli/norva
