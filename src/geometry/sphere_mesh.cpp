// SPDX-FileCopyrightText: 2026 The Orbiton 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "geometry/sphere_mesh.h"

#include "geometry/octahedron.h"

namespace orbiton {

namespace {

// Deepest split any mask can take: one face at depth 8 has 33,153 vertices,
// at depth 9 already 131,841.
constexpr int kMaxDepth = 8;

} // namespace

std::uint64_t SphereMesh::vertexCount(int depth, unsigned faceMask) {
    if (depth == -1)
        return 0;
    if (depth < 1 || depth > 31)
        return UINT64_MAX;
    // Corners, plus the inner points of every edge that a chosen face uses,
    // plus the inner points of every chosen face.
    std::uint64_t n = std::uint64_t(1) << depth; // segments along an edge
    bool edge[6][6] = {};
    unsigned faces = 0;
    for (const OctahedronFace& f : octahedronFaces) {
        if (!(faceMask & f.maskBit))
            continue;
        ++faces;
        for (int i = 0; i < 3; ++i) {
            int a = f.inwardOrder[i], b = f.inwardOrder[(i + 1) % 3];
            edge[a][b] = edge[b][a] = true;
        }
    }
    unsigned edges = 0;
    for (int a = 0; a < 6; ++a)
        for (int b = a + 1; b < 6; ++b)
            edges += edge[a][b];
    return 6 + edges * (n - 1) + faces * ((n - 1) * (n - 2) / 2);
}

SphereMesh::Problem SphereMesh::check(int depth, unsigned faceMask) {
    if (depth == -1)
        return Problem::None;
    if (depth < 1)
        return Problem::BadDepth;
    if (depth > kMaxDepth || vertexCount(depth, faceMask & 0xFF) > kMaxVertices)
        return Problem::TooManyVertices;
    return Problem::None;
}

SphereMesh::SphereMesh(int depth, float radius, bool outward, unsigned faceMask) {
    problem = check(depth, faceMask);
    if (depth != -1 && problem == Problem::None)
        buildSphere(depth, radius, outward, faceMask & 0xFF);
}

void SphereMesh::buildSphere(int depth, float radius, bool outward, unsigned faceMask) {
    VertexIndex vertexIndex;
    vertexIndex.reserve(std::size_t(vertexCount(depth, faceMask)));
    for (std::int32_t i = 0; i < 6; ++i)
        vertexIndex.emplace(octahedronCorners[i], i);
    for (const OctahedronFace& f : octahedronFaces) {
        if (!(faceMask & f.maskBit))
            continue;
        const std::array<int, 3>& order = outward ? f.outwardOrder : f.inwardOrder;
        Corner a{octahedronCorners[order[0]], std::uint16_t(order[0])};
        Corner b{octahedronCorners[order[1]], std::uint16_t(order[1])};
        Corner c{octahedronCorners[order[2]], std::uint16_t(order[2])};
        subdivideFace(vertexIndex, depth, a, b, c);
    }
    vertices.assign(vertexIndex.size(), Vec3());
    for (const auto& [unit, number] : vertexIndex)
        vertices[number] = unit * radius;
    computeNormals();
    computeBounds();
}

void SphereMesh::subdivideFace(VertexIndex& vertexIndex, int d, const Corner& a, const Corner& b,
                               const Corner& c) {
    auto enter = [&](Vec3 p) {
        normalise(p);
        // A new position takes the next number: the count of entries before it.
        auto it = vertexIndex.emplace(p, std::int32_t(vertexIndex.size())).first;
        return Corner{p, std::uint16_t(it->second)};
    };
    Corner mab = enter(midpoint(a.position, b.position));
    Corner mbc = enter(midpoint(b.position, c.position));
    Corner mca = enter(midpoint(a.position, c.position));
    if (d == 1) {
        triangles.push_back({a.number, mab.number, mca.number});
        triangles.push_back({mab.number, b.number, mbc.number});
        triangles.push_back({mca.number, mbc.number, c.number});
        triangles.push_back({mab.number, mbc.number, mca.number});
        return;
    }
    subdivideFace(vertexIndex, d - 1, a, mab, mca);
    subdivideFace(vertexIndex, d - 1, mab, b, mbc);
    subdivideFace(vertexIndex, d - 1, mca, mbc, c);
    subdivideFace(vertexIndex, d - 1, mab, mbc, mca);
}

} // namespace orbiton
