# SPDX-FileCopyrightText: 2026 The Orbiton 3D developers
# SPDX-License-Identifier: GPL-3.0-or-later
# A build for another CPU with Debian's cross compiler, against a tree made by
# scripts/cpu-sysroot.sh, its programs run on this machine through
# scripts/run-on-cpu.sh: i386 ones directly, the others under qemu-user.
#   cmake -DCMAKE_TOOLCHAIN_FILE=cmake/cpu.cmake -DORBITON_CPU=arm64 -DORBITON_SYSROOT=DIR/root ...
set(CMAKE_TRY_COMPILE_PLATFORM_VARIABLES ORBITON_CPU ORBITON_SYSROOT)
if(ORBITON_CPU STREQUAL "i386")
  set(CMAKE_SYSTEM_PROCESSOR i686)
  set(triplet i686-linux-gnu)
  set(multiarch i386-linux-gnu)
  set(loader /lib/ld-linux.so.2)
elseif(ORBITON_CPU STREQUAL "arm64")
  set(CMAKE_SYSTEM_PROCESSOR aarch64)
  set(triplet aarch64-linux-gnu)
  set(multiarch aarch64-linux-gnu)
  set(loader /lib/ld-linux-aarch64.so.1)
elseif(ORBITON_CPU STREQUAL "s390x")
  set(CMAKE_SYSTEM_PROCESSOR s390x)
  set(triplet s390x-linux-gnu)
  set(multiarch s390x-linux-gnu)
  set(loader /lib/ld64.so.1)
else()
  message(FATAL_ERROR "ORBITON_CPU: say i386, arm64 or s390x")
endif()
if(NOT IS_DIRECTORY "${ORBITON_SYSROOT}/usr/lib/${multiarch}")
  message(FATAL_ERROR "ORBITON_SYSROOT: no ${ORBITON_CPU} tree at '${ORBITON_SYSROOT}' (scripts/cpu-sysroot.sh makes one)")
endif()

set(CMAKE_SYSTEM_NAME Linux)
set(CMAKE_CXX_COMPILER ${triplet}-g++)
set(CMAKE_SYSROOT ${ORBITON_SYSROOT})
set(CMAKE_LIBRARY_ARCHITECTURE ${multiarch})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
# The programs are for testing here alone. i386 ones run directly, so they
# name the tree's loader; the libraries are found through run-on-cpu.sh.
if(ORBITON_CPU STREQUAL "i386")
  set(CMAKE_EXE_LINKER_FLAGS_INIT "-Wl,--dynamic-linker=${ORBITON_SYSROOT}${loader}")
endif()
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/../scripts/run-on-cpu.sh ${ORBITON_CPU}
                                  ${ORBITON_SYSROOT})
