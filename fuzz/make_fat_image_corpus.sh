#!/usr/bin/env bash
# Regenerates the seed images of the fat_image fuzz target: tiny FAT12 volumes (48 KiB, 512-byte
# clusters, 16 root entries) made by mkfs.fat and filled by mcopy, so the seeds come from
# tools other than our own writer. Needs dosfstools and mtools.
set -euo pipefail
out="$(dirname "$0")/corpus/fat_image"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
mkdir -p "$out"

make_image() {  # name, then files to copy in
  local image="$out/$1"
  shift
  rm -f "$image"
  mkfs.fat -C -S 512 -s 1 -r 16 -f 2 -F 12 -i 12345678 "$image" 48 >/dev/null
  if [ $# -gt 0 ]; then mcopy -i "$image" "$@" ::; fi
}

printf 'hello' >"$work/SHORT.TXT"
head -c 1500 /dev/zero | tr '\0' 'x' >"$work/a long file name song.mp3"
printf '\x00' >"$work/歌曲.mp3"
make_image empty
make_image three_files "$work/SHORT.TXT" "$work/a long file name song.mp3" "$work/歌曲.mp3"
make_image one_file "$work/a long file name song.mp3"
