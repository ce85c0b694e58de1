// SPDX-FileCopyrightText: 2026 The Orbiton 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <vector>

#include "geometry/vec3.h"

namespace orbiton {

class TriangleIndex;

struct BoundingBox {
    Vec3 min;
    Vec3 max;
    Vec3 centre;
    Vec3 size;
    float extent = 0.0f;

    BoundingBox() = default;
    BoundingBox(const Vec3& min_, const Vec3& max_) : min(min_), max(max_) { refit(); }

    // size, then centre, then extent (the largest side) from min and max.
    void refit();
};

using Triangle = std::array<std::uint16_t, 3>;

// A triangle surface: what a solid object draws and what the ball collides
// with. Vertex numbers are 16-bit, so a mesh holds at most 65,536 vertices.
class Mesh {
  public:
    static constexpr std::size_t kMaxVertices = 65536;

    Mesh();
    virtual ~Mesh();

    // Appends one face normal per triangle, then one vertex normal per vertex;
    // run once, after the vertices and triangles are complete.
    virtual void computeNormals();
    // Widens bounds to every vertex and refits it.
    virtual void computeBounds();

    std::vector<Vec3> vertices;
    std::vector<Vec3> vertexNormals;
    std::vector<Vec3> faceNormals;
    std::vector<Triangle> triangles;
    BoundingBox bounds;

    // A spatial index of the triangles, for meshes that no longer change;
    // null until buildIndex.
    void buildIndex();
    const TriangleIndex* index() const { return triangleIndex.get(); }

  private:
    std::unique_ptr<TriangleIndex> triangleIndex;
};

} // namespace orbiton
