#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Orbiton 3D developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Prints the folder of the real games the Linux end-to-end test recorded
# (replays and their traces, build/release/e2e-replays), recording them
# first when make test has not: other builds replay them.
set -euo pipefail
src=$(cd "$(dirname "$0")/.." && pwd)
dir=$src/build/release/e2e-replays
if ! ls "$dir"/*.replay >/dev/null 2>&1; then
  cd "$src"
  ./scripts/install-deps.sh test >&2
  [ -f build/release/CMakeCache.txt ] || cmake --preset release >&2
  cmake --build --preset release --target orbiton3d >&2
  tests/e2e/replay_e2e.sh build/release/orbiton3d "$src/levels" "$dir" >&2
fi
echo "$dir"
