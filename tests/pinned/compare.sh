#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Orbiton 3D developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Plays the pinned runs (runs.sh) and compares them with the files an exact
# build made: the traces byte for byte, the pictures pixel for pixel. The
# pictures are skipped, with a message, where the GL driver or the CPU is not
# the one they were drawn with (driver.txt); with ORBITON_REQUIRE_PICTURES=1
# (CI's own machine, whose driver pinned them) such a skip is a failure.
# Usage: compare.sh ORBITON3D GL_DRIVER_INFO SOURCE_DIR
set -euo pipefail
game=$1 driver_info=$2 src=$3
data=$src/tests/data/pinned
steer=$src/tests/data/flights/steer.script
source "$src/tests/pinned/runs.sh"
source "$src/tests/pinned/pictures.sh"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failed=0

args_of() { # the arguments of an entry, STEER replaced
  local entry=${1#* }
  echo "${entry//STEER/$steer}"
}

for entry in "${pinned_traces[@]}"; do
  name=${entry%% *}
  # shellcheck disable=SC2046
  "$game" --headless --levels "$src/levels" $(args_of "$entry") --trace "$work/$name.trace" \
    --events "$work/$name.events" >/dev/null
  for kind in trace events; do
    pinned=$data/${kind/trace/traces}/$name.$kind
    if cmp -s "$work/$name.$kind" "$pinned"; then
      echo "$kind $name: same"
    else
      echo "$kind $name: DIFFERS; first lines that differ:"
      diff "$pinned" "$work/$name.$kind" | head -4 || true
      failed=1
    fi
  done
done
# shellcheck disable=SC2046
(cd "$src" && "$game" --check --verbose $(pinned_check_files) >"$work/check.txt") || true
if cmp -s <(tr -d '\r' <"$work/check.txt") "$data/check.txt"; then
  echo "check: same"
else
  echo "check: DIFFERS"
  diff "$data/check.txt" <(tr -d '\r' <"$work/check.txt") | head -4 || true
  failed=1
fi

"$driver_info" >"$work/driver.txt"
if ! cmp -s "$work/driver.txt" "$data/driver.txt"; then
  echo "pictures skipped: drawn here by"
  sed 's/^/  /' "$work/driver.txt"
  echo "but pinned with"
  sed 's/^/  /' "$data/driver.txt"
  skipped_pictures
else
  for entry in "${pinned_frames[@]}"; do
    name=${entry%% *}
    # shellcheck disable=SC2046
    "$game" --headless --levels "$src/levels" $(args_of "$entry") --screenshot "$work/$name.png" >/dev/null
    same_picture "$data/frames/$name.png" "$work/$name.png" "picture $name"
  done
fi
exit $failed
