#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Orbiton 3D developers
# SPDX-License-Identifier: GPL-3.0-or-later
# The README's pictures must be what the game draws: every level's preview and
# the moment of play on level 1, pixel for pixel (scripts/make-previews.sh makes
# them). Skipped, saying why, where the GL driver or the CPU is not the one
# recorded; with ORBITON_REQUIRE_PICTURES=1 such a skip is a failure.
#   readme_pictures.sh ORBITON3D GL_DRIVER_INFO SOURCE_DIR
set -euo pipefail
game=$1 driver_info=$2
cd "$3"
source tests/pinned/pictures.sh
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
"$driver_info" >"$work/driver.txt"
if ! cmp -s "$work/driver.txt" docs/levels/driver.txt; then
  echo "skipped: the pictures were drawn by $(tr '\n' ' ' <docs/levels/driver.txt)but this GL is $(tr '\n' ' ' <"$work/driver.txt")"
  failed=0
  skipped_pictures
  exit $failed
fi
failed=0
check() { # committed picture, new picture
  same_picture "$1" "$2" "$1"
}
for f in levels/*.lvl; do
  n=$(basename "$f" .lvl)
  "$game" --preview "$n" "$work/$n.png" --levels levels
  check "docs/levels/$n.png" "$work/$n.png"
done
# shellcheck disable=SC2086
"$game" --headless --levels levels $readme_play_args --screenshot "$work/level1.png" >/dev/null
check docs/level1.png "$work/level1.png"
[ $failed = 0 ] || echo "the README's pictures are no longer what the game draws: scripts/make-previews.sh"
exit $failed
