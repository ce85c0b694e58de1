#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Orbiton 3D developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Draws the README's pictures with the game itself (no display needed): a
# preview of every bundled level into docs/levels/N.png and a moment of play on
# level 1 into docs/level1.png, and records the GL driver that drew them
# (docs/levels/driver.txt). A test holds the pictures to what the game draws.
#   make-previews.sh [BUILD_DIR]   (default build/release, with its tests built)
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build/release}
source tests/pinned/pictures.sh
mkdir -p docs/levels
for f in levels/*.lvl; do
  n=$(basename "$f" .lvl)
  "$build/orbiton3d" --preview "$n" "docs/levels/$n.png" --levels levels
done
# shellcheck disable=SC2086
"$build/orbiton3d" --headless --levels levels $readme_play_args --screenshot docs/level1.png >/dev/null
"$build/tests/gl_driver_info" >docs/levels/driver.txt
echo "drawn with: $(tr '\n' ' ' <docs/levels/driver.txt)"
