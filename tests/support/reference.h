#pragma once

#include <vector>

#include "geometry/mesh.h"

namespace orbiton::reference {

// Vertex normals by the rule's own words: for every vertex, a scan of every
// triangle in order. O(V*T): the reference the mesh's one-pass version must
// match bit for bit, and the cost benchmarks compare against.
std::vector<Vec3> literalVertexNormals(const Mesh& m);

} // namespace orbiton::reference

namespace orbiton::reference {

// A geodesic sphere built the plain way: an ordered std::map from position to
// vertex number, recursion as written, and the O(V*T) vertex normals.
struct Sphere {
    std::vector<Vec3> vertices;
    std::vector<Triangle> triangles;
    std::vector<Vec3> faceNormals;
    std::vector<Vec3> vertexNormals;
};
Sphere literalSphere(int depth, float radius, bool outward, unsigned faceMask);

} // namespace orbiton::reference
