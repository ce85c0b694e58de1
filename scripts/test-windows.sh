#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Orbiton 3D developers
# SPDX-License-Identifier: GPL-3.0-or-later
# The Windows build's tests, under Wine on an Xvfb display of their own: the
# test suites cross-built with MinGW-w64, the game end to end with real X
# input and in folders named in Unicode, the installer, and the pinned runs
# (flights, events and the checker's output must be byte for byte those of
# the Linux build), and the replays of real games recorded on Linux.
set -euo pipefail
src=$(cd "$(dirname "$0")/.." && pwd)
cd "$src"
./scripts/install-deps.sh windows
[ -f build/windows/CMakeCache.txt ] || cmake --preset windows
cmake --build --preset windows
[ -f build/windows-tests/CMakeCache.txt ] || cmake --preset windows-tests
cmake --build --preset windows-tests
# Windows' own API stays inside the platform's files.
tests/windows_headers.sh build/windows "$src"
# Reproducible: packed again later, the zip and the installer are the same bytes.
packed() { sha256sum build/windows/orbiton3d-*-win64.zip build/windows/orbiton3d-*-win64-setup.exe; }
first=$(packed)
sleep 1
cmake --build --preset windows >/dev/null
[ "$(packed)" = "$first" ] || { echo "FAIL: the zip or the installer packed again differs" >&2; exit 1; }
echo "PASS: the zip and the installer packed again are the same bytes"

# A prefix of our own; no .NET or browser engine to set up in it, and no
# menu entries of the installer's copied to this machine's desktop.
export WINEPREFIX=$src/build/wine-prefix WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
work=$(mktemp -d)
xvfb_pid=
. tests/e2e/xvfb.sh
. tests/e2e/wine_desktop.sh
cleanup() {
  stop_wine_desktop
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT
start_xvfb "$work/xvfb.log" || { echo "Xvfb did not start: $(cat "$work/xvfb.log")" >&2; exit 1; }
wineboot -i </dev/null >/dev/null 2>&1 || true
# The Wine server and desktop up before the first test, their output closed
# (tests/e2e/wine_desktop.sh says why).
start_wine_desktop "$src/build/windows/orbiton3d.exe"

failed=0
tests/e2e/windows_exe.sh "$(ls "$src"/build/windows/orbiton3d-*-win64/orbiton3d.exe)" \
  "$src/build/windows/orbiton3d.debug" || failed=1
(cd build/windows-tests && ctest --output-on-failure -j "$(nproc 2>/dev/null || echo 2)") || failed=1
tests/e2e/windows_paths.sh "$src/build/windows/orbiton3d.exe" "$src/levels" || failed=1
tests/e2e/windows_installer.sh "$(ls "$src"/build/windows/orbiton3d-*-win64-setup.exe)" || failed=1
# The same runs as on Linux. Their pictures are skipped: Windows draws the
# overlay with its own font, through Wine's WGL.
printf '#!/bin/sh\nexec wine %s "$@"\n' "$src/build/windows/orbiton3d.exe" >"$work/orbiton3d"
printf '#!/bin/sh\necho "the Windows build under Wine (WGL, GDI font)"\n' >"$work/driver"
chmod +x "$work/orbiton3d" "$work/driver"
ORBITON_REQUIRE_PICTURES=0 tests/pinned/compare.sh "$work/orbiton3d" "$work/driver" "$src" || failed=1
# Real games recorded on Linux replay under Wine to the same traces (the
# Linux build that recorded them is the one that replays Wine's game below).
tests/e2e/replay_elsewhere.sh "$work/orbiton3d" "$("$src/scripts/recorded-games.sh")" "$src/levels" \
  "Windows under Wine" || failed=1
# Last: it plays on a display of its own, with a Wine desktop of its own.
stop_wine_desktop
tests/e2e/windows_e2e.sh "$(ls "$src"/build/windows/orbiton3d-*-win64.zip)" "$src/build/release/orbiton3d" ||
  failed=1
[ $failed = 0 ] && echo "test-windows: every test passed" || echo "test-windows: FAILED" >&2
exit $failed
