#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Orbiton 3D developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the Debian package: the game alone, with Debian's hardening flags
# (dpkg-buildflags, every hardening feature on), installed under /usr with the
# binary in /usr/games, stripped, then packed by CPack. Prints the .deb's path.
#   scripts/make-package.sh [BUILD_DIR]   (default build/package)
set -euo pipefail
src=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$src/build/package}
export DEB_BUILD_MAINT_OPTIONS=hardening=+all
# CMake takes no CPPFLAGS: _FORTIFY_SOURCE goes in with the compiler's flags.
cxxflags="$(dpkg-buildflags --get CXXFLAGS) $(dpkg-buildflags --get CPPFLAGS)"
ldflags=$(dpkg-buildflags --get LDFLAGS)
# What newer dpkg adds to "+all" and Debian 12's does not yet: stack clash
# protection and, where the processor has it, control-flow protection.
for flag in -fstack-clash-protection -fcf-protection; do
  if echo 'int main() { return 0; }' | ${CXX:-c++} -x c++ "$flag" -Werror -o /dev/null - 2>/dev/null; then
    cxxflags="$cxxflags $flag"
  fi
done
# The same bytes from the same sources, wherever and whenever built: every
# time in the package is the sources' date.
SOURCE_DATE_EPOCH=$("$src/scripts/source-date.sh" "$src")
export SOURCE_DATE_EPOCH
mkdir -p "$build"
# The source and build folders' paths stay out of the program (its
# debugging information names them, and the build ID is a hash of that), so
# that two checkouts in two places build the same bytes.
build=$(cd "$build" && pwd)
cxxflags="$cxxflags -ffile-prefix-map=$src=. -ffile-prefix-map=$build=."
log=$build/configure.log
cmake -S "$src" -B "$build" -DCMAKE_BUILD_TYPE=Release -DORBITON_TESTS=OFF \
  -DCMAKE_INSTALL_PREFIX=/usr -DCMAKE_INSTALL_BINDIR=games "-DCMAKE_STRIP=$src/scripts/debian-strip.sh" \
  "-DCMAKE_CXX_FLAGS=$cxxflags" "-DCMAKE_EXE_LINKER_FLAGS=$ldflags" >"$log" 2>&1 ||
  { cat "$log" >&2; exit 1; }
cmake --build "$build" -j "$(nproc 2>/dev/null || echo 2)" --target orbiton3d orbiton_docs >&2
rm -f "$build"/*.deb
(cd "$build" && cpack -G DEB >&2)
ls "$build"/orbiton3d_*.deb
