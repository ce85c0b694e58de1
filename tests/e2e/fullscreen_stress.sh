#!/usr/bin/env bash
# Stress: the real game, playing itself, switched to full screen and back
# 200 times with the F key through xdotool under Xvfb. Afterwards it must
# still run, hold as many display lists as after the first switch, keep its
# memory flat, and exit cleanly on Escape.
#   fullscreen_stress.sh ORBITON3D LEVEL_DIR [SWITCHES]
set -euo pipefail
game=$1
levels=$2
switches=${3:-200}
work=$(mktemp -d)
pids=()
cleanup() { for p in "${pids[@]}"; do kill "$p" 2>/dev/null || true; done; rm -rf "$work"; }
trap cleanup EXIT
fail() { echo "FAIL: $*" >&2; tail -5 "$work/events.txt" >&2 || true; exit 1; }

for n in $(seq 131 170); do
  [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ] || { display=":$n"; break; }
done
Xvfb "$display" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
pids+=($!)
export DISPLAY=$display
for _ in $(seq 50); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done
evilwm >/dev/null 2>&1 &
pids+=($!)
sleep 0.3

"$game" --levels "$levels" --demo --events "$work/events.txt" >"$work/game.log" 2>&1 &
game_pid=$!
pids+=($game_pid)
timeout 20 xdotool search --sync --onlyvisible --name "^Orbiton 3D$" >/dev/null ||
  fail "no window: $(cat "$work/game.log")"
focus() {
  local w; w=$(xdotool search --onlyvisible --name "^Orbiton 3D$" 2>/dev/null | tail -n 1)
  [ -n "$w" ] && { xdotool windowactivate --sync "$w" 2>/dev/null || xdotool windowfocus --sync "$w" 2>/dev/null || true; }
}
focus; sleep 0.5

for i in $(seq 1 "$switches"); do
  xdotool key f
  # Wait for the game to log the switch before the next press.
  for _ in $(seq 100); do
    [ "$(grep -c ' fullscreen ' "$work/events.txt" || true)" -ge "$i" ] && break
    kill -0 "$game_pid" 2>/dev/null || fail "the game died at switch $i: $(cat "$work/game.log")"
    sleep 0.05
  done
  [ "$(grep -c ' fullscreen ' "$work/events.txt" || true)" -ge "$i" ] || fail "switch $i was not made"
  focus
done

grep ' fullscreen ' "$work/events.txt" >"$work/switches.txt"
# Lines read "FRAME fullscreen on|off lists N bricks B memory KIB". Every
# brick holds one list and the game goes on playing between switches, so
# the lists beyond the bricks' own must stay the same.
first_lists=$(head -n 1 "$work/switches.txt" | awk '{print $5 - $7}')
lists=$(awk '{print $5 - $7}' "$work/switches.txt" | sort -u | tr '\n' ' ')
# Compare like with like: the memory after the 10th and the last switch back to a window.
early=$(grep ' fullscreen off ' "$work/switches.txt" | sed -n 5p | awk '{print $9}')
late=$(grep ' fullscreen off ' "$work/switches.txt" | tail -n 1 | awk '{print $9}')

sleep 1
kill -0 "$game_pid" 2>/dev/null || fail "the game is not running after the switches"
import -window root "$work/a.png"; sleep 0.5; import -window root "$work/b.png"
[ "$(compare -metric AE "$work/a.png" "$work/b.png" null: 2>&1 || true)" != "0" ] || fail "the game no longer draws"

focus
xdotool key Escape
for _ in $(seq 50); do kill -0 "$game_pid" 2>/dev/null || break; sleep 0.1; done
wait "$game_pid" && status=0 || status=$?
[ "$status" = 0 ] || fail "exit status $status"

echo "switches: $(wc -l <"$work/switches.txt"), display lists besides the bricks' after each: $lists, memory after the 10th: ${early} KiB, after the last: ${late} KiB"
[ "$lists" = "$first_lists " ] || fail "the number of display lists changed: $lists"
# Flat: at most 4 MiB of growth over the run (allocator noise, not a leak per switch).
[ $((late - early)) -le 4096 ] || fail "memory grew from $early KiB to $late KiB"
echo "PASS"
