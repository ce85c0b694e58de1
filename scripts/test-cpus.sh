#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Orbiton 3D developers
# SPDX-License-Identifier: GPL-3.0-or-later
# The exactness tests and the pinned flights (traces, event logs, the level
# checker's report) on other CPUs, each built with Debian's cross compiler
# against a private tree of its Debian libraries (cpu-sysroot.sh) and run on
# this machine: i386 directly, arm64 and s390x (big-endian) under qemu-user.
# The pictures are compared only on the CPU that pinned them. Real games
# recorded on this machine replay on each CPU to the same traces.
#   test-cpus.sh [ARCH...]      (default: i386 arm64 s390x)
set -euo pipefail
src=$(cd "$(dirname "$0")/.." && pwd)
cpus=("$@")
[[ ${#cpus[@]} -gt 0 ]] || cpus=(i386 arm64 s390x)
unset ORBITON_REQUIRE_PICTURES
# Real games recorded on this machine, replayed on each CPU.
replays=$("$src/scripts/recorded-games.sh")
failed=()
for cpu in "${cpus[@]}"; do
  dir=$src/build/cpus/$cpu
  "$src/scripts/cpu-sysroot.sh" "$cpu" "$dir"
  [[ -f $dir/build/CMakeCache.txt ]] ||
    cmake -S "$src" -B "$dir/build" -DCMAKE_TOOLCHAIN_FILE="$src/cmake/cpu.cmake" -DORBITON_CPU="$cpu" \
      -DORBITON_SYSROOT="$dir/root" -DCMAKE_BUILD_TYPE=Release >/dev/null
  cmake --build "$dir/build" --target exactness_tests orbiton3d gl_driver_info -j "$(nproc)"
  echo "test-cpus: $cpu"
  (cd "$dir/build" && ctest -L exactness --output-on-failure -j "$(nproc)") || failed+=("$cpu")
  "$src/tests/e2e/replay_elsewhere.sh" "$dir/build/tests/on-cpu/orbiton3d" "$replays" "$src/levels" \
    "$cpu" || failed+=("$cpu (replays)")
done
if [[ ${#failed[@]} -gt 0 ]]; then
  echo "test-cpus: FAILED on ${failed[*]}" >&2
  exit 1
fi
echo "test-cpus: exact on ${cpus[*]}"
