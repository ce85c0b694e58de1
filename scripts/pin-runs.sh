#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Orbiton 3D developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Makes the pinned traces and pictures (tests/pinned/runs.sh) that make test
# compares the game with. Run it only on purpose, with a build whose flights
# the exactness tests have passed, and say in the commit why they changed.
# Usage: scripts/pin-runs.sh [BUILD_DIR]   (default build/release)
set -euo pipefail
src=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$src/build/release}
game=$build/orbiton3d
data=$src/tests/data/pinned
steer=$src/tests/data/flights/steer.script
source "$src/tests/pinned/runs.sh"
mkdir -p "$data/traces" "$data/events" "$data/frames"

for entry in "${pinned_traces[@]}"; do
  name=${entry%% *}
  args=${entry#* }
  # shellcheck disable=SC2086
  "$game" --headless --levels "$src/levels" ${args//STEER/$steer} --trace "$data/traces/$name.trace" \
    --events "$data/events/$name.events" >/dev/null
  echo "pinned trace $name"
done
for entry in "${pinned_frames[@]}"; do
  name=${entry%% *}
  args=${entry#* }
  # shellcheck disable=SC2086
  "$game" --headless --levels "$src/levels" ${args//STEER/$steer} --screenshot "$data/frames/$name.png" >/dev/null
  echo "pinned picture $name"
done
# What the checker says of every bundled level, named as from the source tree.
(cd "$src" && "$game" --check --verbose $(pinned_check_files) >"$data/check.txt") || true
echo "pinned the checker's output"
"$build/tests/gl_driver_info" >"$data/driver.txt"
echo "drawn with: $(tr '\n' ' ' <"$data/driver.txt")"
