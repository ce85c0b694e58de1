#!/usr/bin/env bash
# Installs the Debian packages Orbiton 3D needs to build, run and test, but only
# the ones that are missing, so running it again costs nothing.
set -euo pipefail

packages=(
  # build and run
  build-essential cmake pkg-config
  libsdl2-dev libglu1-mesa-dev libgl1-mesa-dev libgl1-mesa-dri libegl-dev libegl-mesa0
  libfreetype-dev libfontconfig-dev fonts-liberation2 libstb-dev libcli11-dev
  # end-to-end tests
  xvfb xauth xdotool x11-utils imagemagick evilwm
  # tests, benchmarks, fuzzing
  googletest libgtest-dev libbenchmark-dev clang
)

# One query for all of them: a second run costs a few milliseconds.
installed=$(dpkg-query -W -f='${Package} ${Status}\n' "${packages[@]}" 2>/dev/null |
  awk '$2 == "install" && $3 == "ok" && $4 == "installed" { print $1 }' || true)
missing=()
for p in "${packages[@]}"; do
  grep -qxF "$p" <<<"$installed" || missing+=("$p")
done

if [[ ${#missing[@]} -eq 0 ]]; then
  exit 0
fi

echo "install-deps: installing ${missing[*]}"
as_root=()
if [[ $(id -u) -ne 0 ]]; then
  command -v sudo >/dev/null || { echo "install-deps: need root or sudo to install: ${missing[*]}" >&2; exit 1; }
  as_root=(sudo)
fi
export DEBIAN_FRONTEND=noninteractive
"${as_root[@]}" apt-get update -qq || true
"${as_root[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
