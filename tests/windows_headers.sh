#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Orbiton 3D developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Fails when a game file outside src/platform/ sees <windows.h> in the
# Windows build: its macros (ERROR, IN, OUT, DELETE, ...) would break names
# only that build sees. Each of the build's compile commands for such a file
# is run through the preprocessor, listing every header it reads.
#   windows_headers.sh BUILD_DIR SRC_DIR
set -euo pipefail
build=$1
src=$(cd "$2" && pwd)
commands=$build/compile_commands.json
[ -f "$commands" ] || { echo "no $commands: configure the Windows build first" >&2; exit 1; }
checked=0
bad=0
# The file is one JSON object per command: "directory", "command", "file" lines.
while IFS= read -r line; do
  case $line in
    *'"directory": '*) dir=${line#*: \"}; dir=${dir%\",} ;;
    *'"command": '*) cmd=${line#*: \"}; cmd=${cmd%\",} ;;
    *'"file": '*)
      file=${line#*: \"}; file=${file%\"*}
      case $file in
        "$src"/src/platform/*) continue ;;
        "$src"/src/*) ;;
        *) continue ;;
      esac
      # The compile, with its output replaced by the list of headers read.
      # (JSON's escapes undone first: \\ and \" stand for \ and ".)
      pre=$(sed -E -e 's/\\\\/\x01/g' -e 's/\\"/"/g' -e 's/\x01/\\/g' \
        -e 's/ -o [^ ]+ -c / -E -H -o \/dev\/null /' <<<"$cmd")
      headers=$( (cd "$dir" && eval "$pre") 2>&1) ||
        { echo "cannot preprocess ${file#"$src"/}: $(grep -v '^\.' <<<"$headers" | tail -5)" >&2; exit 1; }
      if grep -Eiq '/windows\.h$' <<<"$headers"; then
        echo "${file#"$src"/} sees <windows.h>"
        bad=1
      fi
      checked=$((checked + 1)) ;;
  esac
done <"$commands"
[ "$checked" -gt 0 ] || { echo "no game file found in $commands" >&2; exit 1; }
[ "$bad" = 0 ] && echo "PASS: none of the $checked game files outside src/platform/ sees <windows.h>"
exit "$bad"
