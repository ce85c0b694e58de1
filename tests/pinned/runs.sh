# SPDX-FileCopyrightText: 2026 The Orbiton 3D developers
# SPDX-License-Identifier: GPL-3.0-or-later
# The pinned runs, sourced by scripts/pin-runs.sh (which makes the files) and
# tests/pinned/compare.sh (which checks the game still makes them). Each entry
# is a name and the arguments that follow "orbiton3d --headless"; STEER stands
# for the steering script.

# Flights: the ball's position and velocity every frame (--trace), and the
# game's events (--events).
pinned_traces=(
  "level1_steered --level 1 --frames 1200 --no-draw --script STEER"
  "level8_steered --level 8 --frames 1200 --no-draw --script STEER"
  "level12_steered --level 12 --frames 1200 --no-draw --script STEER"
  "level1_attract --level 1 --frames 3000 --no-draw --demo"
  "level12_attract --level 12 --frames 3000 --no-draw --demo"
)

# The bundled levels as the checker is given them, from the source tree.
pinned_check_files() {
  local n=1
  while [ -e "levels/$n.lvl" ]; do
    echo "levels/$n.lvl"
    n=$((n + 1))
  done
}

# Pictures (--screenshot, 800x600): bricks hit, and bricks fading in front of the ball.
pinned_frames=(
  "level1_frame150 --level 1 --frames 150 --script STEER"
  "level8_frame150 --level 8 --frames 150 --script STEER"
  "level12_frame150 --level 12 --frames 150 --script STEER"
  "level12_frame420 --level 12 --frames 420 --script STEER"
)
