// SPDX-FileCopyrightText: 2026 The Orbiton 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "geometry/vec3.h"

namespace orbiton {

// Squared distance from p to the axis-aligned box [min, max]; 0 inside it.
inline double boxDistanceSquared(const float min[3], const float max[3], const Vec3& p) {
    const float c[3] = {p.x, p.y, p.z};
    double d = 0;
    for (int a = 0; a < 3; ++a) {
        double e = 0;
        if (c[a] < min[a])
            e = double(min[a]) - c[a];
        else if (c[a] > max[a])
            e = double(c[a]) - max[a];
        d += e * e;
    }
    return d;
}

} // namespace orbiton
