// SPDX-FileCopyrightText: 2026 The Orbiton 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <cstdint>
#include <vector>

#include "world/brick_shell.h"

namespace orbiton {

// A uniform grid over the arena's cube for finding the bricks near the ball
// without walking them all. It answers in brick-list order, so the first
// brick that passes the ball's test among its answers is the one the walk
// of the whole list would find. Bricks reaching outside the cube are always
// answered.
class BrickIndex {
  public:
    void build(const BrickList& bricks);
    // Forgets a brick before it is destroyed.
    void remove(const Brick* brick);
    // The bricks whose widened boxes reach within radius of centre, in list order.
    void near(const Vec3& centre, float radius, std::vector<Brick*>& out) const;

  private:
    struct Entry {
        std::uint32_t sequence; // position in the list when built: list order
        Brick* brick;           // null once removed
    };
    struct Box {
        float min[3];
        float max[3];
    };

    bool cellRange(const Box& box, int lo[3], int hi[3]) const;

    static constexpr float kHalfWidth = 1.0f; // the grid covers [-1, 1] on each axis
    int dims = 1;
    float cellSize = 2.0f;
    std::vector<std::uint32_t> cellStart; // entries of cell c: [cellStart[c], cellStart[c + 1])
    std::vector<Entry> entries;
    std::vector<Entry> outside; // always answered
    std::vector<Box> boxes;     // by sequence
    std::vector<Brick*> bySequence;
    mutable std::vector<std::uint32_t> found; // scratch of near(): no allocation per step
};

} // namespace orbiton
