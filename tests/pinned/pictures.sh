# SPDX-FileCopyrightText: 2026 The Orbiton 3D developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Sourced by the scripts that make and check pictures. The moment of play the
# README shows (docs/level1.png): the arguments after "orbiton3d --headless
# --levels LEVELS".
readme_play_args="--level 1 --frames 150 --script tests/data/flights/steer.script"

# same_picture COMMITTED NEW WHAT: says whether two pictures are the same to
# the last pixel (no fuzz), naming WHAT; sets failed=1 when they are not.
same_picture() {
  local differ
  differ=$(compare -metric AE "$1" "$2" null: 2>&1 || true)
  if [[ $differ == 0 ]]; then
    echo "$3: same"
  else
    echo "$3: $differ pixels differ"
    failed=1
  fi
}

# skipped_pictures: a skipped comparison, already explained by the caller; a
# failure (failed=1) where ORBITON_REQUIRE_PICTURES=1, on the machine whose
# driver drew them.
skipped_pictures() {
  if [[ ${ORBITON_REQUIRE_PICTURES:-0} == 1 ]]; then
    echo "pictures required here (ORBITON_REQUIRE_PICTURES=1): FAILED"
    failed=1
  fi
}
