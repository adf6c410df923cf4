#!/usr/bin/env bash
# End-to-end demo: compiles the bundled Chinese LRC and timed text into LYR files and prints
# their screens with their times.
set -euo pipefail
cd "$(dirname "$0")/.."
norva=${1:-build/default/src/cli/norva}
"$norva" help
