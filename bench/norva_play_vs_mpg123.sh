#!/bin/sh
# Whole-process speed of `norva play --audio null --speed max` against `mpg123 -t` (decode, no
# output) on the same 10-minute MP3: the median of five runs of each, taken in one run of this
# script, and their ratio (goal: 1.15 or less).
#
# The MP3 is made from the test data: the audio frames of a 19 s CBR song (without its ID3 tags
# and its Info frame) repeated 31 times, about 597 s, in a temporary folder.
#
# usage: bench/norva_play_vs_mpg123.sh [path/to/norva]   (default build/default/src/cli/norva)
set -eu

here=$(cd "$(dirname "$0")/.." && pwd)
norva=${1:-$here/build/default/src/cli/norva}
song=$here/tests/data/audio/song_cn_speech_44k1_stereo_cbr128.mp3
runs=5

if ! command -v mpg123 >/dev/null 2>&1; then
  echo "mpg123 not installed: skipped"
  exit 0
fi
if [ ! -x "$norva" ]; then
  echo "no norva at $norva: build it first (cmake --build --preset default --target norva)" >&2
  exit 1
fi

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT INT TERM
long=$work/long.mp3
# The song: an ID3v2 tag and the Info frame end at byte 607; an ID3v1 tag is the last 128 bytes.
i=0
while [ $i -lt 31 ]; do
  tail -c +608 "$song" | head -c -128 >>"$long"
  i=$((i + 1))
done

# Seconds of one run of the command, to the millisecond.
seconds_of() {
  start=$(date +%s.%N)
  "$@" >/dev/null 2>&1
  end=$(date +%s.%N)
  awk -v a="$start" -v b="$end" 'BEGIN { printf "%.3f\n", b - a }'
}

median() {
  sort -n | awk '{ v[NR] = $1 } END { printf "%.3f", v[int((NR + 1) / 2)] }'
}

: >"$work/norva.times"
: >"$work/mpg123.times"
# Taken in turn, so that both see the same load on the machine.
i=0
while [ $i -lt $runs ]; do
  seconds_of "$norva" play "$long" --audio null --speed max >>"$work/norva.times"
  seconds_of mpg123 -q -t "$long" >>"$work/mpg123.times"
  i=$((i + 1))
done

norva_median=$(median <"$work/norva.times")
mpg123_median=$(median <"$work/mpg123.times")
ratio=$(awk -v a="$norva_median" -v b="$mpg123_median" 'BEGIN { print a / b }')
printf 'norva play --speed max: %s s (median of %d)\n' "$norva_median" "$runs"
printf 'mpg123 -t:              %s s (median of %d)\n' "$mpg123_median" "$runs"
printf 'ratio:                  %.3f (goal 1.15 or less)\n' "$ratio"
