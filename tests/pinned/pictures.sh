# SPDX-FileCopyrightText: 2026 The Orbiton 3D developers
# SPDX-License-Identifier: GPL-3.0-or-later
# The moment of play the README shows (docs/level1.png): the arguments after
# "orbiton3d --headless --levels LEVELS". Sourced by scripts/make-previews.sh
# and tests/pinned/readme_pictures.sh.
readme_play_args="--level 1 --frames 150 --script tests/data/flights/steer.script"
