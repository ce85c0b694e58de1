// SPDX-FileCopyrightText: 2026 The Orbiton 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <ostream>
#include <string>
#include <vector>

#include "world/level_loader.h"

namespace orbiton {

// The level linter behind "orbiton3d --check": loads each file as the game
// would, without a window, and prints its problems and a summary line.
// Returns 0 when no file has a problem, 1 otherwise. A failed write to out
// ends the check, with its error number in writeError when given (else 0
// there): taken as the write fails, before later files could change errno.
int checkLevels(const std::vector<std::string>& files, bool verbose, std::ostream& out,
                int* writeError = nullptr);

// What loads without complaint yet makes a level that cannot be played out:
// bricks through the centre or without thickness, bricks beyond the arena
// the ball can never reach, no brick at all (line 0: the file as a whole).
std::vector<LevelReport::Problem> unplayable(const LevelReport& report, std::size_t bricks);

} // namespace orbiton
