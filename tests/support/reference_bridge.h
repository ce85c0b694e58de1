// SPDX-FileCopyrightText: 2026 The Orbiton 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// Between the game's values and the reference's: copies, bit for bit, and
// comparisons of the bits. No arithmetic.

#include <cstring>
#include <string>
#include <vector>

#include "geometry/mesh.h"
#include "objects/scene_object.h"
#include "support/reference.h"
#include "support/reference_flight.h"

namespace orbiton::reference {

inline RVec toR(const Vec3& v) {
    return RVec{v.x, v.y, v.z};
}

inline Vec3 fromR(const RVec& v) {
    return Vec3(v.x, v.y, v.z);
}

inline std::vector<RVec> toR(const std::vector<Vec3>& vs) {
    std::vector<RVec> out;
    out.reserve(vs.size());
    for (const Vec3& v : vs)
        out.push_back(toR(v));
    return out;
}

inline RMesh toR(const Mesh& m) {
    RMesh r;
    r.vertices = toR(m.vertices);
    r.faceNormals = toR(m.faceNormals);
    r.vertexNormals = toR(m.vertexNormals);
    r.triangles.assign(m.triangles.begin(), m.triangles.end());
    r.min = toR(m.bounds.min);
    r.max = toR(m.bounds.max);
    r.centre = toR(m.bounds.centre);
    r.size = toR(m.bounds.size);
    r.extent = m.bounds.extent;
    return r;
}

inline Obstacle obstacleOf(const SceneObject& o, int id = -1) {
    Obstacle r;
    const Mesh& m = *o.shape;
    r.vertices = toR(m.vertices);
    r.faceNormals = toR(m.faceNormals);
    r.triangles.assign(m.triangles.begin(), m.triangles.end());
    r.velocity = toR(o.velocity);
    r.mass = o.mass;
    r.id = id;
    return r;
}

inline bool sameBits(float a, float b) {
    return std::memcmp(&a, &b, sizeof a) == 0;
}

inline bool sameBits(const RVec& a, const RVec& b) {
    return sameBits(a.x, b.x) && sameBits(a.y, b.y) && sameBits(a.z, b.z);
}

inline bool sameBits(const Vec3& a, const RVec& b) {
    return sameBits(toR(a), b);
}

// Where two lists first differ ("" when they are the same bit for bit).
inline std::string firstDifference(const std::vector<RVec>& a, const std::vector<RVec>& b) {
    if (a.size() != b.size())
        return "sizes " + std::to_string(a.size()) + " and " + std::to_string(b.size());
    for (std::size_t i = 0; i < a.size(); ++i)
        if (!sameBits(a[i], b[i]))
            return "entry " + std::to_string(i);
    return "";
}

// Every field of two meshes ("" when the same bit for bit).
inline std::string firstDifference(const RMesh& a, const RMesh& b) {
    if (a.triangles != b.triangles)
        return "triangles";
    const struct {
        const char* name;
        const std::vector<RVec>& x;
        const std::vector<RVec>& y;
    } lists[] = {{"vertices", a.vertices, b.vertices},
                 {"face normals", a.faceNormals, b.faceNormals},
                 {"vertex normals", a.vertexNormals, b.vertexNormals}};
    for (const auto& l : lists) {
        const std::string d = firstDifference(l.x, l.y);
        if (!d.empty())
            return std::string(l.name) + ", " + d;
    }
    if (!sameBits(a.min, b.min) || !sameBits(a.max, b.max) || !sameBits(a.centre, b.centre) ||
        !sameBits(a.size, b.size) || !sameBits(a.extent, b.extent))
        return "bounds";
    return "";
}

} // namespace orbiton::reference
