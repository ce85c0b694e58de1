#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Orbiton 3D developers
# SPDX-License-Identifier: GPL-3.0-or-later
# End-to-end on Windows, under Wine: the game as the zip holds it, unpacked
# and started as a double-click starts it (no options but the event log), in
# a real window on its own Xvfb with a window manager, driven by real X input.
# The window opens with its title at 800x600 and level 1 from the folder
# beside the game, a click launches, the ball hits bricks, F goes to full
# screen at the desktop's size and back, keys count as soon as the focus comes
# back from another program, Escape ends the game with status 0. The game
# also records a replay and a trace: replayed headless under Wine (and by the
# Linux build, when given), it flies the same trace byte for byte.
#   windows_e2e.sh ORBITON3D-VERSION-win64.zip [LINUX-ORBITON3D]
set -euo pipefail
zip=$1
linux_game=${2:-}

here=$(cd "$(dirname "$0")" && pwd)
. "$here/xvfb.sh"
. "$here/wine_desktop.sh"
e2e_begin
trap 'stop_wine_desktop; e2e_cleanup' EXIT
(cd "$work" && cmake -E tar xf "$zip") || fail "cannot unpack $zip"
exe=$(ls "$work"/orbiton3d-*-win64/orbiton3d.exe)
# The notices of the others' code the exe carries travel with it.
notices=$(dirname "$exe")/THIRD-PARTY-NOTICES.txt
for who in "CLI11" "stb_image_write" "GCC Runtime Library Exception" "winpthreads" "License: ZPL-2.1"; do
  grep -qi "$who" "$notices" || fail "THIRD-PARTY-NOTICES.txt in the zip does not name $who"
done
cd "$work" # no levels here: they must come from beside the game
window_manager="openbox --config-file $here/openbox-rc.xml"
start_display "$work"
start_wine_desktop "$exe"
start_game "$work" wine "$exe" --events "$work/events.txt" --record "$work/wine.replay" \
  --trace "$work/wine.live"
current() { xdotool search --onlyvisible --name "^Orbiton 3D$" 2>/dev/null | head -n 1; }
size() { xwininfo -id "$(current)" 2>/dev/null | awk '/Width:/{w=$2} /Height:/{h=$2} END{print w "x" h}'; }
count() { grep -c " $1" "$work/events.txt" || true; }
counts() { [ "$(count "$1")" = "$2" ]; }
at_least() { [ "$(count "$1")" -ge "$2" ]; }
sized() { [ "$(size)" = "$1" ]; }
# The pointer over the window and the window made active through the window
# manager, as a player's click or Alt+Tab does.
focus() {
  xdotool mousemove --window "$(current)" 400 300
  xdotool windowactivate --sync "$(current)"
}
# A key held for a tenth of a second, as a finger holds it: Wine drops a
# press and release that arrive in the same instant (xdotool key).
press() {
  focus
  xdotool keydown "$1"
  sleep 0.1
  xdotool keyup "$1"
}
wait_until 10 grep -qx "1 level 1 bricks 32" "$work/events.txt" ||
  fail "level 1 was not read from beside the game: $(cat "$work/events.txt" "$work/game.log")"
wait_until 5 sized 800x600 || fail "the window is $(size), not 800x600"
focus
xdotool mousemove_relative 30 0
# Held for a tenth of a second like the keys below: Wine now and then loses
# the press of a press and release that arrive in the same instant (xdotool
# click), and only the release reaches the game.
xdotool mousedown 1
sleep 0.1
xdotool mouseup 1
wait_until 5 at_least launch 1 || fail "the click did not launch: $(cat "$work/events.txt")"
press f
wait_until 5 counts 'fullscreen on' 1 || fail "F did not go to full screen: $(cat "$work/events.txt")"
wait_until 5 sized 1280x1024 || fail "full screen is $(size), not the desktop's 1280x1024"
press f
wait_until 5 counts 'fullscreen off' 1 || fail "F did not come back: $(cat "$work/events.txt")"
wait_until 5 sized 800x600 || fail "back from full screen the window is $(size)"
# The focus away to another program and back: the game's keys count at once.
xmessage -geometry 200x80+1000+800 "another program" >/dev/null 2>&1 &
pids+=($!)
other=$(timeout 10 xdotool search --sync --onlyvisible --name '^xmessage$' | head -n 1) ||
  fail "no other window"
