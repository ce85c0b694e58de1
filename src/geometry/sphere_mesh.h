// SPDX-FileCopyrightText: 2026 The Orbiton 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <cstdint>
#include <cstring>
#include <unordered_map>

#include "geometry/mesh.h"

namespace orbiton {

// A sphere, or any choice of its eight octants, made by splitting the faces of
// an octahedron at their edge midpoints `depth` times.
class SphereMesh : public Mesh {
  public:
    // Why a sphere could not be built. Such a mesh is left empty.
    enum class Problem {
        None,
        BadDepth,        // depth 0 or below -1: the split would never end
        TooManyVertices, // more than 16-bit vertex numbers can address
    };

    // Depth -1 gives an empty mesh; only the low 8 bits of faceMask count.
    SphereMesh(int depth, float radius, bool outward, unsigned faceMask);
    ~SphereMesh() override = default;

    // Vertex count of a sphere with these parameters (the six corners always
    // included), without building it; 0 for depth -1. Exact for depth >= 1.
    static std::uint64_t vertexCount(int depth, unsigned faceMask);
    // The problem a SphereMesh with these parameters would meet.
    static Problem check(int depth, unsigned faceMask);

    Problem problem = Problem::None;

  private:
    // Positions are one key when they compare equal on every axis, +0 and -0
    // included; the numbers come from the order of first entry, so the map's
    // own order never shows.
    struct KeyEqual {
        bool operator()(const Vec3& a, const Vec3& b) const { return a == b; }
    };
    struct KeyHash {
        std::size_t operator()(const Vec3& v) const {
            auto bits = [](float f) {
                f = f == 0.0f ? 0.0f : f; // -0 hashes as +0
                std::uint32_t u;
                std::memcpy(&u, &f, sizeof u);
                return std::size_t(u);
            };
            return bits(v.x) * 0x9E3779B97F4A7C15ull ^ bits(v.y) * 0xC2B2AE3D27D4EB4Full ^
                   bits(v.z) * 0x165667B19E3779F9ull;
        }
    };
    using VertexIndex = std::unordered_map<Vec3, std::int32_t, KeyHash, KeyEqual>;

    void buildSphere(int depth, float radius, bool outward, unsigned faceMask);
    // A unit position with its vertex number, so leaves need no lookup.
    struct Corner {
        Vec3 position;
        std::uint16_t number;
    };

    void subdivideFace(VertexIndex& vertexIndex, int d, const Corner& a, const Corner& b,
                       const Corner& c);
};

} // namespace orbiton
