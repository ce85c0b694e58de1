// SPDX-FileCopyrightText: 2026 The Orbiton 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "world/brick_shell.h"

#include "geometry/octahedron.h"

namespace orbiton {

std::uint64_t shellBrickCount(int depth, unsigned faceMask, unsigned subMask) {
    if (depth < 1)
        return 0;
    int faces = __builtin_popcount(faceMask & 0xFF);
    int parts = __builtin_popcount(subMask & 0xF);
    std::uint64_t perFace = 1;
    for (int i = 0; i < depth && perFace != 0; ++i) {
        perFace *= std::uint64_t(parts);
        if (perFace > (UINT64_MAX >> 8) / 4)
            return UINT64_MAX;
    }
    return perFace * std::uint64_t(faces);
}

void addShell(BrickList& bricks, int depth, float firstRadius, float secondRadius,
              unsigned faceMask, unsigned subMask, const std::string& materialName) {
    if (depth < 1)
        return; // the split would never reach its last level
    for (const OctahedronFace& f : octahedronFaces) {
        if (!(faceMask & f.maskBit))
            continue;
        subdivideShellFace(bricks, depth, firstRadius, secondRadius, subMask, materialName,
                           octahedronCorners[f.inwardOrder[0]], octahedronCorners[f.inwardOrder[1]],
                           octahedronCorners[f.inwardOrder[2]]);
    }
}

void subdivideShellFace(BrickList& bricks, int depth, float r1, float r2, unsigned subMask,
                        const std::string& name, const Vec3& a, const Vec3& b, const Vec3& c) {
    Vec3 mab = midpoint(a, b);
    Vec3 mbc = midpoint(b, c);
    Vec3 mca = midpoint(c, a);
    normalise(mab);
    normalise(mbc);
    normalise(mca);
    const struct {
        unsigned bit;
        const Vec3 *p, *q, *r;
    } parts[] = {
        {1, &a, &mab, &mca}, {2, &mab, &b, &mbc}, {4, &mca, &mbc, &c}, {8, &mab, &mbc, &mca}};
    --depth;
    for (const auto& part : parts) {
        if (!(subMask & part.bit))
            continue;
        if (depth <= 0)
            bricks.push_back(std::make_unique<Brick>(*part.p * r1, *part.q * r1, *part.r * r1,
                                                     *part.p * r2, *part.q * r2, *part.r * r2,
                                                     name));
        else
            subdivideShellFace(bricks, depth, r1, r2, subMask, name, *part.p, *part.q, *part.r);
    }
}

} // namespace orbiton
