// SPDX-FileCopyrightText: 2026 The Orbiton 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// The game's geometric rules written out a second time, for tests to hold the
// game's code against bit for bit. Nothing here includes or calls the game's
// code: its own vector type, its own arithmetic, and every point where a rule
// rounds to float is a store through a volatile float, which no optimiser may
// drop. A change to the game's code can therefore never move both sides.

#include <array>
#include <cstdint>
#include <vector>

namespace orbiton::reference {

struct RVec {
    float x = 0.0f, y = 0.0f, z = 0.0f;
};

// A double rounded to float where the rules store a value.
float toFloat(double d);

RVec add(const RVec& a, const RVec& b);
RVec sub(const RVec& a, const RVec& b);
RVec scale(const RVec& v, float s);
double dot(const RVec& a, const RVec& b);
RVec cross(const RVec& u, const RVec& w);
double length(const RVec& v);
RVec midpoint(const RVec& a, const RVec& b);
RVec normalise(RVec& v);

RVec closestPointOnSegment(const RVec& a, const RVec& b, const RVec& p);
bool intersectSegmentPlane(const RVec& q, const RVec& n, const RVec& s, const RVec& v, RVec& out);
double raySphereDistance(const RVec& origin, const RVec& direction, const RVec& centre,
                         double radius);
bool pointInTriangle(const RVec& p, const RVec& a, const RVec& b, const RVec& c);
RVec closestPointOnTriangle(const RVec& a, const RVec& b, const RVec& c, const RVec& p);
// The two bounds of the angle sum: 2 pi -/+ 0.0001, pi the float 3.1415927.
float angleSumLow();
float angleSumHigh();

using Tri = std::array<std::uint16_t, 3>;

struct RMesh {
    std::vector<RVec> vertices;
    std::vector<Tri> triangles;
    std::vector<RVec> faceNormals;
    std::vector<RVec> vertexNormals;
    RVec min, max, centre, size;
    float extent = 0.0f;
};

// Face normals, vertex normals (zero for a vertex no triangle uses) and
// bounds, from vertices and triangles.
void finishMesh(RMesh& m);
// Vertex normals alone, by a scan of every triangle for every vertex.
std::vector<RVec> scannedVertexNormals(const RMesh& m);

RMesh sphere(int depth, float radius, bool outward, unsigned faceMask);
RMesh prism(const std::array<RVec, 6>& corners);

struct RBrick {
    std::array<RVec, 6> corners;
    RMesh mesh;
};
// The bricks of one shell line, in creation order.
std::vector<RBrick> shell(int depth, float r1, float r2, unsigned faceMask, unsigned subMask);

} // namespace orbiton::reference
