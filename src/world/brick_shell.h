// SPDX-FileCopyrightText: 2026 The Orbiton 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "objects/brick.h"

namespace orbiton {

using BrickList = std::vector<std::unique_ptr<Brick>>;

// How many bricks a shell line makes: per chosen face, k^depth where k is the
// number of chosen parts. 0 for depth below 1; saturates instead of wrapping.
std::uint64_t shellBrickCount(int depth, unsigned faceMask, unsigned subMask);

// Appends the bricks of one shell: every chosen octahedron face (bit 0x80 is
// face 0) split depth times, keeping the parts of subMask at every split
// (1, 2, 4 the corner parts, 8 the middle). A depth below 1 adds nothing.
void addShell(BrickList& bricks, int depth, float firstRadius, float secondRadius,
              unsigned faceMask, unsigned subMask, const std::string& materialName);

// One split of the spherical triangle a, b, c (unit vectors, wound so that
// (b - a) x (c - a) points at the centre); bricks at the last level.
void subdivideShellFace(BrickList& bricks, int depth, float firstRadius, float secondRadius,
                        unsigned subMask, const std::string& materialName, const Vec3& a,
                        const Vec3& b, const Vec3& c);

} // namespace orbiton
