#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Orbiton 3D developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the Debian package as `make package` does, twice in two folders to
# show the same bytes come out, and holds it to Debian's own tools: lintian
# (no error, no warning; the pedantic notes shown), hardening-check,
# appstreamcli, desktop-file-validate and man. Then the unpacked game plays
# from /usr/games, finding its levels.
#   package_test.sh SOURCE_DIR WORK_DIR
set -euo pipefail
src=$(cd "$1" && pwd)
work=$2
fail() { echo "FAIL: $*" >&2; exit 1; }
# Where two packages differ: the member of the archive and the first file.
diffoscope_hint() {
  local a=$work/a b=$work/b
  rm -rf "$a" "$b" && mkdir -p "$a" "$b"
  dpkg-deb -R "$1" "$a" && dpkg-deb -R "$2" "$b"
  diff -rq "$a" "$b" | head -3
  (cd "$a" && find . -type f -printf '%TT %p\n' | sort -k2 | head -2)
  (cd "$b" && find . -type f -printf '%TT %p\n' | sort -k2 | head -2)
}
rm -rf "$work/root"
mkdir -p "$work/root"

deb=$("$src/scripts/make-package.sh" "$work/build" 2>"$work/package.log") ||
  fail "the package was not built: $(tail -20 "$work/package.log")"
echo "package: $deb"

# Reproducible: built again in another folder, later, the same bytes.
sleep 1
again=$("$src/scripts/make-package.sh" "$work/build-again" 2>"$work/package-again.log") ||
  fail "the package was not built again: $(tail -20 "$work/package-again.log")"
cmp "$deb" "$again" || fail "two builds of one commit differ: $(diffoscope_hint "$deb" "$again")"

# lintian warns when run as root; what it says of the package is the same.
lintian --pedantic --fail-on error,warning "$deb" 2>&1 | grep -v 'running with root privileges' ||
  true
lintian --fail-on error,warning "$deb" >/dev/null 2>&1 || fail "lintian reports an error or a warning"

fields=$(dpkg-deb -f "$deb")
for dep in libc6 libstdc++6 libgcc-s1 libsdl2-2.0-0 libgl1 libopengl0 libegl1 libglu1-mesa \
  libfreetype6 libfontconfig1 fonts-liberation2; do
  grep -q "^Depends:.*\b$dep\b" <<<"$fields" || fail "Depends lacks $dep: $(grep ^Depends <<<"$fields")"
done

root=$work/root
dpkg-deb -x "$deb" "$root"
grep -q '^Homepage: https://orbiton3d.org/$' <<<"$fields" || fail "no Homepage field"
[ "$(ar t "$deb" | grep '^data\.tar')" = data.tar.xz ] || fail "the files are not packed with xz: $(ar t "$deb")"
for f in usr/games/orbiton3d usr/share/man/man6/orbiton3d.6.gz usr/share/doc/orbiton3d/copyright \
  usr/share/doc/orbiton3d/levels.md.gz usr/share/doc/orbiton3d/replays.md.gz usr/share/doc/orbiton3d/changelog.gz usr/share/metainfo/org.orbiton3d.orbiton3d.metainfo.xml \
  usr/share/applications/orbiton3d.desktop usr/share/orbiton3d/levels/12.lvl; do
  [ -e "$root/$f" ] || fail "the package has no /$f"
done

# The code of others the program carries is named with its licence.
for who in "CLI11" "stb_image_write" "License: BSD-3-clause" "License: Expat"; do
  grep -q "$who" "$root/usr/share/doc/orbiton3d/copyright" || fail "the copyright file does not name $who"
done

# Stripped as Debian strips: no compiler's comment left in the program.
objdump -h "$root/usr/games/orbiton3d" | grep -q ' \.comment ' && fail "the program keeps its .comment section"

# Every hardening feature; control-flow protection is compiled in, but no
# program linked on Debian 12 carries it (its crt1.o and crti.o lack the
# IBT/SHSTK notes, /usr/bin/ls included), so hardening-check is not asked.
hardening-check --nocfprotection "$root/usr/games/orbiton3d" || fail "hardening-check"

appstreamcli validate --no-net "$root/usr/share/metainfo/org.orbiton3d.orbiton3d.metainfo.xml" ||
  fail "appstreamcli validate"
desktop-file-validate "$root/usr/share/applications/orbiton3d.desktop" || fail "desktop-file-validate"
warnings=$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -l "$root/usr/share/man/man6/orbiton3d.6.gz" 2>&1 >/dev/null)
[ -z "$warnings" ] || fail "man --warnings: $warnings"
LC_ALL=C.UTF-8 MANWIDTH=80 man -l "$root/usr/share/man/man6/orbiton3d.6.gz" 2>/dev/null | grep -q "^KEYS" ||
  fail "the manual page does not render"

mkdir -p "$work/elsewhere"
cd "$work/elsewhere"
"$root/usr/games/orbiton3d" --headless --frames 3 --no-draw --events events.txt >run.log 2>&1 ||
  fail "the packaged game failed: $(cat run.log)"
grep -q '^1 level 1 bricks [1-9]' events.txt || fail "the packaged game found no level 1: $(cat events.txt)"
echo "PASS: lintian clean, hardened, metadata and manual valid; /usr/games/orbiton3d plays level 1"
