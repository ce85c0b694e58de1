// SPDX-FileCopyrightText: 2026 The Orbiton 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "support/reference.h"

#include <cmath>
#include <map>
#include <tuple>

namespace orbiton::reference {

float toFloat(double d) {
    volatile float f = float(d);
    return f;
}

RVec add(const RVec& a, const RVec& b) {
    return {toFloat(double(a.x) + double(b.x)), toFloat(double(a.y) + double(b.y)),
            toFloat(double(a.z) + double(b.z))};
}

RVec sub(const RVec& a, const RVec& b) {
    return {toFloat(double(a.x) - double(b.x)), toFloat(double(a.y) - double(b.y)),
            toFloat(double(a.z) - double(b.z))};
}

RVec scale(const RVec& v, float s) {
    return {toFloat(double(v.x) * double(s)), toFloat(double(v.y) * double(s)),
            toFloat(double(v.z) * double(s))};
}

double dot(const RVec& a, const RVec& b) {
    return double(a.x) * double(b.x) + double(a.y) * double(b.y) + double(a.z) * double(b.z);
}

RVec cross(const RVec& u, const RVec& w) {
    return {toFloat(double(u.y) * double(w.z) - double(u.z) * double(w.y)),
            toFloat(double(u.z) * double(w.x) - double(u.x) * double(w.z)),
            toFloat(double(u.x) * double(w.y) - double(u.y) * double(w.x))};
}

double length(const RVec& v) {
    return std::sqrt(dot(v, v));
}

RVec midpoint(const RVec& a, const RVec& b) {
    return {toFloat((double(a.x) + double(b.x)) * 0.5), toFloat((double(a.y) + double(b.y)) * 0.5),
            toFloat((double(a.z) + double(b.z)) * 0.5)};
}

RVec normalise(RVec& v) {
    if (v.x == 0.0f && v.y == 0.0f && v.z == 0.0f)
        return v;
    const double sum =
        double(v.x) * double(v.x) + double(v.y) * double(v.y) + double(v.z) * double(v.z);
    const double inv = 1.0 / std::sqrt(sum);
    v.x = toFloat(double(v.x) * inv);
    v.y = toFloat(double(v.y) * inv);
    v.z = toFloat(double(v.z) * inv);
    return v;
}

RVec closestPointOnSegment(const RVec& a, const RVec& b, const RVec& p) {
    const RVec d = sub(b, a);
    const RVec w = sub(p, a);
    const float segLenSq = toFloat(dot(d, d));
    RVec u = d;
    normalise(u);
    const float t = toFloat(dot(w, u));
    if (t < 0.0f)
        return a;
    if (std::sqrt(double(segLenSq)) < double(t))
        return b;
    const double len = length(u);
    if (len == 0.0)
        return a; // a segment of one point
    const double k = double(t) / len;
    return {toFloat(double(a.x) + double(u.x) * k), toFloat(double(a.y) + double(u.y) * k),
            toFloat(double(a.z) + double(u.z) * k)};
}

bool intersectSegmentPlane(const RVec& q, const RVec& n, const RVec& s, const RVec& v, RVec& out) {
    const double t = dot(sub(q, s), n) / dot(v, n);
    if (t > 1.0 || t < 0.0 || std::isnan(t))
        return false;
    out = {toFloat(double(s.x) + t * double(v.x)), toFloat(double(s.y) + t * double(v.y)),
           toFloat(double(s.z) + t * double(v.z))};
    return true;
}

double raySphereDistance(const RVec& origin, const RVec& direction, const RVec& centre,
                         double radius) {
    const RVec l = sub(centre, origin);
    const double dist = length(l);
    const double tca = dot(l, direction);
    const double q = radius * radius - (dist * dist - tca * tca);
    if (q < 0.0)
        return -1.0;
    return tca - ((q + 6.0) * q + 1.0) / ((q + 1.0) * 4.0);
}

float angleSumLow() {
    return toFloat(2.0 * double(3.1415927f) - 0.0001);
}

float angleSumHigh() {
    return toFloat(2.0 * double(3.1415927f) + 0.0001);
}

bool pointInTriangle(const RVec& p, const RVec& a, const RVec& b, const RVec& c) {
    const RVec va = sub(a, p), vb = sub(b, p), vc = sub(c, p);
    const float invC = toFloat(1.0 / length(vc));
    const float invB = toFloat(1.0 / length(vb));
    const float lenA = toFloat(length(va));
    const double t1 = std::acos((dot(vc, va) / double(lenA)) * double(invC));
    const double t2 = std::acos(dot(vc, vb) * double(invB) * double(invC));
    const double t3 = std::acos((dot(vb, va) / double(lenA)) * double(invB));
    const double sum = t1 + t2 + t3;
    if (std::isnan(sum))
        return false;
    return double(angleSumLow()) < sum && sum < double(angleSumHigh());
}

RVec closestPointOnTriangle(const RVec& a, const RVec& b, const RVec& c, const RVec& p) {
    if (pointInTriangle(p, a, b, c))
        return p;
    const RVec qab = closestPointOnSegment(a, b, p);
    const RVec qbc = closestPointOnSegment(b, c, p);
    const RVec qca = closestPointOnSegment(c, a, p);
    const RVec dab = sub(qab, p), dbc = sub(qbc, p), dca = sub(qca, p);
    const double eab = dot(dab, dab), ebc = dot(dbc, dbc), eca = dot(dca, dca);
    if (eab < ebc)
        return eab < eca ? qab : qca;
    return ebc < eca ? qbc : qca;
}

namespace {

RVec faceNormal(const RMesh& m, const Tri& t) {
    RVec n =
        cross(sub(m.vertices[t[0]], m.vertices[t[1]]), sub(m.vertices[t[1]], m.vertices[t[2]]));
    normalise(n);
    return n;
}

RVec averaged(RVec sum, unsigned count) {
    if (count == 0)
        return RVec{};
    const float s = toFloat(1.0 / double(count));
    RVec n = scale(sum, s);
    normalise(n);
    return n;
}

bool uses(const Tri& t, std::size_t i) {
    return t[0] == i || t[1] == i || t[2] == i;
}

} // namespace

std::vector<RVec> scannedVertexNormals(const RMesh& m) {
    std::vector<RVec> out;
    for (std::size_t i = 0; i < m.vertices.size(); ++i) {
        RVec sum;
        unsigned count = 0;
        for (std::size_t t = 0; t < m.triangles.size(); ++t)
            if (uses(m.triangles[t], i)) {
                sum = add(sum, m.faceNormals[t]);
                ++count;
            }
        out.push_back(averaged(sum, count));
    }
    return out;
}

void finishMesh(RMesh& m) {
    for (const Tri& t : m.triangles)
        m.faceNormals.push_back(faceNormal(m, t));
    // Each vertex's triangles in ascending order, found in one pass: the
    // same sums as the scan, without its cost on the larger spheres.
    std::vector<std::vector<std::size_t>> users(m.vertices.size());
    for (std::size_t t = 0; t < m.triangles.size(); ++t) {
        const Tri& tri = m.triangles[t];
        for (int c = 0; c < 3; ++c)
            if (users[tri[c]].empty() || users[tri[c]].back() != t) // once per triangle
                users[tri[c]].push_back(t);
    }
    for (std::size_t i = 0; i < m.vertices.size(); ++i) {
        RVec sum;
        for (std::size_t t : users[i])
            sum = add(sum, m.faceNormals[t]);
        m.vertexNormals.push_back(averaged(sum, unsigned(users[i].size())));
    }
    const float big = 3.4028235e38f;
    m.min = {big, big, big};
    m.max = {-big, -big, -big};
    for (const RVec& v : m.vertices) {
        if (v.x < m.min.x)
            m.min.x = v.x;
        if (v.y < m.min.y)
            m.min.y = v.y;
        if (v.z < m.min.z)
            m.min.z = v.z;
        if (v.x > m.max.x)
            m.max.x = v.x;
        if (v.y > m.max.y)
            m.max.y = v.y;
        if (v.z > m.max.z)
            m.max.z = v.z;
    }
    m.size = sub(m.max, m.min);
    m.centre = add(m.min, scale(m.size, 0.5f));
    m.extent = m.size.x < m.size.y ? m.size.y : m.size.x;
    if (m.extent < m.size.z)
        m.extent = m.size.z;
}

namespace {

const RVec kCorners[6] = {{0, 1, 0}, {0, -1, 0}, {1, 0, 0}, {-1, 0, 0}, {0, 0, 1}, {0, 0, -1}};
// Face k, selected by bit 0x80 >> k, its corners counter-clockwise seen from
// the centre; the outward order swaps the last two.
const int kInward[8][3] = {{0, 2, 4}, {0, 4, 3}, {0, 3, 5}, {0, 5, 2},
                           {1, 4, 2}, {1, 3, 4}, {1, 5, 3}, {1, 2, 5}};

struct KeyLess {
    bool operator()(const RVec& a, const RVec& b) const {
        if (a.x != b.x)
            return a.x < b.x;
        if (a.y != b.y)
            return a.y < b.y;
        return a.z < b.z;
    }
};

struct SphereBuild {
    std::map<RVec, int, KeyLess> index;
    std::vector<Tri> triangles;

