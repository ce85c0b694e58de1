// SPDX-FileCopyrightText: 2026 The Orbiton 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include <gtest/gtest.h>

#include <cmath>

#include "geometry/primitives.h"

namespace orbiton {
namespace {

void expectVec(const Vec3& v, float x, float y, float z) {
    EXPECT_FLOAT_EQ(v.x, x);
    EXPECT_FLOAT_EQ(v.y, y);
    EXPECT_FLOAT_EQ(v.z, z);
}

TEST(Vec3Ops, CrossFollowsTheRightHandRuleAndDotIsInDouble) {
    expectVec(cross(Vec3(1, 0, 0), Vec3(0, 1, 0)), 0, 0, 1);
    expectVec(cross(Vec3(0, 1, 0), Vec3(1, 0, 0)), 0, 0, -1);
    // 1e20 squared overflows a float but not the double the dot is formed in.
    EXPECT_DOUBLE_EQ(dot(Vec3(1e20f, 0, 0), Vec3(1e20f, 0, 0)), double(1e20f) * double(1e20f));
    expectVec(midpoint(Vec3(0, 1, 0), Vec3(1, 0, 0)), 0.5f, 0.5f, 0);
}

TEST(Normalise, ZeroStaysZeroAndTinyVectorsDoNotUnderflow) {
    Vec3 zero(0, 0, 0);
    Vec3 r = normalise(zero);
    EXPECT_EQ(zero, Vec3(0, 0, 0));
    EXPECT_EQ(r, Vec3(0, 0, 0));

    Vec3 v(3, 0, 4);
    Vec3 copy = normalise(v);
    expectVec(v, 0.6f, 0.0f, 0.8f);
    EXPECT_EQ(copy, v);

    Vec3 tiny(0, 0, -1e-30f);
    normalise(tiny);
    EXPECT_EQ(tiny, Vec3(0, 0, -1));

    Vec3 nan(std::nanf(""), 0, 0);
    normalise(nan);
    EXPECT_TRUE(std::isnan(nan.x)); // NaN is not zero: it is scaled, and stays NaN
}

TEST(ClosestPointOnSegment, ClampsToTheEndsAndProjectsBetween) {
    const Vec3 a(0, 0, 0), b(2, 0, 0);
    Vec3 out;
    closestPointOnSegment(a, b, Vec3(-1, 5, 0), out);
    EXPECT_EQ(out, a);
    closestPointOnSegment(a, b, Vec3(3, 1, 0), out);
    EXPECT_EQ(out, b);
    closestPointOnSegment(a, b, Vec3(1, 7, 0), out);
    expectVec(out, 1, 0, 0);
    closestPointOnSegment(a, b, Vec3(0, 1, 0), out);
    EXPECT_EQ(out, a);
}

TEST(ClosestPointOnSegment, ASegmentOfOnePointAnswersThatPoint) {
    Vec3 out(9, 9, 9);
    closestPointOnSegment(Vec3(1, 2, 3), Vec3(1, 2, 3), Vec3(5, 5, 5), out);
    EXPECT_EQ(out, Vec3(1, 2, 3));
}

TEST(ClosestPointOnSegment, OutputMayAliasThePoint) {
    Vec3 p(1, 7, 0);
    closestPointOnSegment(Vec3(0, 0, 0), Vec3(2, 0, 0), p, p);
    expectVec(p, 1, 0, 0);
}

TEST(IntersectSegmentPlane, CrossingsMissesAndParallelSegments) {
    const Vec3 q(0, 0, 0), n(0, 1, 0);
    Vec3 out(7, 7, 7);
    EXPECT_TRUE(intersectSegmentPlane(q, n, Vec3(0, 1, 0), Vec3(0, -2, 0), out));
    expectVec(out, 0, 0, 0);

    out = Vec3(7, 7, 7);
    EXPECT_FALSE(intersectSegmentPlane(q, n, Vec3(0, 1, 0), Vec3(0, -0.5f, 0), out));
    EXPECT_EQ(out, Vec3(7, 7, 7));
    EXPECT_FALSE(intersectSegmentPlane(q, n, Vec3(0, 1, 0), Vec3(1, 0, 0), out));
    EXPECT_EQ(out, Vec3(7, 7, 7));
    // Start on the plane: s = 0 counts as a crossing.
    EXPECT_TRUE(intersectSegmentPlane(q, n, Vec3(3, 0, 2), Vec3(1, 1, 1), out));
    EXPECT_EQ(out, Vec3(3, 0, 2));
    // Zero displacement on the plane: 0/0, no crossing.
    EXPECT_FALSE(intersectSegmentPlane(q, n, Vec3(3, 0, 2), Vec3(0, 0, 0), out));
    // The end exactly on the plane: s = 1 counts; the normal need not be unit.
    EXPECT_TRUE(intersectSegmentPlane(q, Vec3(0, 5, 0), Vec3(0, 1, 0), Vec3(0, -1, 0), out));
    expectVec(out, 0, 0, 0);
}

TEST(RaySphereDistance, UsesTheRoundedRoot) {
    EXPECT_DOUBLE_EQ(approxSqrt(0), 0.25);
    EXPECT_DOUBLE_EQ(approxSqrt(0.25), 0.5125);
    EXPECT_DOUBLE_EQ(approxSqrt(1), 1.0);
    EXPECT_DOUBLE_EQ(approxSqrt(4), 2.05);
    EXPECT_NEAR(approxSqrt(100), 26.24, 0.005);

    // q = 1 - (4.25 - 4) = 0.75; approxSqrt(0.75) = 6.0625 / 7.
    double r = raySphereDistance(Vec3(0, 0, 0), Vec3(1, 0, 0), Vec3(2, 0.5f, 0), 1.0);
    EXPECT_FLOAT_EQ(float(r), 1.1339286f);
    EXPECT_GT(std::fabs(r - 1.1339746), 1e-5); // not the exact root
}

TEST(RaySphereDistance, MissIsExactlyMinusOneAndTangentsUseTheConstants) {
    EXPECT_EQ(raySphereDistance(Vec3(0, 0, 0), Vec3(1, 0, 0), Vec3(2, 2, 0), 1.0), -1.0);
    // Tangent: |L| = 5, tca = 4, q = 9 - (25 - 16) = 0, result tca - 0.25.
    EXPECT_DOUBLE_EQ(raySphereDistance(Vec3(0, 0, 0), Vec3(1, 0, 0), Vec3(4, 3, 0), 3.0), 3.75);
    // Through the centre: q = r^2 = 1, result tca - 1 = 2.
    EXPECT_DOUBLE_EQ(raySphereDistance(Vec3(0, 0, 0), Vec3(1, 0, 0), Vec3(3, 0, 0), 1.0), 2.0);
}

TEST(PointInTriangle, AngleSumRule) {
    const Vec3 a(0, 0, 0), b(1, 0, 0), c(0, 1, 0);
    EXPECT_TRUE(pointInTriangle(Vec3(1 / 3.0f, 1 / 3.0f, 0), a, b, c));
    EXPECT_TRUE(pointInTriangle(Vec3(1 / 3.0f, 1 / 3.0f, 0), a, c, b));  // either winding
    EXPECT_FALSE(pointInTriangle(b, a, b, c));                           // a corner
    EXPECT_FALSE(pointInTriangle(Vec3(1, 1, 0), a, b, c));               // in plane, outside
    EXPECT_FALSE(pointInTriangle(Vec3(1 / 3.0f, 1 / 3.0f, 1), a, b, c)); // far off the plane
    EXPECT_TRUE(pointInTriangle(Vec3(0.25f, 0.25f, 0.001f), a, b, c));
    EXPECT_FALSE(pointInTriangle(Vec3(0.25f, 0.25f, 0.003f), a, b, c));
}

TEST(ClosestPointOnTriangle, InsideBeyondACornerAndAliasing) {
    const Vec3 a(0, 0, 0), b(1, 0, 0), c(0, 1, 0);
    Vec3 out;
    closestPointOnTriangle(a, b, c, Vec3(0.2f, 0.3f, 0), out);
    EXPECT_EQ(out, Vec3(0.2f, 0.3f, 0));
    closestPointOnTriangle(a, b, c, Vec3(2, -1, 0), out);
    EXPECT_EQ(out, b);
    // Beyond the edge BC: the foot on the hypotenuse.
    closestPointOnTriangle(a, b, c, Vec3(1, 1, 0), out);
    expectVec(out, 0.5f, 0.5f, 0);

    Vec3 p(2, -1, 0);
    closestPointOnTriangle(a, b, c, p, p);
    EXPECT_EQ(p, b);
}

TEST(ClosestPointOnTriangle, TiesGoToTheLaterEdge) {
    // Off the plane above (0.5, 0.5): AB answers (0.5, 0, 0) and CA (0, 0.5, 0),
    // both 25.25 away; BC is farther. The tie goes to CA.
    const Vec3 a(0, 0, 0), b(2, 0, 0), c(0, 2, 0);
    Vec3 out;
    closestPointOnTriangle(a, b, c, Vec3(0.5f, 0.5f, 5), out);
    EXPECT_EQ(out, Vec3(0, 0.5f, 0));
}

} // namespace
} // namespace orbiton
