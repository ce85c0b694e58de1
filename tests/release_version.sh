#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Orbiton 3D developers
# SPDX-License-Identifier: GPL-3.0-or-later
# The version is written once, in CMakeLists.txt (the program, the package
# and the Windows resources take it from there); the files that must say it
# in their own format say the same: the Debian changelog's newest entry, the
# AppStream metadata's newest release and the manual page's header.
#   release_version.sh VERSION SRC_DIR
set -euo pipefail
version=$1
src=$2
bad=0
check() {
  if [ "$2" != "$version" ]; then
    echo "$1 says ${2:-nothing}, CMakeLists.txt $version"
    bad=1
  fi
}
check data/changelog "$(sed -n '1s/^orbiton3d (\([^)]*\)).*/\1/p' "$src/data/changelog")"
check "data/org.orbiton3d.orbiton3d.metainfo.xml" \
  "$(grep -m1 -o '<release version="[^"]*"' "$src/data/org.orbiton3d.orbiton3d.metainfo.xml" | cut -d'"' -f2)"
check data/orbiton3d.6 "$(sed -n 's/^\.TH .*"orbiton3d \([^"]*\)".*/\1/p' "$src/data/orbiton3d.6")"
[ "$bad" = 0 ] && echo "PASS: changelog, metadata and manual page all say $version"
exit "$bad"
