// SPDX-FileCopyrightText: 2026 The Orbiton 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "geometry/mesh.h"

namespace orbiton {

// A brick's closed surface: caps 0-1-2 and 3-4-5, side edges 0-3, 1-4, 2-5,
// eight triangles. Outward normals when 0, 1, 2 run counter-clockwise seen
// from the side away from 3, 4, 5.
class PrismMesh : public Mesh {
  public:
    PrismMesh(const Vec3& c0, const Vec3& c1, const Vec3& c2, const Vec3& c3, const Vec3& c4,
              const Vec3& c5);
    ~PrismMesh() override = default;
};

} // namespace orbiton