xdotool windowactivate --sync "$other"
press r
wait_until 5 counts reset 1 || fail "R after the focus came back did nothing: $(cat "$work/events.txt")"
wait_until 10 at_least hit 1 || fail "the ball hit no brick: $(cat "$work/events.txt")"
press Escape
wait_until 10 eval '! kill -0 "$game_pid" 2>/dev/null' || fail "Escape did not end the game"
wait "$game_pid" && status=0 || status=$?
[ "$status" = 0 ] || fail "the game ended with status $status: $(cat "$work/game.log")"
grep -q "key f down" "$work/wine.replay" || fail "the replay has no F: $(grep -v ' 0 0$' "$work/wine.replay")"
wine "$exe" --headless --no-draw --replay "$work/wine.replay" --trace "$work/wine.replayed" \
  >"$work/replayed.log" 2>&1 || fail "the replay did not play under Wine: $(cat "$work/replayed.log")"
cmp -s "$work/wine.live" "$work/wine.replayed" ||
  fail "the replay flies otherwise under Wine: $(diff "$work/wine.live" "$work/wine.replayed" | head -4)"
replayed="replayed headless under Wine"
if [ -n "$linux_game" ]; then
  "$linux_game" --headless --no-draw --levels "$(dirname "$exe")/levels" --replay "$work/wine.replay" \
    --trace "$work/linux.replayed" >"$work/replayed.log" 2>&1 ||
    fail "the replay did not play on Linux: $(cat "$work/replayed.log")"
  cmp -s "$work/wine.live" "$work/linux.replayed" ||
    fail "the replay flies otherwise on Linux: $(diff "$work/wine.live" "$work/linux.replayed" | head -4)"
  replayed="$replayed and on Linux"
fi

# The exe copied alone (to the desktop, say) and double-clicked: no levels
# beside it, and the player is told so in a box over the game's window.
mkdir "$work/alone"
cp "$exe" "$work/alone/"
(cd "$work/alone" && exec wine "$work/alone/orbiton3d.exe" >"$work/alone.log" 2>&1) &
alone_pid=$!
pids+=("$alone_pid")
# The box: the window of that title smaller than the game's.
box() {
  local w
  for w in $(xdotool search --onlyvisible --name '^Orbiton 3D$' 2>/dev/null); do
    [ "$(xwininfo -id "$w" 2>/dev/null | awk '/Width:/{print $2}')" -lt 800 ] && echo "$w" && return
  done
  return 1
}
wait_until 20 eval 'box >/dev/null' || fail "no box over the game copied alone: $(cat "$work/alone.log")"
grep -q "^Orbiton 3D: No levels found: " "$work/alone.log" ||
  fail "the box does not say that there are no levels: $(cat "$work/alone.log")"
# Its button takes Return, given to the box as a player's click would.
xdotool windowactivate --sync "$(box)"
xdotool keydown Return
sleep 0.1
xdotool keyup Return
wait_until 10 eval '! box >/dev/null' || fail "the box did not close"
press Escape
wait_until 10 eval '! kill -0 "$alone_pid" 2>/dev/null' || fail "Escape did not end the game copied alone"
echo "PASS (Wine): the unpacked zip plays: window 800x600, level 1 from beside the game, click launches, full screen 1280x1024 and back, keys count when the focus comes back, bricks hit, Escape exits 0, its replay $replayed flies its trace byte for byte; copied alone it says in a box that it has no levels"
