// SPDX-FileCopyrightText: 2026 The Orbiton 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "geometry/mesh.h"

#include <limits>

#include "geometry/triangle_index.h"

namespace orbiton {

void BoundingBox::refit() {
    size = max - min;
    centre = min + size * 0.5f;
    extent = size.x < size.y ? size.y : size.x;
    if (extent < size.z)
        extent = size.z;
}

Mesh::Mesh() {
    const float big = std::numeric_limits<float>::max();
    bounds = BoundingBox(Vec3(big, big, big), Vec3(-big, -big, -big));
}

Mesh::~Mesh() = default;

void Mesh::buildIndex() {
    triangleIndex = std::make_unique<TriangleIndex>(*this);
}

void Mesh::computeNormals() {
    faceNormals.reserve(faceNormals.size() + triangles.size());
    for (const Triangle& t : triangles) {
        Vec3 u = vertices[t[0]] - vertices[t[1]];
        Vec3 w = vertices[t[1]] - vertices[t[2]];
        Vec3 n = cross(u, w);
        normalise(n);
        faceNormals.push_back(n);
    }

    // A vertex normal averages the normals of the triangles that use the
    // vertex, summed in ascending triangle order. One pass over the triangles
    // forms every sum in exactly that order, without a scan per vertex.
    // Small meshes (every brick) sum on the stack: a level builds thousands.
    constexpr std::size_t kOnStack = 16;
    Vec3 sumsOnStack[kOnStack];
    unsigned countsOnStack[kOnStack] = {};
    std::vector<Vec3> sumsOnHeap;
    std::vector<unsigned> countsOnHeap;
    Vec3* sums = sumsOnStack;
    unsigned* counts = countsOnStack;
    if (vertices.size() > kOnStack) {
        sumsOnHeap.resize(vertices.size());
        countsOnHeap.assign(vertices.size(), 0);
        sums = sumsOnHeap.data();
        counts = countsOnHeap.data();
    }
    for (std::size_t k = 0; k < triangles.size(); ++k) {
        const Triangle& t = triangles[k];
        for (int c = 0; c < 3; ++c) {
            std::uint16_t i = t[c];
            if ((c > 0 && i == t[0]) || (c > 1 && i == t[1]))
                continue; // a triangle counts once per vertex
            sums[i] = sums[i] + faceNormals[k];
            ++counts[i];
        }
    }
    vertexNormals.reserve(vertexNormals.size() + vertices.size());
    for (std::size_t i = 0; i < vertices.size(); ++i) {
        Vec3 n; // a vertex no triangle uses keeps a zero normal
        if (counts[i] > 0) {
            float scale = float(1.0 / counts[i]);
            n = sums[i] * scale;
            normalise(n);
        }
        vertexNormals.push_back(n);
    }
}

void Mesh::computeBounds() {
    for (const Vec3& v : vertices) {
        if (v.x < bounds.min.x)
            bounds.min.x = v.x;
        if (v.y < bounds.min.y)
            bounds.min.y = v.y;
        if (v.z < bounds.min.z)
            bounds.min.z = v.z;
        if (v.x > bounds.max.x)
            bounds.max.x = v.x;
        if (v.y > bounds.max.y)
            bounds.max.y = v.y;
        if (v.z > bounds.max.z)
            bounds.max.z = v.z;
    }
    bounds.refit();
}

} // namespace orbiton
