#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Orbiton 3D developers
# SPDX-License-Identifier: GPL-3.0-or-later
# The replays of real games that replay_e2e.sh recorded on Linux, played
# headless by another build of the game (Windows under Wine, another CPU):
# each must fly the recorded game's trace byte for byte.
#   replay_elsewhere.sh ORBITON3D REPLAY_DIR LEVEL_DIR WHAT
set -euo pipefail
game=$1
dir=$2
levels=$3
what=$4
shopt -s nullglob
replays=("$dir"/*.replay)
fail() { echo "FAIL: $what: $*" >&2; exit 1; }
[ ${#replays[@]} -ge 3 ] || fail "no recorded games in $dir"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
for replay in "${replays[@]}"; do
  name=$(basename "$replay" .replay)
  "$game" --headless --no-draw --levels "$levels" --replay "$replay" --trace "$work/$name.trace" \
    >"$work/log" 2>&1 || fail "the replay $name did not play: $(cat "$work/log")"
  cmp -s "$work/$name.trace" "$dir/$name.live" ||
    fail "the replay $name flies otherwise: $(diff "$work/$name.trace" "$dir/$name.live" | head -4)"
done
echo "PASS: $what: ${#replays[@]} real games recorded on Linux replay to their traces byte for byte"
