// SPDX-FileCopyrightText: 2026 The Orbiton 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include <gtest/gtest.h>

#include "world/brick_shell.h"

namespace orbiton {
namespace {

constexpr float kR = 0.70710677f;

TEST(BrickShell, FullLayerHasFourToTheDepthBricksPerFace) {
    BrickList bricks;
    addShell(bricks, 2, 0.3f, 0.35f, 0xFF, 0xF, "Red");
    EXPECT_EQ(bricks.size(), 128u);
    for (const auto& b : bricks)
        EXPECT_EQ(b->material, findMaterial("Red"));
    EXPECT_EQ(shellBrickCount(2, 0xFF, 0xF), 128u);
}

TEST(BrickShell, FirstBrickOfFaceZeroAtDepthOne) {
    BrickList bricks;
    addShell(bricks, 1, 0.3f, 0.35f, 0x80, 0xF, "Red");
    ASSERT_EQ(bricks.size(), 4u);
    const std::vector<Vec3>& v = bricks[0]->getShape()->vertices;
    const Vec3 dirs[3] = {Vec3(0, 1, 0), Vec3(kR, kR, 0), Vec3(0, kR, kR)};
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(v[i], dirs[i] * 0.3f) << i;
        EXPECT_EQ(v[i + 3], dirs[i] * 0.35f) << i;
    }
}

TEST(BrickShell, PartMasksGiveSierpinskiAndMiddleOnly) {
    for (int depth = 1; depth <= 4; ++depth) {
        BrickList corners;
        addShell(corners, depth, 0.3f, 0.35f, 0x80, 0x7, "Blue");
        std::size_t expected = 1;
        for (int i = 0; i < depth; ++i)
            expected *= 3;
        EXPECT_EQ(corners.size(), expected) << depth;
        EXPECT_EQ(shellBrickCount(depth, 0x80, 0x7), expected);
    }
    BrickList middle;
    addShell(middle, 3, 0.3f, 0.35f, 0x80, 0x8, "Blue");
    ASSERT_EQ(middle.size(), 1u);
    // The middle of the middle of the middle stays around the face's centre.
    Vec3 c = middle[0]->getShape()->bounds.centre;
    normalise(c);
    const float third = 0.57735026f;
    EXPECT_NEAR(c.x, third, 0.02);
    EXPECT_NEAR(c.y, third, 0.02);
    EXPECT_NEAR(c.z, third, 0.02);
}

TEST(BrickShell, EmptyMasksAndBadDepthsMakeNothing) {
    BrickList bricks;
    addShell(bricks, 2, 0.3f, 0.35f, 0x00, 0xF, "Red");
    addShell(bricks, 2, 0.3f, 0.35f, 0xFF, 0x0, "Red");
    addShell(bricks, 2, 0.3f, 0.35f, 0xFF, 0xF0, "Red"); // none of the four low bits
    addShell(bricks, 0, 0.3f, 0.35f, 0xFF, 0xF, "Red");
    addShell(bricks, -3, 0.3f, 0.35f, 0xFF, 0xF, "Red");
    EXPECT_TRUE(bricks.empty());
    EXPECT_EQ(shellBrickCount(0, 0xFF, 0xF), 0u);
    EXPECT_EQ(shellBrickCount(100, 0xFF, 0xF), UINT64_MAX); // saturates, never wraps
}

TEST(BrickShell, OrderIsFaceByFaceDepthFirstAndNormalsPointOut) {
    BrickList bricks;
    addShell(bricks, 1, 0.3f, 0.35f, 0x81, 0xF, "Red");
    ASSERT_EQ(bricks.size(), 8u);
    // Face 0 (y > 0) first, then face 7 (y < 0).
    for (int i = 0; i < 4; ++i) {
        EXPECT_GT(bricks[i]->getShape()->bounds.centre.y, 0) << i;
        EXPECT_LT(bricks[4 + i]->getShape()->bounds.centre.y, 0) << i;
    }
    // With the first radius inside, every prism face points out of its brick.
    for (const auto& b : bricks) {
        const Mesh& m = *b->getShape();
        Vec3 centroid(0, 0, 0);
        for (const Vec3& v : m.vertices)
            centroid = centroid + v * (1.0f / 6);
        for (std::size_t t = 0; t < 8; ++t)
            EXPECT_GT(dot(m.faceNormals[t], m.vertices[m.triangles[t][0]] - centroid), 0);
    }
}

TEST(BrickShell, IdenticalLinesOverlapAndNeighboursShareCorners) {
    BrickList bricks;
    addShell(bricks, 1, 0.3f, 0.35f, 0x80, 0xF, "Red");
    addShell(bricks, 1, 0.3f, 0.35f, 0x80, 0xF, "Red");
    ASSERT_EQ(bricks.size(), 8u);
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(bricks[i]->getShape()->vertices, bricks[4 + i]->getShape()->vertices);
    // The corner part at A (A, mAB, mCA) and the middle part (mAB, mBC, mCA) share mAB exactly.
    EXPECT_EQ(bricks[0]->getShape()->vertices[1], bricks[3]->getShape()->vertices[0]);
}

} // namespace
} // namespace orbiton
