// SPDX-FileCopyrightText: 2026 The Orbiton 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <set>
#include <string>

namespace orbiton {

// Where the game reads its levels: the directory given on the command line;
// else the working directory when it has a 1.lvl; else the installed levels
// next to the executable (../share/orbiton3d/levels); else a levels folder
// beside it (an unpacked archive); else the source tree's levels when run
// from a build tree. Empty means the working directory.
std::string resolveLevelDirectory(const std::string& given);

// The level numbers that have a file in a level directory now ("7.lvl" is 7).
std::set<int> levelsIn(const std::string& directory);

} // namespace orbiton
