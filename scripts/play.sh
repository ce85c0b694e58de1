#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Orbiton 3D developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Starts the game from a build tree.
set -euo pipefail
build_dir=${1:-build/release}
exec "$build_dir/orbiton3d"
