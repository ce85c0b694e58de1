#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Orbiton 3D developers
# SPDX-License-Identifier: GPL-3.0-or-later
# The Windows installer, silently under Wine: it installs the game into a
# folder of our choosing (a space in its name) with a Start-menu
# entry and an entry in the system's list of programs; the game starts from
# that entry and finds its levels; the uninstaller takes everything it put
# there away again and leaves a player's own level.
#   windows_installer.sh SETUP.EXE   (WINEPREFIX and DISPLAY set)
set -euo pipefail
setup=$1
drive_c=$(winepath -u 'C:\' 2>/dev/null)
[ -d "$drive_c" ] || { echo "FAIL: no drive C: in $WINEPREFIX" >&2; exit 1; }
# Wine starts no shortcut whose target the system's code page cannot spell
# (Windows does): names in any script are windows_paths.sh's to test.
name="Orbiton 3D"
dir="$drive_c/Games/$name"
menu="$drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs/Orbiton 3D.lnk"
key='HKEY_LOCAL_MACHINE\Software\Microsoft\Windows\CurrentVersion\Uninstall\Orbiton3D'
work=$(mktemp -d)
game_pid=
cleanup() {
  [ -n "$game_pid" ] && kill "$game_pid" 2>/dev/null || true
  rm -rf "$work" "$drive_c/Games"
}
trap cleanup EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }
# The game's entry in the list of programs, as text (empty when there is none):
# exported by regedit, which keeps every character, unlike reg's console output.
registry() {
  rm -f "$work/key.reg"
  wine regedit /E "$(winepath -w "$work/key.reg")" "$key" >/dev/null 2>&1 || true
  [ -f "$work/key.reg" ] && iconv -f UTF-16 -t UTF-8 "$work/key.reg" | tr -d '\r' || true
}
rm -rf "$drive_c/Games"
# The uninstaller runs from a copy in the temporary folder: ~nsuN.tmp.
temp=$(winepath -u "$(wine cmd.exe /c 'echo %TEMP%' 2>/dev/null | tr -d '\r')" 2>/dev/null)
uninstaller_copies() { (cd "$temp" 2>/dev/null && ls -d '~nsu'*.tmp 2>/dev/null) || true; }
copies_before=$(uninstaller_copies)
cp "$setup" "$work/setup.exe"
chmod +x "$work/setup.exe"

# NSIS takes the folder as the rest of the command line, unquoted: Wine joins
# the words back with spaces.
# shellcheck disable=SC2086
wine "$work/setup.exe" /S /D=C:\\Games\\$name || fail "the installer failed"
for f in orbiton3d.exe README.txt LICENSE.txt THIRD-PARTY-NOTICES.txt uninstall.exe levels/1.lvl levels/12.lvl; do
  [ -f "$dir/$f" ] || fail "the installer did not put $f in place"
done
[ -f "$menu" ] || fail "no Start-menu entry"
grep -qF '"UninstallString"="\"C:\\Games\\Orbiton 3D\\uninstall.exe\""' <(registry) ||
  fail "the uninstaller is not in the list of programs: $(registry)"

# Started from elsewhere, the installed game reads its own levels.
(cd "$work" && wine "C:\\Games\\$name\\orbiton3d.exe" --headless --no-draw --frames 2 \
  --events "$(winepath -w "$work/events.txt")") >"$work/log.txt" 2>&1 ||
  fail "the installed game failed: $(cat "$work/log.txt")"
grep -qx "1 level 1 bricks 32" "$work/events.txt" || fail "the installed game did not find its levels"
# From the Start menu, its window opens.
wine start /unix "$menu" >"$work/menu.log" 2>&1 &
timeout 30 xdotool search --sync --onlyvisible --name "^Orbiton 3D$" >/dev/null ||
  fail "the Start-menu entry opened no game window: $(cat "$work/menu.log")"
game_pid=$(pgrep -f 'Games.Orbiton 3D.*orbiton3d.exe' | head -n 1) || true
[ -n "$game_pid" ] && kill "$game_pid"
for _ in $(seq 50); do pgrep -f 'Games.Orbiton 3D.*orbiton3d.exe' >/dev/null || break; sleep 0.1; done

# A level of the player's own, beside the installed ones, must survive.
echo "Shell 1 0" >"$dir/levels/13.lvl"
# shellcheck disable=SC2086
wine "C:\\Games\\$name\\uninstall.exe" /S || fail "the uninstaller failed"
# It runs from a copy of itself, which ends after the start returns.
for _ in $(seq 300); do [ -e "$dir/uninstall.exe" ] || break; sleep 0.1; done
sleep 1
left=$(cd "$dir" && find . -mindepth 1 | sort | tr '\n' ' ')
[ "$left" = "./levels ./levels/13.lvl " ] || fail "the uninstaller left '$left', not only the player's level"
[ ! -e "$menu" ] || fail "the Start-menu entry is still there"
[ -z "$(registry)" ] || fail "the list of programs still has the game: $(registry)"

# Into folders of its own making under one that was there: the uninstaller
# takes the folders it made and leaves the one it found.
mkdir -p "$drive_c/Games"
# The folder in words, each without a space, as the first install passes it.
wine "$work/setup.exe" /S '/D=C:\Games\New' Games '(x86)\Orbiton' 3D || fail "the second install failed"
[ -f "$drive_c/Games/New Games (x86)/$name/orbiton3d.exe" ] || fail "the second install put no game in place"
wine "C:\\Games\\New Games (x86)\\$name\\uninstall.exe" /S || fail "the second uninstaller failed"
for _ in $(seq 300); do [ -e "$drive_c/Games/New Games (x86)" ] || break; sleep 0.1; done
[ ! -e "$drive_c/Games/New Games (x86)" ] ||
  fail "the uninstaller left the folders it made: $(cd "$drive_c/Games" && find . | tr '\n' ' ')"
[ -d "$drive_c/Games" ] || fail "the uninstaller took away a folder that was there before"
# Its copies in the temporary folder go when Windows next starts.
wineboot -r >/dev/null 2>&1 || fail "wineboot -r failed"
[ "$(uninstaller_copies)" = "$copies_before" ] ||
  fail "the uninstaller's copies stay in the temporary folder after a restart: $(uninstaller_copies)"
echo "PASS (Wine): silent install into 'C:\\Games\\$name', the game from there and from the Start menu, uninstall leaving only the player's own level, the folders it made and (after a restart) its temporary copy gone"
