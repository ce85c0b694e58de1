#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Orbiton 3D developers
# SPDX-License-Identifier: GPL-3.0-or-later
# No key is lost across a full-screen switch: F pressed six times, 0.15 s
# apart (a switch takes about 0.1 s), under Xvfb with a window manager, must
# switch six times, and six times more when pressed 0.05 s apart; F with R
# 50 ms after it, eight times, must switch eight times and reset eight times.
# F held down repeats, but switches at most once a frame and never after it
# is let go. Escape afterwards must still end the game with 0.
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
count() { grep -c " $1" "$work/events.txt" || true; }
switches=$(count fullscreen)
[ "$switches" = 6 ] || fail "six presses of F made $switches switches: $(grep fullscreen "$work/events.txt")"

# Six more, 0.05 s apart: they come faster than the game can switch, so
# several arrive in one frame; each still switches, one frame after another.
for _ in 1 2 3 4 5 6; do
  xdotool key f
  sleep 0.05
done
twelve() { [ "$(count fullscreen)" = 12 ]; }
wait_until 10 twelve || fail "six quick presses of F made $(($(count fullscreen) - 6)) switches"

# R pressed while the switch F began is still under way.
for _ in 1 2 3 4 5 6 7 8; do
  xdotool key f
  sleep 0.05
  xdotool key r
  sleep 0.3
done
eight_of_each() { [ "$(count fullscreen)" = 20 ] && [ "$(count reset)" = 8 ]; }
wait_until 5 eight_of_each ||
  fail "F then R, eight times: $(($(count fullscreen) - 12)) switches and $(count reset) resets"

# The server repeats a held key 25 times a second after 0.66 s; a switch
# takes longer, so unheeded repeats would queue up and switch on for
# seconds after the key is up.
xdotool keydown f
sleep 3
xdotool keyup f
sleep 1 # a switch begun before the key came up has ended
after=$(count fullscreen)
sleep 2
[ "$(count fullscreen)" = "$after" ] ||
  fail "F switched $(($(count fullscreen) - after)) more times after it was let go"
[ "$after" -gt 22 ] || fail "F held for 3 s switched only $((after - 20)) times: its repeats were lost"
frames=$(grep ' fullscreen ' "$work/events.txt" | cut -d' ' -f1)
[ "$(sort -u <<<"$frames" | wc -l)" = "$(wc -l <<<"$frames")" ] ||
  fail "two switches in one frame: $(uniq -d <<<"$frames" | head -3)"
xdotool key Escape
status=0
timeout 10 tail --pid="$game_pid" -f /dev/null || fail "Escape did not end the game"
wait "$game_pid" || status=$?
[ "$status" = 0 ] || fail "the game ended with status $status: $(cat "$work/game.log")"
echo "PASS: six presses of F, six switches, also 0.05 s apart; F and R eight times, eight of each; F held repeats, once a frame at most, none after it is up; Escape ends the game with 0"
