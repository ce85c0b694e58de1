#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Orbiton 3D developers
# SPDX-License-Identifier: GPL-3.0-or-later
# End-to-end: real games recorded and replayed. The game in a real X window
# (Xvfb with a window manager) is played with real input through xdotool on
# the first level, a middle one and the finale: steered, launched, zoomed,
# paused and resumed, switched to full screen and back mid-game, then ended
# with Escape; each records a replay and a trace. Each replay, played
# headless, flies the trace again byte for byte. One is watched in a window
# too, held with P for a while and poked with keys, clicks and motion that
# the watched replay must ignore: its frames fly the same trace, and the game
# is the player's at the end. A replay that cannot be played, to be watched, is
# refused in a box.
#   replay_e2e.sh ORBITON3D LEVEL_DIR [OUT_DIR]
# With OUT_DIR, the replays and their traces are left there (for the same
# replays under Wine).
set -euo pipefail
game=$1
levels=$2
keep=${3:-}

. "$(dirname "$0")/xvfb.sh"
e2e_begin
start_display "$work"

logged() { grep -q " $2" "$work/$1.events"; }
count() { grep -c " $2" "$work/$1.events" || true; }
frames() { wc -l <"$1"; }
# A key held a tenth of a second, as a finger holds it.
press() {
  focus
  xdotool keydown "$1"
  sleep 0.1
  xdotool keyup "$1"
}
ended() { ! kill -0 "$game_pid" 2>/dev/null; }
quit_game() {
  press Escape
  wait_until 10 ended || fail "Escape did not end the game"
  wait "$game_pid" && status=0 || status=$?
  [ "$status" = 0 ] || fail "the game exited with $status: $(cat "$work/game.log")"
}

finale=$(cd "$levels" && ls | sed -n 's/^\([1-9][0-9]*\)\.lvl$/\1/p' | sort -n | tail -n 1)
middle=$(((finale + 1) / 2))
for level in 1 "$middle" "$finale"; do
  start_game "$work" "$game" --levels "$levels" --level "$level" --record "$work/$level.replay" \
    --trace "$work/$level.live" --events "$work/$level.events"
  wait_until 10 logged "$level" "level $level " || fail "level $level did not start: $(cat "$work/game.log")"
  focus
  xdotool mousemove_relative -- 60 25
  sleep 0.3
  xdotool click 1
  wait_until 5 logged "$level" launch || fail "the click did not launch on level $level"
  xdotool mousemove_relative -- -40 30
  focus
  xdotool keydown space
  sleep 0.4
  xdotool keyup space
  press p
  sleep 0.4
  xdotool mousemove_relative -- 25 -25 # while paused: taken, then dropped
  sleep 0.2
  press p
  sleep 0.3
  press f
  wait_until 10 logged "$level" "fullscreen on" || fail "F did not go to full screen on level $level"
  focus
  sleep 0.3
  xdotool mousemove_relative -- -30 10
  sleep 0.3
  press f
  wait_until 10 logged "$level" "fullscreen off" || fail "F did not come back on level $level"
  focus
  xdotool mousemove_relative -- 15 15
  sleep 0.5
  quit_game
  replay=$work/$level.replay
  # What the replay holds: the keys, the click, real motion, and its end.
  for what in "key space down" "key space up" "key p down" "key f down" " click" ; do
    grep -q -- "$what" "$replay" || fail "the replay of level $level has no \"$what\": $(grep -v ' 0 0$' "$replay" | head -40)"
  done
  grep -Eq '^frame [0-9]+ [^ ]+ (-?[1-9][0-9]* -?[0-9]+|-?[0-9]+ -?[1-9][0-9]*)( |$)' "$replay" ||
    fail "the replay of level $level has no mouse motion"
  tail -n 1 "$replay" | grep -Eq '^end [0-9]+ .*key escape down' ||
    fail "the replay of level $level does not end with Escape: $(tail -n 2 "$replay")"
  "$game" --headless --no-draw --levels "$levels" --replay "$replay" --trace "$work/$level.replayed" \
    >"$work/replayed.log" 2>&1 || fail "the replay of level $level did not play: $(cat "$work/replayed.log")"
  cmp -s "$work/$level.live" "$work/$level.replayed" ||
    fail "the replay of level $level flies otherwise: $(diff "$work/$level.live" "$work/$level.replayed" | head -4)"
  echo "level $level: $(frames "$work/$level.live") frames, the headless replay's trace the same"
done

# Watched in a window: the watcher's P holds it, the rest of the watcher's
# input is ignored until the replay's end; then the game is the player's.
replay=$work/1.replay
recorded=$(frames "$work/1.live")
start_game "$work" "$game" --levels "$levels" --replay "$replay" --trace "$work/watched" \
  --events "$work/watched.events"
sleep 0.5
focus
press p
sleep 1
press p
xdotool mousemove_relative -- 80 -60
xdotool click 1
press r
press KP_Add
watched_all() { [ "$(frames "$work/watched")" -gt "$recorded" ]; }
wait_until 60 watched_all || fail "the watched replay did not come to its end: $(frames "$work/watched") of $recorded frames"
# Past the end, the game goes on and takes the player's keys.
press r
wait_until 5 eval '[ "$(count watched reset)" -ge 1 ]' || fail "the game did not take R after the replay"
quit_game
head -n "$recorded" "$work/watched" | cmp -s - "$work/1.live" ||
  fail "the watched replay flies otherwise: $(head -n "$recorded" "$work/watched" | diff - "$work/1.live" | head -4)"

# A replay the game cannot play, to be watched: refused in a box where the
# player looks (SDL names its box in UTF-8, which xdotool's search does not
# read), and the game ends with status 1.
sed '2s/.*/game 0.0.1-other/' "$replay" >"$work/other.replay"
"$game" --levels "$levels" --replay "$work/other.replay" >"$work/other.log" 2>&1 &
other_pid=$!
pids+=("$other_pid")
box() { xwininfo -root -tree 2>/dev/null | awk '/"Orbiton 3D": \(/{print $1}' | tail -n 1; }
wait_until 10 eval '[ -n "$(box)" ]' || fail "no box for a replay of another version: $(cat "$work/other.log")"
grep -q "other.replay:2: recorded by orbiton3d 0.0.1-other" "$work/other.log" ||
  fail "the box does not say why: $(cat "$work/other.log")"
xdotool windowfocus --sync "$(box)"
xdotool key Return
wait_until 10 eval '! kill -0 "$other_pid" 2>/dev/null' || fail "Return did not close the box"
wait "$other_pid" && status=0 || status=$?
[ "$status" = 1 ] || fail "a refused replay ended with status $status"
if [ -n "$keep" ]; then
  rm -rf "$keep" # no game of an earlier run left beside these
  mkdir -p "$keep"
  for level in 1 "$middle" "$finale"; do
    cp "$work/$level.replay" "$work/$level.live" "$keep/"
  done
fi
echo "PASS: live games on levels 1, $middle and $finale (steered, launched, zoomed, paused, full screen and back, Escape) replay headless to the same traces byte for byte; watched in a window, held with P and poked, the replay flies the same and then the game is the player's; a replay of another version is refused in a box"
