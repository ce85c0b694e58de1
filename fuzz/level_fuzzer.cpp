// SPDX-FileCopyrightText: 2026 The Orbiton 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later

// libFuzzer target: any bytes as a level file, through the loader and the
// checker's summary, as the game and `orbiton3d --check` read them. No GL.
#include <cstddef>
#include <cstdint>
#include <sstream>
#include <string>

#include "world/level_loader.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace orbiton;
    std::istringstream in(std::string(reinterpret_cast<const char*>(data), size));
    BrickList bricks;
    ObjectList others;
    LevelReport report;
    // Small limits keep every run short, so the fuzzer tries many more
    // inputs; the limit checks themselves are the same code.
    LevelLimits limits;
    limits.bricksPerLine = 128;
    limits.bricksPerLevel = 256;
    limits.arenaTrianglesPerLevel = 1024;
    LevelLoader(bricks, others, report, limits).loadLevel(in);
    // What the World does next with the lists: octant masks, and the sizes
    // the checker prints.
    std::size_t triangles = 0;
    for (auto& o : others) {
        o->computeCollisionMask();
        triangles += o->getShape()->triangles.size();
    }
    for (auto& b : bricks)
        b->computeCollisionMask();
    if (bricks.size() > limits.bricksPerLevel || triangles > limits.arenaTrianglesPerLevel)
        __builtin_trap(); // the loader's limits must hold whatever the input
    return 0;
}
