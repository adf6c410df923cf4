#!/usr/bin/env bash
# Builds the Debian package and tries it as a user would get it: installed with apt in a fresh
# Debian 12 root (debootstrap from the configured apt mirror), each program started with
# --screenshot under the offscreen platform, a lyric and a picture converted with norva, and
# `xdg-mime query` asked which program opens .lyr, .lrc, .tly and .lgo files.
#
# Where the root cannot be set up (not root, no debootstrap, no chroot or mount, no mirror), it
# prints "skipped: why" and exits 0. Each step prints its time.
#
# usage: scripts/package-test.sh [--keep]   (--keep leaves the root for a look inside)
# environment: NORVA_PACKAGE_TEST_DIR (work folder, default /var/tmp/norva-package-test),
#              NORVA_DEBIAN_MIRROR (default: the first Debian mirror apt is configured with)
set -euo pipefail
cd "$(dirname "$0")/.."
source_dir=$PWD

keep=no
[ "${1:-}" = "--keep" ] && keep=yes

skip() {
  echo "skipped: $*"
  exit 0
}
step_started=$(date +%s)
step() {
  local now
  now=$(date +%s)
  echo "== $* (previous step $((now - step_started)) s)"
  step_started=$now
}
started=$(date +%s)

[ "$(id -u)" -eq 0 ] || skip "building a Debian root needs root"
command -v debootstrap >/dev/null || skip "debootstrap is not installed (apt-get install debootstrap)"
command -v chroot >/dev/null || skip "chroot is not available"
command -v cpack >/dev/null || skip "cpack is not available"

