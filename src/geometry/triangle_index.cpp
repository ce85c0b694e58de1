// SPDX-FileCopyrightText: 2026 The Orbiton 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "geometry/triangle_index.h"

#include <algorithm>

#include "geometry/box_distance.h"
#include <cmath>

namespace orbiton {

namespace {

constexpr std::uint32_t kLeafSize = 8;
// How far a triangle's box reaches beyond its corners: a part of its size
// (the angle-sum test accepts points about 1e-4 of the size outside) and an
// absolute margin for float rounding.
constexpr float kRelativeMargin = 1e-3f;
constexpr float kAbsoluteMargin = 1e-5f;

} // namespace

TriangleIndex::TriangleIndex(const Mesh& mesh) {
    boxes.reserve(mesh.triangles.size());
    for (const Triangle& t : mesh.triangles) {
        Box b;
        for (int a = 0; a < 3; ++a) {
            b.min[a] = INFINITY;
            b.max[a] = -INFINITY;
        }
        for (std::uint16_t i : t) {
            const float v[3] = {mesh.vertices[i].x, mesh.vertices[i].y, mesh.vertices[i].z};
            for (int a = 0; a < 3; ++a) {
                b.min[a] = std::min(b.min[a], v[a]);
                b.max[a] = std::max(b.max[a], v[a]);
            }
        }
        float size = 0;
        for (int a = 0; a < 3; ++a)
            size = std::max(size, b.max[a] - b.min[a]);
        const float margin = size * kRelativeMargin + kAbsoluteMargin;
        for (int a = 0; a < 3; ++a) {
            b.min[a] -= margin;
            b.max[a] += margin;
        }
        boxes.push_back(b);
    }
    if (!boxes.empty())
        build(0, std::uint32_t(boxes.size()));
}

std::uint32_t TriangleIndex::build(std::uint32_t first, std::uint32_t count) {
    const std::uint32_t at = std::uint32_t(nodes.size());
    nodes.push_back(Node{});
    if (count <= kLeafSize) {
        Box box;
        for (int a = 0; a < 3; ++a) {
            box.min[a] = INFINITY;
            box.max[a] = -INFINITY;
        }
        for (std::uint32_t i = first; i < first + count; ++i)
            for (int a = 0; a < 3; ++a) {
                box.min[a] = std::min(box.min[a], boxes[i].min[a]);
                box.max[a] = std::max(box.max[a], boxes[i].max[a]);
            }
        nodes[at].box = box;
        nodes[at].first = first;
        nodes[at].count = count;
        return at;
    }
    // Halves in list order: a mesh made by subdivision lists each patch's
    // triangles together, so each half is a compact patch already, and no
    // sorting is needed (the answers never depend on the tree's shape).
    const std::uint32_t half = count / 2;
    const std::uint32_t left = build(first, half);
    const std::uint32_t right = build(first + half, count - half);
    for (int a = 0; a < 3; ++a) {
        nodes[at].box.min[a] = std::min(nodes[left].box.min[a], nodes[right].box.min[a]);
        nodes[at].box.max[a] = std::max(nodes[left].box.max[a], nodes[right].box.max[a]);
    }
    nodes[at].right = right;
    return at;
}

void TriangleIndex::near(const Vec3& centre, float radius, std::vector<std::uint32_t>& out) const {
    if (nodes.empty())
        return;
    const std::size_t start = out.size();
    const double r2 = double(radius) * radius;
    std::uint32_t stack[64];
    int top = 0;
    stack[top++] = 0;
    while (top > 0) {
        const Node& n = nodes[stack[--top]];
        if (boxDistanceSquared(n.box.min, n.box.max, centre) > r2)
            continue;
        if (n.count > 0) {
            for (std::uint32_t i = n.first; i < n.first + n.count; ++i)
                if (boxDistanceSquared(boxes[i].min, boxes[i].max, centre) <= r2)
                    out.push_back(i);
        } else {
            stack[top++] = n.right;
            stack[top++] = std::uint32_t(&n - nodes.data()) + 1;
        }
    }
    std::sort(out.begin() + std::ptrdiff_t(start), out.end());
}

} // namespace orbiton
