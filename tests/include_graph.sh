#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Orbiton 3D developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Fails when a file of src/ includes a header of a folder it must not depend
# on. The folders depend downwards only, with no cycle:
#
#   replay -> monitor -> app -> world -> paddle_arena -> objects -> render -> geometry, platform
#
# (each may include any folder to its right; geometry and platform include
# nothing of the game's; main.cpp may include anything).
#   include_graph.sh SRC_DIR
set -euo pipefail
src=$1
declare -A rank=([geometry]=0 [platform]=0 [render]=1 [objects]=2 [paddle_arena]=3 [world]=4 [app]=5 [monitor]=6 [replay]=7)
bad=0
for dir in "$src"/*/; do
  folder=$(basename "$dir")
  [ -n "${rank[$folder]+x}" ] || { echo "unknown folder src/$folder: give it its place in the graph"; bad=1; continue; }
  while IFS=: read -r file line target; do
    [ "$target" = "$folder" ] && continue
    if [ -z "${rank[$target]+x}" ] || [ "${rank[$target]}" -ge "${rank[$folder]}" ]; then
      echo "${file#"$src"/}:$line: src/$folder may not include src/$target"
      bad=1
    fi
  done < <(grep -rnoE '^#include "[a-z_]+/' "$dir" | sed -E 's/#include "([a-z_]+)\//\1/')
done
[ "$bad" = 0 ] && echo "PASS: every include goes down the folder graph"
exit "$bad"
