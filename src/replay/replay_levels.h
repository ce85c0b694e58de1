// SPDX-FileCopyrightText: 2026 The Orbiton 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <string>
#include <vector>

#include "replay/replay_file.h"

namespace orbiton {

// The level files of a level folder now (1.lvl, 2.lvl, ...), each with its
// size and hash, in rising order.
std::vector<ReplayLevel> replayLevelsIn(const std::string& directory);

// Why a folder's levels are not the ones a replay was recorded with (the
// first difference), or an empty string when they are the same.
std::string replayLevelsDiffer(const std::vector<ReplayLevel>& recorded,
                               const std::vector<ReplayLevel>& now, const std::string& directory);

} // namespace orbiton
