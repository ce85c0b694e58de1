#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Orbiton 3D developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Draws the menu icon (arena and bricks, no text) once, large, with the scene
# preview tool and scales it to the sizes the hicolor icon theme expects, the
# background made transparent. The results are committed under data/icons/.
#   scripts/make-icons.sh [BUILD_DIR]
set -euo pipefail
build_dir=${1:-build/release}
here=$(cd "$(dirname "$0")/.." && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
"$build_dir/orbiton_scene_preview" --icon 1024 "$work/large.png"
# The clear colour fills the four corners: flood it away from each.
convert "$work/large.png" -alpha set -fuzz 1% -fill none \
  -draw 'color 0,0 floodfill' -draw 'color 1023,0 floodfill' \
  -draw 'color 0,1023 floodfill' -draw 'color 1023,1023 floodfill' "$work/clear.png"
for size in 32 48 64 128 256; do
  dir=$here/data/icons/hicolor/${size}x${size}/apps
  mkdir -p "$dir"
  convert "$work/clear.png" -filter Lanczos -resize "${size}x${size}" -strip "$dir/orbiton3d.png"
done