configured_mirror() {
  local uri
  uri=$(grep -hs '^URIs:' /etc/apt/sources.list.d/*.sources | awk '{print $2}' | grep -v security | head -n1 || true)
  [ -n "$uri" ] || uri=$(grep -hs '^deb ' /etc/apt/sources.list | awk '{print $2}' | grep -v security | head -n1 || true)
  echo "$uri"
}
mirror=${NORVA_DEBIAN_MIRROR:-$(configured_mirror)}
[ -n "$mirror" ] || skip "no Debian mirror is configured for apt"

work=${NORVA_PACKAGE_TEST_DIR:-/var/tmp/norva-package-test}
root=$work/root
cache=$work/cache
mkdir -p "$cache/debootstrap" "$cache/apt"

mounted=()
cleanup() {
  for ((i = ${#mounted[@]} - 1; i >= 0; i--)); do umount -l "${mounted[i]}" 2>/dev/null || true; done
  if [ "$keep" = no ]; then rm -rf "$root"; fi
}
trap cleanup EXIT

step "building the package"
cmake --preset default >"$work/configure.log" 2>&1 || { cat "$work/configure.log"; exit 1; }
# The whole build: the package holds the manual and man page too.
cmake --build --preset default >"$work/build.log" 2>&1 || { tail -n 50 "$work/build.log"; exit 1; }
rm -f build/default/norva-suite_*.deb
(cd build/default && cpack -G DEB >"$work/cpack.log" 2>&1) || { cat "$work/cpack.log"; exit 1; }
package=$(ls build/default/norva-suite_*.deb)
echo "package: $package ($(du -k "$package" | cut -f1) KiB)"
echo "Depends: $(dpkg-deb -f "$package" Depends)"

step "making a fresh Debian 12 root from $mirror"
rm -rf "$root"
debootstrap --variant=minbase --cache-dir="$cache/debootstrap" bookworm "$root" "$mirror" \
  >"$work/debootstrap.log" 2>&1 || { tail -n 20 "$work/debootstrap.log"; skip "debootstrap could not make a root (log: $work/debootstrap.log)"; }
mount -t proc proc "$root/proc" 2>/dev/null || skip "cannot mount /proc in the root"
mounted+=("$root/proc")
mount --bind "$cache/apt" "$root/var/cache/apt/archives" || skip "cannot bind-mount the apt cache"
mounted+=("$root/var/cache/apt/archives")
in_root() { chroot "$root" /usr/bin/env -i PATH=/usr/sbin:/usr/bin:/sbin:/bin HOME=/root LANG=C.UTF-8 "$@"; }

step "installing the package with apt"
cp "$package" "$root/tmp/"
mkdir -p "$root/tmp/data"
cp "$source_dir/tests/data/lyrics/song_cn.lrc" "$source_dir/tests/data/pictures/logo_128x64.gif" "$root/tmp/data/"
echo "deb $mirror bookworm main" >"$root/etc/apt/sources.list"
in_root apt-get update -q >"$work/apt.log" 2>&1 || { tail -n 20 "$work/apt.log"; skip "apt in the root cannot reach $mirror"; }
# libfile-mimeinfo-perl lets xdg-mime tell a file's type from the MIME database, as desktops do.
install_package() {
  in_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -q \
    "/tmp/$(basename "$package")" libfile-mimeinfo-perl >>"$work/apt.log" 2>&1
}
# A second try rides out a mirror that dropped a download.
install_package || install_package ||
  { tail -n 30 "$work/apt.log"; echo "FAIL: the package does not install"; exit 1; }

step "trying the installed suite"
failures=0
fail() {
  echo "FAIL: $*"
  failures=$((failures + 1))
}
user_env=(HOME=/tmp/home XDG_RUNTIME_DIR=/tmp/runtime QT_QPA_PLATFORM=offscreen
  NORVA_PLAYER_DIR=/tmp/player NORVA_REGISTRY_DIR=/tmp/registry)
mkdir -p "$root/tmp/home"
mkdir -m 700 -p "$root/tmp/runtime"
in_root env "${user_env[@]}" norva player create >/dev/null && in_root env "${user_env[@]}" norva player attach >/dev/null ||
  fail "norva player create/attach"
for program in sontrava trelliq glyphane; do
  if in_root env "${user_env[@]}" "$program" --screenshot "/tmp/$program.png" >"$work/$program.log" 2>&1 &&
    [ -s "$root/tmp/$program.png" ]; then
    echo "ok: $program --screenshot"
  else
    cat "$work/$program.log"
    fail "$program --screenshot"
  fi
done
if in_root env "${user_env[@]}" norva lrc /tmp/data/song_cn.lrc -o /tmp/song.lyr >"$work/norva.log" 2>&1 &&
  in_root env "${user_env[@]}" norva logo /tmp/data/logo_128x64.gif -o /tmp/logo.lgo >>"$work/norva.log" 2>&1; then
  echo "ok: norva lrc and norva logo"
else
  cat "$work/norva.log"
  fail "norva conversions"
fi
# F1 in an installed program opens the manual from the documentation folder.
for doc in RD710_CHS.pdf HtmlHelp/index.html; do
  if [ -s "$root/usr/share/doc/norva-suite/$doc" ]; then
    echo "ok: /usr/share/doc/norva-suite/$doc"
  else
    fail "/usr/share/doc/norva-suite/$doc is missing"
  fi
done
for pair in lyr:norva-sontrava lrc:norva-sontrava tly:norva-sontrava lgo:norva-glyphane; do
  extension=${pair%%:*}
  expected=${pair#*:}.desktop
  printf "[00:01.00]la\n" >"$root/tmp/home/file.$extension"
  type=$(in_root env "${user_env[@]}" xdg-mime query filetype "/tmp/home/file.$extension" 2>/dev/null || true)
  program=$(in_root env "${user_env[@]}" xdg-mime query default "$type" 2>/dev/null || true)
  if [ "$program" = "$expected" ]; then
    echo "ok: .$extension is $type, opened by $program"
  else
    fail ".$extension is '$type', opened by '$program' (expected $expected)"
  fi
done

step "done"
echo "package test: $(($(date +%s) - started)) s in all, $failures failed"
[ "$failures" -eq 0 ]
