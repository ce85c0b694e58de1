#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Orbiton 3D developers
# SPDX-License-Identifier: GPL-3.0-or-later
# No key is lost across a full-screen switch: F pressed six times, 0.15 s
# apart (a switch takes about 0.1 s), under Xvfb with a window manager, must
# switch six times, and Escape afterwards must still end the game with 0.
#   fullscreen_keys.sh ORBITON3D LEVEL_DIR
set -euo pipefail
game=$1
levels=$2

. "$(dirname "$0")/xvfb.sh"
e2e_begin
start_game_window "$work" "$game" --levels "$levels" --events "$work/events.txt"
sleep 0.5
for _ in 1 2 3 4 5 6; do
  xdotool key f
  sleep 0.15
done
sleep 1.5
switches=$(grep -c ' fullscreen ' "$work/events.txt" || true)
[ "$switches" = 6 ] || fail "six presses of F made $switches switches: $(grep fullscreen "$work/events.txt")"
xdotool key Escape
status=0
timeout 10 tail --pid="$game_pid" -f /dev/null || fail "Escape did not end the game"
wait "$game_pid" || status=$?
[ "$status" = 0 ] || fail "the game ended with status $status: $(cat "$work/game.log")"
echo "PASS: six presses of F, six switches, then Escape ends the game with 0"
