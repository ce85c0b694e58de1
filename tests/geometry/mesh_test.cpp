// SPDX-FileCopyrightText: 2026 The Orbiton 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

#include "geometry/octahedron.h"
#include "geometry/prism_mesh.h"
#include "geometry/sphere_mesh.h"
#include "support/reference_bridge.h"

namespace orbiton {
namespace {

constexpr float kR = 0.70710677f;

void expectVec(const Vec3& v, float x, float y, float z) {
    EXPECT_FLOAT_EQ(v.x, x);
    EXPECT_FLOAT_EQ(v.y, y);
    EXPECT_FLOAT_EQ(v.z, z);
}

// The vertex normals of the rule's scan: every triangle, for every vertex.
std::vector<reference::RVec> scanned(const Mesh& m) {
    return reference::scannedVertexNormals(reference::toR(m));
}

void expectSameBits(const std::vector<Vec3>& a, const std::vector<reference::RVec>& b) {
    EXPECT_EQ(reference::firstDifference(reference::toR(a), b), "");
}

TEST(BoundingBox, RefitComputesSizeCentreAndLargestSide) {
    BoundingBox b(Vec3(-1, 0, 2), Vec3(1, 3, 2.5f));
    expectVec(b.size, 2, 3, 0.5f);
    expectVec(b.centre, 0, 1.5f, 2.25f);
    EXPECT_FLOAT_EQ(b.extent, 3);
    BoundingBox z(Vec3(0, 0, 0), Vec3(1, 2, 5));
    EXPECT_FLOAT_EQ(z.extent, 5);
}

TEST(Mesh, StartsEmptyWithTheEmptyBox) {
    Mesh m;
    EXPECT_TRUE(m.vertices.empty());
    EXPECT_EQ(m.bounds.min.x, 3.4028235e38f);
    EXPECT_EQ(m.bounds.max.z, -3.4028235e38f);
}

TEST(SphereMesh, DepthOneOutwardVertexOrderAndFirstTriangles) {
    SphereMesh s(1, 1.0f, true, 0xFF);
    ASSERT_EQ(s.vertices.size(), 18u);
    ASSERT_EQ(s.triangles.size(), 32u);
    for (int i = 0; i < 6; ++i)
        EXPECT_EQ(s.vertices[i], octahedronCorners[i]);
    const Vec3 expected[] = {{0, kR, kR},  {kR, 0, kR},  {kR, kR, 0},   {-kR, kR, 0},
                             {-kR, 0, kR}, {0, kR, -kR}, {-kR, 0, -kR}, {kR, 0, -kR},
                             {kR, -kR, 0}, {0, -kR, kR}, {-kR, -kR, 0}, {0, -kR, -kR}};
    for (int i = 0; i < 12; ++i)
        EXPECT_EQ(s.vertices[6 + i], expected[i]) << "vertex " << 6 + i;
    const Triangle first[] = {{0, 6, 8}, {6, 4, 7},  {8, 7, 2},  {6, 7, 8},
                              {0, 9, 6}, {9, 3, 10}, {6, 10, 4}, {9, 10, 6}};
    for (int t = 0; t < 8; ++t)
        EXPECT_EQ(s.triangles[t], first[t]) << "triangle " << t;
}

TEST(SphereMesh, CountsForFullAndPartialSpheres) {
    struct Case {
        int depth;
        unsigned mask;
        std::size_t vertices, triangles;
    } cases[] = {
        {1, 0xFF, 18, 32},     {2, 0xFF, 66, 128},      {3, 0xFF, 258, 512}, {4, 0xFF, 1026, 2048},
        {5, 0xFF, 4098, 8192}, {6, 0xFF, 16386, 32768}, {1, 0x80, 9, 4},     {2, 0x80, 18, 16},
        {3, 0x80, 48, 64},     {1, 0xF0, 14, 16},       {2, 0xF0, 42, 64},   {1, 0x00, 6, 0},
    };
    for (const Case& c : cases) {
        SphereMesh s(c.depth, 0.5f, false, c.mask);
        EXPECT_EQ(s.vertices.size(), c.vertices) << c.depth << " " << c.mask;
        EXPECT_EQ(s.triangles.size(), c.triangles) << c.depth << " " << c.mask;
        EXPECT_EQ(SphereMesh::vertexCount(c.depth, c.mask), c.vertices);
        EXPECT_EQ(s.faceNormals.size(), c.triangles);
        EXPECT_EQ(s.vertexNormals.size(), c.vertices);
    }
}

TEST(SphereMesh, OnlyTheLowEightMaskBitsCount) {
    SphereMesh s(1, 1.0f, true, 0x180);
    EXPECT_EQ(s.triangles.size(), 4u);
}

TEST(SphereMesh, EveryPartialMaskStillSpansTheWholeRadius) {
    for (unsigned mask : {0x00u, 0x80u, 0x01u, 0xF0u}) {
        SphereMesh s(2, 0.5f, false, mask);
        expectVec(s.bounds.min, -0.5f, -0.5f, -0.5f);
        expectVec(s.bounds.max, 0.5f, 0.5f, 0.5f);
        expectVec(s.bounds.centre, 0, 0, 0);
        expectVec(s.bounds.size, 1, 1, 1);
        EXPECT_FLOAT_EQ(s.bounds.extent, 1);
    }
}

TEST(SphereMesh, DepthMinusOneIsEmptyWithTheEmptyBox) {
    SphereMesh s(-1, 0.5f, false, 0xFF);
    EXPECT_TRUE(s.vertices.empty());
    EXPECT_TRUE(s.triangles.empty());
    EXPECT_TRUE(s.faceNormals.empty());
    EXPECT_EQ(s.problem, SphereMesh::Problem::None);
    EXPECT_EQ(s.bounds.min.x, 3.4028235e38f);
}

TEST(SphereMesh, RefusesDepthsThatNeverEndOrOverflowVertexNumbers) {
    for (int depth : {0, -2, -1000}) {
        SphereMesh s(depth, 0.5f, false, 0xFF);
        EXPECT_EQ(s.problem, SphereMesh::Problem::BadDepth) << depth;
        EXPECT_TRUE(s.vertices.empty());
    }
    // A full depth-7 sphere needs 4^8 + 2 = 65,538 vertices.
    EXPECT_EQ(SphereMesh::vertexCount(7, 0xFF), 65538u);
    SphereMesh full7(7, 0.5f, false, 0xFF);
    EXPECT_EQ(full7.problem, SphereMesh::Problem::TooManyVertices);
    EXPECT_TRUE(full7.triangles.empty());
    SphereMesh huge(1000000, 0.5f, false, 0x80);
    EXPECT_EQ(huge.problem, SphereMesh::Problem::TooManyVertices);
}

TEST(SphereMesh, PartialMaskAtDepthSevenThatFitsIsBuilt) {
    // One face: 6 corners + 3 edges of 127 inner points + 127*126/2 inside.
    SphereMesh s(7, 0.5f, false, 0x80);
    EXPECT_EQ(s.problem, SphereMesh::Problem::None);
    EXPECT_EQ(s.vertices.size(), 6u + 3 * 127 + 8001);
    EXPECT_EQ(s.triangles.size(), 16384u);
}

TEST(SphereMesh, NormalsFaceOutwardOrInwardByWinding) {
    for (bool outward : {true, false}) {
        SphereMesh s(2, 0.5f, outward, 0xFF);
        const double sign = outward ? 1.0 : -1.0;
        for (std::size_t t = 0; t < s.triangles.size(); ++t) {
            const Vec3& p = s.vertices[s.triangles[t][0]];
            EXPECT_GT(sign * dot(s.faceNormals[t], p), 0.0) << t;
        }
        for (std::size_t i = 0; i < s.vertices.size(); ++i) {
            Vec3 dir = s.vertices[i];
            normalise(dir);
            // Within about 3 degrees of the radial direction at depth 2.
            EXPECT_GT(sign * dot(s.vertexNormals[i], dir),
                      std::cos(3.5 * 3.14159265358979323846 / 180))
                << i;
        }
    }
    SphereMesh d1(1, 1.0f, true, 0xFF);
    for (std::size_t i = 0; i < d1.vertices.size(); ++i)
        EXPECT_NEAR(dot(d1.vertexNormals[i], d1.vertices[i]), 1.0, 1e-6) << i;
}

TEST(SphereMesh, SharedBorderVerticesAreStoredOnce) {
    SphereMesh s(3, 1.0f, true, 0xFF);
    for (std::size_t i = 0; i < s.vertices.size(); ++i)
        for (std::size_t j = i + 1; j < s.vertices.size(); ++j)
            ASSERT_NE(s.vertices[i], s.vertices[j]) << i << " " << j;
}

TEST(SphereMesh, FullSphereBoundsAreTheCubeOfTheRadius) {
    SphereMesh s(3, 0.25f, true, 0xFF);
    expectVec(s.bounds.min, -0.25f, -0.25f, -0.25f);
    expectVec(s.bounds.max, 0.25f, 0.25f, 0.25f);
    EXPECT_FLOAT_EQ(s.bounds.extent, 0.5f);
    for (const Vec3& v : s.vertices)
        EXPECT_NEAR(length(v), 0.25, 1e-6);
}

TEST(MeshNormals, OnePassEqualsTheLiteralScanBitForBit) {
    for (int depth = 1; depth <= 6; ++depth)
        for (unsigned mask : {0xFFu, 0xF0u, 0x80u, 0x01u, 0x00u})
            for (bool outward : {true, false}) {
                SphereMesh s(depth, 0.5f, outward, mask);
                SCOPED_TRACE(::testing::Message() << depth << " " << mask << " " << outward);
                expectSameBits(s.vertexNormals, scanned(s));
            }
    PrismMesh p(Vec3(0.1f, 0.3f, 0.2f), Vec3(0.3f, 0.1f, 0.2f), Vec3(0.2f, 0.2f, 0.3f),
                Vec3(0.2f, 0.6f, 0.4f), Vec3(0.6f, 0.2f, 0.4f), Vec3(0.4f, 0.4f, 0.6f));
    expectSameBits(p.vertexNormals, scanned(p));
}

TEST(SphereMesh, EqualsThePlainOrderedMapBuildBitForBit) {
    for (int depth = 1; depth <= 5; ++depth)
        for (unsigned mask : {0xFFu, 0x5Au, 0x80u, 0x00u})
            for (bool outward : {true, false}) {
                SCOPED_TRACE(::testing::Message() << depth << " " << mask << " " << outward);
                const SphereMesh s(depth, 0.37f, outward, mask);
                const reference::RMesh r = reference::sphere(depth, 0.37f, outward, mask);
                EXPECT_EQ(reference::firstDifference(reference::toR(s), r), "");
            }
}

TEST(PrismMesh, UnitPrismNormalsPointOutAndBoundsFit) {
    PrismMesh p(Vec3(0, 0, 0), Vec3(0, 1, 0), Vec3(1, 0, 0), Vec3(0, 0, 1), Vec3(0, 1, 1),
                Vec3(1, 0, 1));
    ASSERT_EQ(p.vertices.size(), 6u);
    ASSERT_EQ(p.triangles.size(), 8u);
    ASSERT_EQ(p.vertexNormals.size(), 6u);
    const Vec3 expected[] = {{0, 0, 1},   {0, 0, -1},  {0, -1, 0}, {0, -1, 0},
                             {kR, kR, 0}, {kR, kR, 0}, {-1, 0, 0}, {-1, 0, 0}};
    for (int t = 0; t < 8; ++t)
        EXPECT_EQ(p.faceNormals[t], expected[t]) << t;
    expectVec(p.bounds.min, 0, 0, 0);
    expectVec(p.bounds.max, 1, 1, 1);
    expectVec(p.bounds.centre, 0.5f, 0.5f, 0.5f);
    expectVec(p.bounds.size, 1, 1, 1);
    EXPECT_FLOAT_EQ(p.bounds.extent, 1);
}

TEST(PrismMesh, OppositeRotationTurnsEveryNormalInward) {
    PrismMesh p(Vec3(0, 0, 0), Vec3(1, 0, 0), Vec3(0, 1, 0), Vec3(0, 0, 1), Vec3(1, 0, 1),
                Vec3(0, 1, 1));
    const Triangle order[] = {{3, 5, 4}, {0, 1, 2}, {3, 0, 2}, {3, 2, 5},
                              {5, 2, 1}, {5, 1, 4}, {4, 0, 3}, {4, 1, 0}};
    const Vec3 centre(1 / 3.0f, 1 / 3.0f, 0.5f);
    for (int t = 0; t < 8; ++t) {
        EXPECT_EQ(p.triangles[t], order[t]);
        EXPECT_LT(dot(p.faceNormals[t], p.vertices[p.triangles[t][0]] - centre), 0.0) << t;
    }
}

TEST(PrismMesh, VertexNormalIsTheSumOfItsFourFaces) {
    PrismMesh p(Vec3(0, 0, 0), Vec3(0, 1, 0), Vec3(1, 0, 0), Vec3(0, 0, 1), Vec3(0, 1, 1),
                Vec3(1, 0, 1));
    // Corner 0 (the origin) is in triangles 1, 2, 6 and 7: the end on z = 0,
    // facing out along (0,0,-1); one half of the side on y = 0, (0,-1,0);
    // both halves of the side on x = 0, (-1,0,0) twice. Their sum (-2,-1,-1)
    // over its length, the square root of 6.
    const double r6 = std::sqrt(6.0);
    EXPECT_NEAR(p.vertexNormals[0].x, -2 / r6, 1e-6);
    EXPECT_NEAR(p.vertexNormals[0].y, -1 / r6, 1e-6);
    EXPECT_NEAR(p.vertexNormals[0].z, -1 / r6, 1e-6);
}

} // namespace
} // namespace orbiton
