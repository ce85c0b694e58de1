#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Orbiton 3D developers
# SPDX-License-Identifier: GPL-3.0-or-later
# End-to-end on Windows, under Wine: the game as the zip holds it, unpacked
# and started as a double-click starts it (no options but the event log), in
# a real window on its own Xvfb with a window manager, driven by real X input.
# The window opens with its title at 800x600 and level 1 from the folder
# beside the game, a click launches, the ball hits bricks, F goes to full
# screen at the desktop's size and back, Escape ends the game with status 0.
#   windows_e2e.sh ORBITON3D-VERSION-win64.zip
set -euo pipefail
zip=$1

. "$(dirname "$0")/xvfb.sh"
e2e_begin
(cd "$work" && cmake -E tar xf "$zip") || fail "cannot unpack $zip"
exe=$(ls "$work"/orbiton3d-*-win64/orbiton3d.exe)
cd "$work" # no levels here: they must come from beside the game
start_game_window "$work" wine "$exe" --events "$work/events.txt"
sleep 1
current() { xdotool search --onlyvisible --name "^Orbiton 3D$" 2>/dev/null | head -n 1; }
size() { xwininfo -id "$(current)" 2>/dev/null | awk '/Width:/{w=$2} /Height:/{h=$2} END{print w "x" h}'; }
count() { grep -c " $1" "$work/events.txt" || true; }
# The pointer over the window and the window active, as a player's would be.
focus() {
  xdotool mousemove --window "$(current)" 400 300
  # evilwm takes no activation requests: the focus is set on the window itself.
  xdotool windowfocus --sync "$(current)" 2>/dev/null || true
}
# A key held for a tenth of a second, as a finger holds it: Wine drops a
# press and release that arrive in the same instant (xdotool key).
press() {
  focus
  xdotool keydown "$1"
  sleep 0.1
  xdotool keyup "$1"
}
[ "$(size)" = "800x600" ] || fail "the window is $(size), not 800x600"
grep -qx "1 level 1 bricks 32" "$work/events.txt" ||
  fail "level 1 was not read from beside the game: $(cat "$work/events.txt" "$work/game.log")"
focus
xdotool mousemove_relative 30 0
sleep 0.3
xdotool click 1
sleep 1
[ "$(count launch)" -ge 1 ] || fail "the click did not launch: $(cat "$work/events.txt")"
press f
sleep 2
[ "$(count 'fullscreen on')" = 1 ] || fail "F did not go to full screen: $(cat "$work/events.txt")"
[ "$(size)" = "1280x1024" ] || fail "full screen is $(size), not the desktop's 1280x1024"
press f
sleep 2
[ "$(count 'fullscreen off')" = 1 ] || fail "F did not come back: $(cat "$work/events.txt")"
[ "$(size)" = "800x600" ] || fail "back from full screen the window is $(size)"
[ "$(count hit)" -ge 1 ] || fail "the ball hit no brick: $(cat "$work/events.txt")"
press Escape
for _ in $(seq 100); do kill -0 "$game_pid" 2>/dev/null || break; sleep 0.1; done
kill -0 "$game_pid" 2>/dev/null && fail "Escape did not end the game"
wait "$game_pid" && status=0 || status=$?
[ "$status" = 0 ] || fail "the game ended with status $status: $(cat "$work/game.log")"
echo "PASS (Wine): the unpacked zip plays: window 800x600, level 1 from beside the game, click launches, bricks hit, full screen 1280x1024 and back, Escape exits 0"
