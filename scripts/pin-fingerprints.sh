#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Orbiton 3D developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Pins what the reference computes: runs the exactness tests of an exact
# build (amd64, the project's flags) with no fingerprint pinned and writes
# the ones they report to tests/data/pinned/fingerprints.txt. Only after a
# change to the rules themselves, reviewed: a fingerprint that moves without
# one is what the tests are there to catch.
#   pin-fingerprints.sh [BUILD_DIR]   (default build/release, its tests built)
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build/release}
pins=tests/data/pinned/fingerprints.txt
: >"$pins"
"$build/tests/exactness_tests" 2>&1 | sed -n 's/^fingerprint \([^ ]*\) \([0-9a-f]\{16\}\)$/\1 \2/p' |
  sort >"$pins.new" || true
mv "$pins.new" "$pins"
echo "pinned $(wc -l <"$pins") fingerprints in $pins"
