// SPDX-FileCopyrightText: 2026 The Orbiton 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <array>
#include <cstdint>

#include "geometry/vec3.h"

namespace orbiton {

// The seed of every sphere and brick shell: six unit corners on the axes.
extern const std::array<Vec3, 6> octahedronCorners;

struct OctahedronFace {
    std::uint8_t maskBit;            // 0x80 for face 0 down to 0x01 for face 7
    std::array<int, 3> inwardOrder;  // counter-clockwise seen from the centre
    std::array<int, 3> outwardOrder; // counter-clockwise seen from outside
};

extern const std::array<OctahedronFace, 8> octahedronFaces;

} // namespace orbiton
