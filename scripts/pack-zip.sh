#!/bin/sh
# SPDX-FileCopyrightText: 2026 The Orbiton 3D developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Packs a folder into a zip that is the same bytes for the same files: every
# entry timed at the sources' date (scripts/source-date.sh), in name order,
# without the extra fields that carry access and change times.
#   pack-zip.sh SRC_DIR FOLDER OUT.zip   (run from the folder's parent)
set -eu
src=$1
folder=$2
out=$3
epoch=$("$src/scripts/source-date.sh" "$src")
find "$folder" -exec touch -h -d "@$epoch" {} +
rm -f "$out"
find "$folder" | LC_ALL=C sort | TZ=UTC zip -X -q -@ "$out"
