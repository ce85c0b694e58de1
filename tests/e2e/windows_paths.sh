#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Orbiton 3D developers
# SPDX-License-Identifier: GPL-3.0-or-later
# The Windows build, under Wine, in folders whose names the system's code page
# cannot spell (Cyrillic, Japanese, accents, spaces) on drive C: the game finds
# the levels beside it, and reads and writes every file it is named on the
# command line: --levels, --script, --events, --trace, --screenshot, --check.
#   windows_paths.sh ORBITON3D.EXE LEVEL_DIR   (WINEPREFIX and DISPLAY set)
set -euo pipefail
exe=$1
levels=$2
drive_c=$(winepath -u 'C:\' 2>/dev/null)
[ -d "$drive_c" ] || { echo "FAIL: no drive C: in $WINEPREFIX" >&2; exit 1; }
top="Orbiton Ünïcødé Лев 日本"
work="$drive_c/$top"
fail() { echo "FAIL: $*" >&2; exit 1; }
trap 'rm -rf "$work"' EXIT
rm -rf "$work"
mkdir -p "$work/game/levels" "$work/мои уровни" "$work/out 出力"
cp "$exe" "$work/game/orbiton3d.exe"
cp "$levels"/*.lvl "$work/game/levels/"
# A folder of one's own: level 12 as its 1.lvl, so that its brick count tells
# which folder was read.
cp "$levels/12.lvl" "$work/мои уровни/1.lvl"
cp "$levels/1.lvl" "$work/мои уровни/Ünï 日本.lvl"
printf '2 click\n' >"$work/out 出力/сценарий.script"
win="C:\\$top"
game="$win\\game\\orbiton3d.exe"
cd "$work" # no 1.lvl here: the levels must be found beside the game

# Levels beside the game, the events and the trace under wide names.
wine "$game" --headless --no-draw --frames 30 --script "$win\\out 出力\\сценарий.script" \
  --events "$win\\out 出力\\события.txt" --trace "$win\\out 出力\\след 跡.txt" >log.txt 2>&1 ||
  fail "the run beside the game failed: $(cat log.txt)"
grep -qx "1 level 1 bricks 32" "$work/out 出力/события.txt" ||
  fail "level 1 was not read from beside the game: $(cat "$work/out 出力/события.txt" log.txt)"
grep -q " launch$" "$work/out 出力/события.txt" || fail "the scripted click did not launch"
[ "$(wc -l <"$work/out 出力/след 跡.txt")" = 30 ] || fail "the trace does not have 30 frames"

# A level folder named on the command line, and a picture.
wine "$game" --headless --frames 2 --levels "$win\\мои уровни" \
  --events "$win\\out 出力\\e2.txt" --screenshot "$win\\out 出力\\снимок 写真.png" >log.txt 2>&1 ||
  fail "the run with --levels failed: $(cat log.txt)"
grep -qx "1 level 1 bricks 3552" "$work/out 出力/e2.txt" ||
  fail "--levels was not read: $(cat "$work/out 出力/e2.txt" log.txt)"
[ "$(head -c 8 "$work/out 出力/снимок 写真.png" | od -An -tx1 | tr -d ' ')" = 89504e470d0a1a0a ] ||
  fail "no PNG picture was written"

# The checker names the file as it was given, in UTF-8.
wine "$game" --check "$win\\мои уровни\\Ünï 日本.lvl" >log.txt 2>&1 || fail "--check failed: $(cat log.txt)"
grep -q "^C:\\\\$top\\\\мои уровни\\\\Ünï 日本.lvl: 32 bricks" log.txt ||
  fail "--check did not read the file: $(cat log.txt)"
echo "PASS (Wine): levels beside the game, --levels, --script, --events, --trace, --screenshot and --check in folders named in Unicode"
