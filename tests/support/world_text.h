// SPDX-FileCopyrightText: 2026 The Orbiton 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <memory>
#include <sstream>
#include <string>

#include "world/world.h"

namespace orbiton {

// A World read from level text, its lists left for the test to build.
inline std::unique_ptr<World> worldFrom(const std::string& text, GameCounters& counters) {
    std::istringstream in(text);
    return std::make_unique<World>(in, "test.lvl", &counters, World::Lists::Defer);
}

} // namespace orbiton
