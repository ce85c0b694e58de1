#!/bin/sh
# SPDX-FileCopyrightText: 2026 The Orbiton 3D developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Runs a command with SOURCE_DATE_EPOCH set to the sources' date
# (scripts/source-date.sh), which the binutils and NSIS write into the
# programs they make instead of the time of the build.
#   at-source-date.sh SRC_DIR COMMAND...
set -eu
src=$1
shift
SOURCE_DATE_EPOCH=$("$src/scripts/source-date.sh" "$src")
export SOURCE_DATE_EPOCH
exec "$@"
