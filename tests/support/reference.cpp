#include "support/reference.h"

namespace orbiton::reference {

std::vector<Vec3> literalVertexNormals(const Mesh& m) {
    std::vector<Vec3> out;
    out.reserve(m.vertices.size());
    for (std::size_t i = 0; i < m.vertices.size(); ++i) {
        Vec3 sum(0, 0, 0);
        int count = 0;
        for (std::size_t t = 0; t < m.triangles.size(); ++t) {
            const Triangle& tri = m.triangles[t];
            if (tri[0] == i || tri[1] == i || tri[2] == i) {
                sum = sum + m.faceNormals[t];
                ++count;
            }
        }
        Vec3 n(0, 0, 0);
        if (count > 0) {
            float scale = float(1.0 / count);
            n = sum * scale;
            normalise(n);
        }
        out.push_back(n);
    }
    return out;
}

} // namespace orbiton::reference

#include <map>

#include "geometry/octahedron.h"

namespace orbiton::reference {

namespace {

struct Less {
    bool operator()(const Vec3& a, const Vec3& b) const {
        if (a.x != b.x)
            return a.x < b.x;
        if (a.y != b.y)
            return a.y < b.y;
        return a.z < b.z;
    }
};
using Index = std::map<Vec3, int, Less>;

void subdivide(Index& index, std::vector<Triangle>& tris, int d, const Vec3& a, const Vec3& b,
               const Vec3& c) {
    Vec3 mab = midpoint(a, b), mbc = midpoint(b, c), mca = midpoint(a, c);
    normalise(mab);
    normalise(mbc);
    normalise(mca);
    for (const Vec3* p : {&mab, &mbc, &mca})
        if (index.find(*p) == index.end())
            index.emplace(*p, int(index.size()));
    if (d == 1) {
        auto n = [&](const Vec3& p) { return std::uint16_t(index.at(p)); };
        tris.push_back({n(a), n(mab), n(mca)});
        tris.push_back({n(mab), n(b), n(mbc)});
        tris.push_back({n(mca), n(mbc), n(c)});
        tris.push_back({n(mab), n(mbc), n(mca)});
        return;
    }
    subdivide(index, tris, d - 1, a, mab, mca);
    subdivide(index, tris, d - 1, mab, b, mbc);
    subdivide(index, tris, d - 1, mca, mbc, c);
    subdivide(index, tris, d - 1, mab, mbc, mca);
}

} // namespace

Sphere literalSphere(int depth, float radius, bool outward, unsigned faceMask) {
    Index index;
    for (int i = 0; i < 6; ++i)
        index.emplace(octahedronCorners[i], i);
    Mesh m;
    for (const OctahedronFace& f : octahedronFaces)
        if (faceMask & f.maskBit) {
            const auto& o = outward ? f.outwardOrder : f.inwardOrder;
            subdivide(index, m.triangles, depth, octahedronCorners[o[0]], octahedronCorners[o[1]],
                      octahedronCorners[o[2]]);
        }
    m.vertices.assign(index.size(), Vec3());
    for (const auto& [p, n] : index)
        m.vertices[n] = p * radius;
    for (const Triangle& t : m.triangles) {
        Vec3 n = cross(m.vertices[t[0]] - m.vertices[t[1]], m.vertices[t[1]] - m.vertices[t[2]]);
        normalise(n);
        m.faceNormals.push_back(n);
    }
    Sphere s;
    s.vertexNormals = literalVertexNormals(m);
    s.vertices = m.vertices;
    s.triangles = m.triangles;
    s.faceNormals = m.faceNormals;
    return s;
}

} // namespace orbiton::reference
