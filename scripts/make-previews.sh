#!/usr/bin/env bash
# Renders a preview of every bundled level into docs/levels/N.png (no display needed).
#   make-previews.sh [BUILD_DIR]
set -euo pipefail
cd "$(dirname "$0")/.."
game=${1:-build/release}/orbiton3d
mkdir -p docs/levels
for f in levels/*.lvl; do
  n=$(basename "$f" .lvl)
  "$game" --preview "$n" "docs/levels/$n.png" --levels levels
done
