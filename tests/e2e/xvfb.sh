# SPDX-FileCopyrightText: 2026 The Orbiton 3D developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Sourced by the end-to-end scripts: start_xvfb LOG starts an Xvfb on a free
# display and exports DISPLAY. Xvfb picks the number itself (-displayfd): it
# binds the sockets, so two runs at once (a parallel CI job, a chroot on the
# same machine) can never share a display, which guessing from /tmp could.
# The caller kills the pid left in xvfb_pid.
start_xvfb() {
  local log=$1 fifo
  fifo=$(mktemp -u)
  mkfifo "$fifo"
  Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$fifo" >"$log" 2>&1 &
  xvfb_pid=$!
  local n
  read -r -t 20 n <"$fifo" || n=
  rm -f "$fifo"
  [ -n "$n" ] || return 1
  export DISPLAY=":$n"
  for _ in $(seq 50); do xdpyinfo >/dev/null 2>&1 && return 0; sleep 0.1; done
  return 1
}

# start_game_window DIR COMMAND...: an Xvfb with a window manager, then the
# game by COMMAND, its output in DIR/game.log; waits for the game's window and
# gives it the keyboard. Leaves wid and game_pid, adds every process to the
# caller's pids, and calls the caller's fail when something does not come up.
start_game_window() {
  local dir=$1
  shift
  start_xvfb "$dir/xvfb.log" || { pids+=("${xvfb_pid:-}"); fail "Xvfb did not start: $(cat "$dir/xvfb.log")"; }
  pids+=("$xvfb_pid")
  evilwm >"$dir/wm.log" 2>&1 &
  pids+=($!)
  sleep 0.3
  "$@" >"$dir/game.log" 2>&1 &
  game_pid=$!
  pids+=("$game_pid")
  wid=$(timeout 20 xdotool search --sync --onlyvisible --name "^Orbiton 3D$" | head -n 1) ||
    fail "no window: $(cat "$dir/game.log")"
  [ -n "$wid" ] || fail "no window"
  xdotool windowactivate --sync "$wid" 2>/dev/null || xdotool windowfocus --sync "$wid"
}

# e2e_begin: what every end-to-end script starts with: a scratch folder in
# work, the processes to end in pids, both cleaned up on exit, and fail.
e2e_begin() {
  work=$(mktemp -d)
  pids=()
  trap e2e_cleanup EXIT
  fail() { echo "FAIL: $*" >&2; exit 1; }
}
e2e_cleanup() {
  for p in "${pids[@]}"; do kill "$p" 2>/dev/null || true; done
  rm -rf "$work"
}
