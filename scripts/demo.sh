#!/usr/bin/env bash
# End-to-end demo: compiles the bundled Chinese LRC file and timed text into LYR files, prints
# their screens (decoded to UTF-8) with their times, and reads one back into timed text.
set -euo pipefail
cd "$(dirname "$0")/.."
norva=${1:-build/default/src/cli/norva}
examples=data/examples
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT

echo "== LRC through the batch compiler: $examples/song_cn.lrc"
"$norva" lrc "$examples/song_cn.lrc" -o "$out/song_cn.lrc.lyr"
"$norva" screens "$out/song_cn.lrc.lyr"
echo
echo "== timed text through the timed-text writer: $examples/song_cn.tly"
"$norva" lyr "$examples/song_cn.tly" -o "$out/song_cn.tly.lyr"
"$norva" screens "$out/song_cn.tly.lyr"
echo
echo "== the LYR file read back into the editor's timed text"
"$norva" unlyr "$out/song_cn.tly.lyr" | iconv -f CP936 -t UTF-8 | tr -d '\r'
echo
echo "== the sample song and its LRC merged into one MPR file, then played at full speed"
cp tests/data/audio/song_cn_speech_44k1_stereo_cbr128.mp3 "$out/song.mp3"
"$norva" mpr "$out/song.mp3" "$examples/song_cn.lrc"
"$norva" info "$out/song.MPR"
"$norva" play "$out/song.MPR" --speed max
