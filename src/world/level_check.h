// SPDX-FileCopyrightText: 2026 The Orbiton 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <ostream>
#include <string>
#include <vector>

namespace orbiton {

// The level linter behind "orbiton3d --check": loads each file as the game
// would, without a window, and prints its problems and a summary line.
// Returns 0 when no file has a problem, 1 otherwise.
int checkLevels(const std::vector<std::string>& files, bool verbose, std::ostream& out);

} // namespace orbiton
