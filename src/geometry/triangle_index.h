// SPDX-FileCopyrightText: 2026 The Orbiton 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <cstdint>
#include <vector>

#include "geometry/mesh.h"

namespace orbiton {

// A bounding-volume hierarchy over a mesh's triangles, for finding the few
// triangles near a point. Each triangle's box is widened a little beyond
// its corners, so a point that rounding or the angle-sum tolerance puts just
// outside a triangle is still found. The mesh must not move afterwards. The
// tree halves the triangle list in its own order, which suits the arena's
// subdivided meshes (their lists keep neighbours together); any other mesh
// gets the same answers, only more slowly.
class TriangleIndex {
  public:
    explicit TriangleIndex(const Mesh& mesh);

    // Appends, in ascending order, the numbers of the triangles whose
    // widened boxes reach within radius of centre.
    void near(const Vec3& centre, float radius, std::vector<std::uint32_t>& out) const;

  private:
    struct Box {
        float min[3];
        float max[3];
    };
    struct Node {
        Box box;
        std::uint32_t first; // leaves: the first of `count` triangles in a row
        std::uint32_t count; // 0 for an inner node, whose children follow
        std::uint32_t right; // inner nodes: the right child (the left is next)
    };

    std::uint32_t build(std::uint32_t first, std::uint32_t count);

    std::vector<Box> boxes; // per triangle
    std::vector<Node> nodes;
};

} // namespace orbiton
