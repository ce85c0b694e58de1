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
