# SPDX-FileCopyrightText: 2026 The Orbiton 3D developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Sourced by the Windows test scripts: start_wine_desktop EXE starts a Wine
# server and a Wine desktop of their own on $DISPLAY, their output closed, and
# keeps the desktop up until the caller's shell exits or stop_wine_desktop.
# (WINEPREFIX set.)
#
# Why: Wine's desktop process is started by the first program that needs a
# window, inherits that program's standard error and lives while any program
# uses the desktop. Under ctest that holds one test's output pipe for the
# whole run, and ctest waits for it. And the desktop belongs to the X display
# it started on: a game on another display would be handed the desktop's
# windows of the first one (Wine ends it with BadWindow at its first
# full-screen focus). So each display gets a server and desktop of its own,
# started here by a program whose output goes nowhere.
start_wine_desktop() {
  local exe=$1
  stop_wine_desktop
  wineserver -p 120 </dev/null >/dev/null 2>&1
  # A program that only waits on its input keeps the desktop in use between
  # tests; its input is our pipe, so it ends with this shell.
  exec {wine_desktop_holder}> >(exec wine cmd.exe /c "set /p x=" >/dev/null 2>&1)
  # The game's off-screen drawing opens a hidden window: that starts the
  # desktop, which the holder then keeps.
  wine "$exe" --headless --frames 1 --size 8x8 </dev/null >/dev/null 2>&1 || true
}

stop_wine_desktop() {
  if [ -n "${wine_desktop_holder:-}" ]; then
    exec {wine_desktop_holder}>&-
    wine_desktop_holder=
  fi
  wineserver -k 2>/dev/null || true
  wineserver -w 2>/dev/null || true
}
