#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Orbiton 3D developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Prints the folder of the real games the Linux end-to-end test recorded
# (replays and their traces, build/release/e2e-replays), recording them
# first when make test has not, or when they come from another version of
# the game (which would refuse them): other builds replay them.
set -euo pipefail
src=$(cd "$(dirname "$0")/.." && pwd)
dir=$src/build/release/e2e-replays
version=$(sed -n 's/^project(orbiton3d VERSION \([^ ]*\) .*/\1/p' "$src/CMakeLists.txt")
current() {
  local replay found=0
  for replay in "$dir"/*.replay; do
    [ -f "$replay" ] || return 1
    [ "$(sed -n 2p "$replay")" = "game $version" ] || return 1
    found=1
  done
  [ "$found" = 1 ]
}
if ! current; then
  rm -rf "$dir"
  cd "$src"
  ./scripts/install-deps.sh test >&2
  [ -f build/release/CMakeCache.txt ] || cmake --preset release >&2
  cmake --build --preset release --target orbiton3d >&2
  tests/e2e/replay_e2e.sh build/release/orbiton3d "$src/levels" "$dir" >&2
fi
echo "$dir"
