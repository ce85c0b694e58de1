#!/usr/bin/env bash
# Runs every test of a build tree. Unit and GL tests need no display (the GL
# ones draw off-screen); end-to-end tests start their own Xvfb when needed.
set -euo pipefail
build_dir=${1:-build/release}
cd "$build_dir"
ctest --output-on-failure -j "$(nproc 2>/dev/null || echo 2)"
