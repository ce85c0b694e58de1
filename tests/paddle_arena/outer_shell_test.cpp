// SPDX-FileCopyrightText: 2026 The Orbiton 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include <gtest/gtest.h>

#include "paddle_arena/outer_shell.h"

namespace orbiton {
namespace {

TEST(OuterShell, ClosedArenaFacesInwardOnTheRadius) {
    OuterShell s(2, 0.5f, 0xFF);
    const Mesh& m = *s.getShape();
    EXPECT_EQ(m.triangles.size(), 128u);
    for (const Vec3& v : m.vertices)
        EXPECT_NEAR(length(v), 0.5, 1e-6);
    for (std::size_t t = 0; t < m.triangles.size(); ++t)
        EXPECT_LT(dot(m.faceNormals[t], m.vertices[m.triangles[t][0]]), 0.0);
    EXPECT_EQ(s.mass, 1000.0f);
    EXPECT_EQ(s.material, findMaterial("ShinyBlue"));
    EXPECT_EQ(s.position, Vec3(0, 0, 0));
}

TEST(OuterShell, CollisionMasksByDepthAndFaceMask) {
    struct Case {
        int depth;
        unsigned mask;
        std::size_t triangles;
        int collisionMask;
    } cases[] = {
        {2, 0xFF, 128, 255}, // depth 2 has vertices strictly inside every octant
        {1, 0xFF, 32, 254},  // depth 1: every vertex has a zero coordinate
        {2, 0xF0, 64, 255},  // partial masks keep all six corners
        {1, 0x00, 0, 228},   // only the corners: bits of (0,1,0)... (0,0,-1)
        {-1, 0xFF, 0, 0},    // no vertices at all
    };
    for (const Case& c : cases) {
        OuterShell s(c.depth, 0.5f, c.mask);
        s.computeCollisionMask();
        EXPECT_EQ(s.getShape()->triangles.size(), c.triangles) << c.depth << " " << c.mask;
        EXPECT_EQ(s.collisionMask, c.collisionMask) << c.depth << " " << c.mask;
    }
}

} // namespace
} // namespace orbiton
