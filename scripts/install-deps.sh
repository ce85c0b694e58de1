#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Orbiton 3D developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs the Debian packages a target needs, but only the ones that are
# missing, so running it again costs nothing.
#   install-deps.sh [build|package|test|windows]   (default build)
#     build   build and play the game (the release tree, which also holds the
#             test suites)
#     package make the game's Debian package
#     test    also everything the tests run: Xvfb and X tools, GoogleTest,
#             clang, and Debian's checkers for the package and the licences
#     windows the Windows build: MinGW-w64, and Wine with Xvfb to test it
#     cpus    Debian's cross compilers and qemu-user, for the tests on other
#             CPUs (their libraries go to a private tree: cpu-sysroot.sh)
set -euo pipefail

build=(
  build-essential cmake pkg-config dpkg-dev
  libsdl2-dev libglu1-mesa-dev libgl1-mesa-dev libgl1-mesa-dri libegl-dev libegl-mesa0
  libfreetype-dev libfontconfig-dev fonts-liberation2 libstb-dev libcli11-dev
)
# The release tree configures the test suites too; the package's tree does not.
suites=(googletest libgtest-dev)
# CPack's Debian generator reads the binary's architecture with file(1).
package=(file)
test=(
  # end-to-end tests. SDL draws its message boxes with a font of the X server,
  # which a bare Xvfb lacks: fonts-urw-base35 gives it one. (Not xfonts-base:
  # with it, evilwm made the full-screen key test lose quick presses.)
  xvfb xauth xdotool x11-utils imagemagick evilwm fonts-urw-base35
  # benchmarks, the clang build, fuzzing
  libbenchmark-dev clang
  # the package and licence checks
  lintian devscripts reuse desktop-file-utils appstream man-db
)

# The Windows build: the cross compiler, NSIS for the installer, and Wine to
# run and test what they make.
windows=(
  cmake make libstb-dev libcli11-dev googletest
  g++-mingw-w64-x86-64-posix mingw-w64-tools nsis wine64 wine zip
  # Wine's window needs a window manager that keeps WM_STATE and hands the
  # focus over as a desktop's does: openbox
  xvfb xauth xdotool x11-utils imagemagick openbox
)

# Other CPUs: the cross compilers, an emulator for those this machine cannot
# run, and apt's signing keys to fetch their libraries with.
cpus=(
  cmake make debian-archive-keyring
  g++-i686-linux-gnu g++-aarch64-linux-gnu g++-s390x-linux-gnu qemu-user
)

case ${1:-build} in
build) packages=("${build[@]}" "${suites[@]}") ;;
package) packages=("${build[@]}" "${package[@]}") ;;
test) packages=("${build[@]}" "${suites[@]}" "${package[@]}" "${test[@]}") ;;
windows) packages=("${windows[@]}") ;;
cpus) packages=("${cpus[@]}") ;;
*) echo "install-deps: unknown target ${1}; say build, package, test, windows or cpus" >&2; exit 2 ;;
esac

# One query for all of them: a second run costs a few milliseconds.
installed=$(dpkg-query -W -f='${Package} ${Status}\n' "${packages[@]}" 2>/dev/null |
  awk '$2 == "install" && $3 == "ok" && $4 == "installed" { print $1 }' || true)
missing=()
for p in "${packages[@]}"; do
  grep -qxF "$p" <<<"$installed" || missing+=("$p")
done

if [[ ${#missing[@]} -eq 0 ]]; then
  exit 0
fi

echo "install-deps: installing ${missing[*]}"
as_root=()
if [[ $(id -u) -ne 0 ]]; then
  command -v sudo >/dev/null || { echo "install-deps: need root or sudo to install: ${missing[*]}" >&2; exit 1; }
  as_root=(sudo)
fi
export DEBIAN_FRONTEND=noninteractive
"${as_root[@]}" apt-get update -qq || true
"${as_root[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
