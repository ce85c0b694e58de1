#!/usr/bin/env bash
# Starts the game from a build tree.
set -euo pipefail
build_dir=${1:-build/release}
exec "$build_dir/orbiton3d"
