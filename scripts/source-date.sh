#!/bin/sh
# SPDX-FileCopyrightText: 2026 The Orbiton 3D developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Prints the time every file of a release carries, in seconds since 1970, so
# that the same sources give the same bytes wherever and whenever they are
# built: SOURCE_DATE_EPOCH when the caller set it, else the last commit's
# time, else (outside a git checkout) the newest changelog entry's.
#   source-date.sh SRC_DIR
set -eu
src=$1
if [ -n "${SOURCE_DATE_EPOCH:-}" ]; then
  echo "$SOURCE_DATE_EPOCH"
elif git -C "$src" rev-parse --git-dir >/dev/null 2>&1; then
  git -C "$src" log -1 --format=%ct
else
  date -d "$(sed -n 's/^ -- .*>  //p' "$src/data/changelog" | head -n 1)" +%s
fi
