#pragma once

#include <cstdint>
#include <map>

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
    struct KeyLess {
        bool operator()(const Vec3& a, const Vec3& b) const {
            if (a.x != b.x)
                return a.x < b.x;
            if (a.y != b.y)
                return a.y < b.y;
            return a.z < b.z;
        }
    };
    using VertexIndex = std::map<Vec3, std::int32_t, KeyLess>;

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
