#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Orbiton 3D developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Runs every test of a build tree. Unit and GL tests need no display (the GL
# ones draw off-screen); end-to-end tests start their own Xvfb.
set -euo pipefail
build_dir=${1:-build/release}
here=$(cd "$(dirname "$0")/.." && pwd)
# Sanitized builds: leaks are errors, except those of the system libraries
# the game sits on (Mesa, X, SDL, fontconfig), listed in the suppressions.
# tests/CMakeLists.txt says why the dynamic TLS interception is off.
export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}
export LSAN_OPTIONS=${LSAN_OPTIONS:-suppressions=$here/tests/lsan.supp:print_suppressions=0:intercept_tls_get_addr=0}
cd "$build_dir"
ctest --output-on-failure -j "$(nproc 2>/dev/null || echo 2)"
