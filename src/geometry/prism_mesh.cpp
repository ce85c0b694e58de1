// SPDX-FileCopyrightText: 2026 The Orbiton 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "geometry/prism_mesh.h"

namespace orbiton {

PrismMesh::PrismMesh(const Vec3& c0, const Vec3& c1, const Vec3& c2, const Vec3& c3, const Vec3& c4,
                     const Vec3& c5) {
    vertices = {c0, c1, c2, c3, c4, c5};
    // Caps first, then each side quad split along a diagonal.
    triangles = {{3, 5, 4}, {0, 1, 2}, {3, 0, 2}, {3, 2, 5},
                 {5, 2, 1}, {5, 1, 4}, {4, 0, 3}, {4, 1, 0}};
    computeNormals();
    computeBounds();
}

} // namespace orbiton
