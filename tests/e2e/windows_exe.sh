#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Orbiton 3D developers
# SPDX-License-Identifier: GPL-3.0-or-later
# The exe a Windows player gets (the zip's; the installer's is the same file):
# without debugging information, which stays in orbiton3d.debug beside the
# build's own exe, linked by name for a debugger; and with the one application
# manifest Windows reads at start (resource 24, number 1): run as the user,
# real pixels on every monitor, long paths, Windows 10 and 11.
#   windows_exe.sh SHIPPED.EXE DEBUG_FILE
set -euo pipefail
exe=$1
debug=$2
fail() { echo "FAIL: $*" >&2; exit 1; }
sections=$(x86_64-w64-mingw32-objdump -h "$exe" | awk '$1 ~ /^[0-9]+$/ {print $2}')
grep -q '^\.debug_' <<<"$sections" && fail "$exe keeps its debugging information: $(tr '\n' ' ' <<<"$sections")"
grep -qx '\.gnu_debuglink' <<<"$sections" || fail "$exe does not name its debugging information"
x86_64-w64-mingw32-objdump -h "$debug" | grep -q ' \.debug_info ' || fail "$debug holds no debugging information"
link=$(x86_64-w64-mingw32-objcopy --dump-section .gnu_debuglink=/dev/stdout "$exe" | tr -d '\0' | head -c 15)
[ "$link" = orbiton3d.debug ] || fail "$exe names '$link' for its debugging information"

resources=$(x86_64-w64-mingw32-windres -J coff -O rc -i "$exe") || fail "no resources in $exe"
[ "$(grep -c 'RT_MANIFEST' <<<"$resources")" = 1 ] || fail "not exactly one manifest in $exe"
grep -qx '1 24 /\* RT_MANIFEST \*/' <<<"$resources" || fail "the manifest is not resource 1"
# The manifest's text, from its quoted lines.
manifest=$(sed -n '/RT_MANIFEST/,/^END/p' <<<"$resources" | sed -n 's/^ *"\(.*\)\\n"$/\1/p' | sed 's/""/"/g')
for wanted in 'requestedExecutionLevel level="asInvoker"' \
  '>PerMonitorV2</dpiAwareness>' '>true/pm</dpiAware>' '>true</longPathAware>' \
  'supportedOS Id="{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}"'; do
  grep -qF "$wanted" <<<"$manifest" || fail "the manifest lacks $wanted: $manifest"
done
echo "PASS: the shipped exe is stripped ($(stat -c %s "$exe") bytes, its debugging information in $(basename "$debug")) and carries its manifest: asInvoker, per-monitor DPI (v2), long paths, Windows 10/11"
