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
  Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp -noreset 3>"$fifo" >"$log" 2>&1 &
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
  start_display "$1"
  start_game "$@"
}

# start_display DIR: the Xvfb and its window manager: evilwm, or the command
# in window_manager. Wine needs one that keeps the ICCCM's WM_STATE and hands
# the focus over with WM_TAKE_FOCUS, as a desktop's does (openbox): under
# evilwm, which does neither, Wine waits two seconds for every window it
# closes and takes no focus given back.
start_display() {
  local dir=$1
  start_xvfb "$dir/xvfb.log" || { pids+=("${xvfb_pid:-}"); fail "Xvfb did not start: $(cat "$dir/xvfb.log")"; }
  pids+=("$xvfb_pid")
  local wm=${window_manager:-evilwm}
  # shellcheck disable=SC2086 # the window manager's command and its options
  $wm >"$dir/wm.log" 2>&1 &
  pids+=($!)
  if [ "${wm%% *}" = openbox ]; then
    # Up once it names itself on the root window.
    for _ in $(seq 100); do
      xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' && return 0
      sleep 0.05
    done
    fail "$wm did not start: $(cat "$dir/wm.log")"
  fi
  sleep 0.3
}

# start_game DIR COMMAND...: the game on the display start_display made.
start_game() {
  local dir=$1
  shift
  "$@" >"$dir/game.log" 2>&1 &
  game_pid=$!
  pids+=("$game_pid")
  wid=$(timeout 20 xdotool search --sync --onlyvisible --name "^Orbiton 3D$" | head -n 1) ||
    fail "no window: $(cat "$dir/game.log")"
  [ -n "$wid" ] || fail "no window"
  xdotool windowactivate --sync "$wid" 2>/dev/null || xdotool windowfocus --sync "$wid"
}

# current: the game's window now. A full-screen switch makes a new one:
# look it up every time.
current() { xdotool search --onlyvisible --name "^Orbiton 3D$" 2>/dev/null | tail -n 1; }
# focus: the keyboard to the game's window. While the game replaces its
# window, a search can come back empty (a window it lists is gone before it
# is read): look until the new one is there, and say so if it never is,
# rather than end the script without a word.
focus() {
  local w=
  for _ in $(seq 30); do
    w=$(current)
    [ -n "$w" ] && break
    sleep 0.1
  done
  [ -n "$w" ] || fail "no game window to give the keyboard to"
  xdotool windowactivate --sync "$w" 2>/dev/null || xdotool windowfocus --sync "$w" 2>/dev/null || true
}

# wait_until SECONDS COMMAND...: true as soon as COMMAND succeeds, false when
# it has not within SECONDS.
wait_until() {
  local deadline=$((SECONDS + $1))
  shift
  until "$@"; do
    [ "$SECONDS" -lt "$deadline" ] || return 1
    sleep 0.05
  done
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
