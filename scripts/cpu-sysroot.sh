#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Orbiton 3D developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Makes a private Debian 12 tree for another CPU: the libraries and headers
# the game and its tests build and run with, fetched by apt for that
# architecture and unpacked with dpkg -x. Nothing is installed on the machine
# itself: its own dpkg never learns of the foreign architecture, so its
# packages' versions never have to match the foreign ones (Debian's security
# archive is not always built for every architecture at once).
#   cpu-sysroot.sh ARCH DIR     ARCH: a Debian architecture (i386, arm64, s390x)
# DIR/root is the tree; a second run with the same package list does nothing.
set -euo pipefail
arch=$1
dir=$(mkdir -p "$2" && cd "$2" && pwd)
packages=(
  libc6-dev libstdc++-12-dev libgtest-dev
  libsdl2-dev libgl-dev libglu1-mesa-dev libegl-dev libegl-mesa0 libgl1-mesa-dri
  libfreetype-dev libfontconfig-dev libstb-dev libcli11-dev
)
stamp="$arch ${packages[*]}"
if [[ -f $dir/root/.orbiton-sysroot && $(cat "$dir/root/.orbiton-sysroot") == "$stamp" ]]; then
  exit 0
fi

apt_dir=$dir/apt
mkdir -p "$apt_dir/lists/partial" "$apt_dir/archives/partial"
: >"$apt_dir/status" # nothing installed: apt fetches every dependency
# The machine's own Debian mirror, its release archive alone: the security
# archive's index for a foreign architecture is sometimes caught mid-sync.
mirror=$(cat /etc/apt/sources.list.d/*.sources 2>/dev/null | awk '/^URIs:/ { print $2 }' |
  grep -v security | head -n 1 || true)
[[ -n $mirror ]] || mirror=$(awk '/^deb / { print $2; exit }' /etc/apt/sources.list 2>/dev/null || true)
[[ -n $mirror ]] || mirror=http://deb.debian.org/debian
echo "deb [signed-by=/usr/share/keyrings/debian-archive-keyring.gpg] $mirror bookworm main" \
  >"$apt_dir/sources.list"
apt_options=(
  -o "Dir::Etc::SourceList=$apt_dir/sources.list" -o "Dir::Etc::SourceParts=$apt_dir/none"
  -o "APT::Architecture=$arch" -o "APT::Architectures::=$arch"
  -o "Dir::State::Lists=$apt_dir/lists" -o "Dir::State::status=$apt_dir/status"
  -o "Dir::Cache=$apt_dir" -o "Dir::Cache::Archives=$apt_dir/archives"
  -o "Debug::NoLocking=1" -o "APT::Sandbox::User=root"
)
echo "cpu-sysroot: fetching the $arch packages"
apt-get "${apt_options[@]}" -qq update
apt-get "${apt_options[@]}" -qq -y --no-install-recommends --download-only install "${packages[@]}" >/dev/null

rm -rf "$dir/root.tmp"
mkdir -p "$dir/root.tmp"
for deb in "$apt_dir"/archives/*.deb; do
  dpkg -x "$deb" "$dir/root.tmp"
done
# Links that name an absolute path point into the machine's own tree: make
# them point within this one.
find "$dir/root.tmp" -type l -lname '/*' | while read -r link; do
  target=$(readlink "$link")
  ln -sfn "$(realpath -m --relative-to="$(dirname "$link")" "$dir/root.tmp$target")" "$link"
done
echo "$stamp" >"$dir/root.tmp/.orbiton-sysroot"
rm -rf "$dir/root"
mv "$dir/root.tmp" "$dir/root"
echo "cpu-sysroot: $arch tree in $dir/root"
