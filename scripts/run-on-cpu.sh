#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Orbiton 3D developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Runs a program built for another CPU (cmake/cpu.cmake) on this machine,
# with the libraries, Mesa driver and EGL vendor file of its tree
# (scripts/cpu-sysroot.sh): i386 directly, the others under qemu-user.
#   run-on-cpu.sh ARCH TREE PROGRAM [ARGUMENTS...]
set -euo pipefail
arch=$1 tree=$2
shift 2
case $arch in
i386) multiarch=i386-linux-gnu emulator=() ;;
arm64) multiarch=aarch64-linux-gnu emulator=(qemu-aarch64 -L "$tree") ;;
s390x) multiarch=s390x-linux-gnu emulator=(qemu-s390x -L "$tree") ;;
*) echo "run-on-cpu: unknown architecture $arch" >&2; exit 2 ;;
esac
export LIBGL_DRIVERS_PATH=$tree/usr/lib/$multiarch/dri
export __EGL_VENDOR_LIBRARY_DIRS=$tree/usr/share/glvnd/egl_vendor.d
# (libpulse finds its own helper library by a RUNPATH into the system)
export LD_LIBRARY_PATH=$tree/lib/$multiarch:$tree/usr/lib/$multiarch:$tree/usr/lib/$multiarch/pulseaudio
exec "${emulator[@]}" "$@"
