#!/usr/bin/env bash
# Installs the build into a temporary prefix, then runs the installed game
# headless from an unrelated directory: it must find and play its own levels.
# With --deb, also builds the Debian package and checks its dependencies.
#   install_test.sh BUILD_DIR SOURCE_LEVELS [--deb]
set -euo pipefail
build=$(cd "$1" && pwd)
levels=$(cd "$2" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

cmake --install "$build" --prefix "$work/prefix" >"$work/install.log" || fail "install: $(cat "$work/install.log")"
for f in bin/orbiton3d share/orbiton3d/levels/1.lvl share/applications/orbiton3d.desktop; do
  [ -e "$work/prefix/$f" ] || fail "$f was not installed"
done
# The menu icon at every size the icon theme looks up, each really that size.
for size in 32 48 64 128 256; do
  icon=$work/prefix/share/icons/hicolor/${size}x${size}/apps/orbiton3d.png
  [ -e "$icon" ] || fail "no ${size}x${size} icon"
  [ "$(identify -format '%wx%h' "$icon")" = "${size}x${size}" ] || fail "the ${size}x${size} icon is $(identify -format '%wx%h' "$icon")"
done
[ "$(ls "$work/prefix/share/orbiton3d/levels" | wc -l)" = "$(ls "$levels"/*.lvl | wc -l)" ] ||
  fail "not every level was installed"

mkdir "$work/elsewhere"
cd "$work/elsewhere"
"$work/prefix/bin/orbiton3d" --headless --frames 3 --events events.txt >run.log 2>&1 ||
  fail "the installed game failed: $(cat run.log)"
expected=$("$work/prefix/bin/orbiton3d" --check "$levels/1.lvl" | sed -n 's/.*: \([0-9]*\) bricks,.*/\1/p')
grep -q "^1 level 1 bricks $expected\$" events.txt || fail "level 1 not played: $(cat events.txt)"

if [ "${3:-}" = "--deb" ]; then
  (cd "$build" && cpack -G DEB -B "$work/deb" >"$work/cpack.log" 2>&1) || fail "cpack: $(cat "$work/cpack.log")"
  deb=$(ls "$work"/deb/*.deb | head -n 1)
  info=$(dpkg-deb --info "$deb")
  for dep in libsdl2-2.0-0 libglu1-mesa libfreetype6 libfontconfig1 fonts-liberation2; do
    grep -q "Depends:.*$dep" <<<"$info" || fail "the package does not depend on $dep"
  done
  contents=$(dpkg-deb --contents "$deb")
  grep -q './usr/share/orbiton3d/levels/1.lvl' <<<"$contents" || fail "no levels in the package"
  grep -q './usr/share/icons/hicolor/48x48/apps/orbiton3d.png' <<<"$contents" || fail "no icon in the package"
fi
echo "PASS: installed game plays level 1 ($expected bricks) from an unrelated directory"