    std::uint16_t number(const RVec& p) const { return std::uint16_t(index.at(p)); }

    void subdivide(int d, const RVec& a, const RVec& b, const RVec& c) {
        RVec mab = midpoint(a, b), mbc = midpoint(b, c), mca = midpoint(a, c);
        normalise(mab);
        normalise(mbc);
        normalise(mca);
        for (const RVec& p : {mab, mbc, mca})
            if (index.find(p) == index.end()) {
                const int next = int(index.size());
                index.emplace(p, next);
            }
        const RVec parts[4][3] = {{a, mab, mca}, {mab, b, mbc}, {mca, mbc, c}, {mab, mbc, mca}};
        for (const auto& part : parts) {
            if (d == 1)
                triangles.push_back({number(part[0]), number(part[1]), number(part[2])});
            else
                subdivide(d - 1, part[0], part[1], part[2]);
        }
    }
};

void shellFace(std::vector<RBrick>& out, int depth, float r1, float r2, unsigned subMask,
               const RVec& a, const RVec& b, const RVec& c) {
    RVec mab = midpoint(a, b), mbc = midpoint(b, c), mca = midpoint(c, a);
    normalise(mab);
    normalise(mbc);
    normalise(mca);
    const RVec parts[4][3] = {{a, mab, mca}, {mab, b, mbc}, {mca, mbc, c}, {mab, mbc, mca}};
    const unsigned bits[4] = {1, 2, 4, 8};
    --depth;
    for (int k = 0; k < 4; ++k) {
        if (!(subMask & bits[k]))
            continue;
        const RVec* p = parts[k];
        if (depth == 0) {
            RBrick brick;
            brick.corners = {scale(p[0], r1), scale(p[1], r1), scale(p[2], r1),
                             scale(p[0], r2), scale(p[1], r2), scale(p[2], r2)};
            brick.mesh = prism(brick.corners);
            out.push_back(brick);
        } else {
            shellFace(out, depth, r1, r2, subMask, p[0], p[1], p[2]);
        }
    }
}

} // namespace

RMesh sphere(int depth, float radius, bool outward, unsigned faceMask) {
    SphereBuild build;
    for (int i = 0; i < 6; ++i)
        build.index.emplace(kCorners[i], i);
    for (int k = 0; k < 8; ++k) {
        if (!(faceMask & (0x80u >> k)))
            continue;
        const int* f = kInward[k];
        if (outward)
            build.subdivide(depth, kCorners[f[0]], kCorners[f[2]], kCorners[f[1]]);
        else
            build.subdivide(depth, kCorners[f[0]], kCorners[f[1]], kCorners[f[2]]);
    }
    RMesh m;
    m.vertices.resize(build.index.size());
    for (const auto& [p, n] : build.index)
        m.vertices[std::size_t(n)] = scale(p, radius);
    m.triangles = build.triangles;
    finishMesh(m);
    return m;
}

RMesh prism(const std::array<RVec, 6>& c) {
    RMesh m;
    m.vertices.assign(c.begin(), c.end());
    m.triangles = {Tri{3, 5, 4}, Tri{0, 1, 2}, Tri{3, 0, 2}, Tri{3, 2, 5},
                   Tri{5, 2, 1}, Tri{5, 1, 4}, Tri{4, 0, 3}, Tri{4, 1, 0}};
    finishMesh(m);
    return m;
}

std::vector<RBrick> shell(int depth, float r1, float r2, unsigned faceMask, unsigned subMask) {
    std::vector<RBrick> out;
    if (depth < 1)
        return out;
    for (int k = 0; k < 8; ++k)
        if (faceMask & (0x80u >> k))
            shellFace(out, depth, r1, r2, subMask, kCorners[kInward[k][0]], kCorners[kInward[k][1]],
                      kCorners[kInward[k][2]]);
    return out;
}

} // namespace orbiton::reference
