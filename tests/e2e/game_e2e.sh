#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Orbiton 3D developers
# SPDX-License-Identifier: GPL-3.0-or-later
# End-to-end: the real executable in a real X window (Xvfb with a small window
# manager), driven by real input events through xdotool, checked from
# screenshots and window geometry.
#   game_e2e.sh ORBITON3D LEVEL_DIR
set -euo pipefail
game=$1
levels=$2

. "$(dirname "$0")/xvfb.sh"
e2e_begin
start_game_window "$work" "$game" --levels "$levels" --events "$work/events.txt"
sleep 0.5

size() {
  local w; w=$(current)
  [ -n "$w" ] || { echo none; return; }
  xwininfo -id "$w" 2>/dev/null | awk '/Width:/{w=$2} /Height:/{h=$2} END{print w "x" h}'
}
# The middle of the view (the ball and paddle), away from the overlay text.
shot() { import -window root -crop 300x300+250+150 +repage "$work/$1.png"; }
same() { [ "$(compare -metric AE "$work/$1.png" "$work/$2.png" null: 2>&1 || true)" = "0" ]; }

[ "$(size)" = "800x600" ] || fail "window is $(size), not 800x600"

# The window shows the menu icon's own picture: _NET_WM_ICON holds the width,
# the height, then each pixel as one ARGB number.
icon_png=$levels/../data/icons/hicolor/48x48/apps/orbiton3d.png
shown=$(xprop -id "$wid" -notype -f _NET_WM_ICON 32c '=$0+\n' _NET_WM_ICON | sed 's/^_NET_WM_ICON=//; s/, /\n/g')
drawn=$({ echo 48; echo 48; convert "$icon_png" -depth 8 rgba:- | od -An -v -tu1 -w4 |
  awk '{ printf "%.0f\n", $4 * 16777216 + $1 * 65536 + $2 * 256 + $3 }'; })
[ "$shown" = "$drawn" ] || fail "the window's icon is not the menu icon: $(head -c 80 <<<"$shown")"

shot a1; sleep 0.3; shot a2
same a1 a2 || fail "the view changes with no input"

xdotool mousemove_relative -- 90 40
sleep 0.5; shot b1
same a2 b1 && fail "relative mouse motion did not turn the view"

xdotool click 1
sleep 0.4; shot c1; sleep 0.4; shot c2
same c1 c2 && fail "the ball did not move after the click"

xdotool key p
sleep 0.3; shot d1; sleep 0.5; shot d2
same d1 d2 || fail "P did not pause"
xdotool key p

xdotool key f
for _ in $(seq 30); do [ "$(size)" = "1280x1024" ] && break; sleep 0.1; done
[ "$(size)" = "1280x1024" ] || fail "F gave $(size), not the screen's 1280x1024"
focus; sleep 0.3
xdotool key f
for _ in $(seq 30); do [ "$(size)" = "800x600" ] && break; sleep 0.1; done
[ "$(size)" = "800x600" ] || fail "F back gave $(size), not 800x600"
focus; sleep 0.3
# Two more round trips with the mouse untouched: a window change is no
# player's motion, so the paddle (logged after each switch) never turns.
for want in 1280x1024 800x600 1280x1024 800x600; do
  xdotool key f
  for _ in $(seq 30); do [ "$(size)" = "$want" ] && break; sleep 0.1; done
  focus; sleep 0.3
done
sleep 0.3
turns=$(grep ' fullscreen ' "$work/events.txt" | sed 's/.* paddle //' | sort -u)
[ "$(grep -c ' fullscreen ' "$work/events.txt")" = 6 ] || fail "not six switches: $(cat "$work/events.txt")"
[ "$(echo "$turns" | wc -l)" = 1 ] || fail "the switches turned the paddle: $turns"

xdotool key Escape
for _ in $(seq 50); do kill -0 "$game_pid" 2>/dev/null || break; sleep 0.1; done
kill -0 "$game_pid" 2>/dev/null && fail "Escape did not end the game"
wait "$game_pid" && status=0 || status=$?
[ "$status" = 0 ] || fail "the game exited with $status: $(cat "$work/game.log")"
echo "PASS: window 800x600 with its icon, mouse turns the view, click launches, P pauses, F full screen and back (six switches, paddle unturned), Escape exits 0"
