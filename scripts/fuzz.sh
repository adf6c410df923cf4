#!/usr/bin/env bash
# Runs every libFuzzer target of the fuzz build for N seconds each (default 20) under ASan and
# UBSan, starting from its seed corpus. New inputs go to a temporary folder, not into the repo.
# usage: scripts/fuzz.sh [SECONDS] [BUILD_DIR]
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-20}
build=${2:-build/fuzz}
list="$build/fuzz_targets.txt"
[ -f "$list" ] || { echo "fuzz.sh: $list missing; run: cmake --preset fuzz && cmake --build --preset fuzz" >&2; exit 1; }
status=0
while IFS='|' read -r binary corpus; do
  [ -n "$binary" ] || continue
  name=$(basename "$binary")
  work=$(mktemp -d)
  echo "== $name: ${seconds}s from $(find "$corpus" -type f | wc -l) seed inputs"
  if ! "$binary" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 \
      -artifact_prefix="$work/" "$work" "$corpus" > "$work/log" 2>&1; then
    echo "!! $name failed:"; tail -n 60 "$work/log"; status=1
    continue
  fi
  grep -E 'stat::number_of_executed_units|Done ' "$work/log" | tail -n 2
  rm -rf "$work"
done < "$list"
exit $status
