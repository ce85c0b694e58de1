#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Orbiton 3D developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs the build into a temporary prefix, then runs the installed game
# headless from an unrelated directory: it must find and play its own levels.
# (The Debian package has its own test, package_test.sh.)
#   install_test.sh BUILD_DIR SOURCE_LEVELS
set -euo pipefail
build=$(cd "$1" && pwd)
levels=$(cd "$2" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

cmake --install "$build" --prefix "$work/prefix" >"$work/install.log" || fail "install: $(cat "$work/install.log")"
for f in bin/orbiton3d share/orbiton3d/levels/1.lvl share/applications/orbiton3d.desktop; do
  [ -e "$work/prefix/$f" ] || fail "$f was not installed"
done
# The menu icon at every size the icon theme looks up, each really that size.
for size in 32 48 64 128 256; do
  icon=$work/prefix/share/icons/hicolor/${size}x${size}/apps/orbiton3d.png
  [ -e "$icon" ] || fail "no ${size}x${size} icon"
  [ "$(identify -format '%wx%h' "$icon")" = "${size}x${size}" ] || fail "the ${size}x${size} icon is $(identify -format '%wx%h' "$icon")"
done
[ "$(ls "$work/prefix/share/orbiton3d/levels" | wc -l)" = "$(ls "$levels"/*.lvl | wc -l)" ] ||
  fail "not every level was installed"

mkdir "$work/elsewhere"
cd "$work/elsewhere"
"$work/prefix/bin/orbiton3d" --headless --frames 3 --events events.txt >run.log 2>&1 ||
  fail "the installed game failed: $(cat run.log)"
expected=$("$work/prefix/bin/orbiton3d" --check "$levels/1.lvl" | sed -n 's/.*: \([0-9]*\) bricks,.*/\1/p')
grep -q "^1 level 1 bricks $expected\$" events.txt || fail "level 1 not played: $(cat events.txt)"

echo "PASS: installed game plays level 1 ($expected bricks) from an unrelated directory"
