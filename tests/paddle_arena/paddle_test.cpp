// SPDX-FileCopyrightText: 2026 The Orbiton 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include <gtest/gtest.h>

#include <cmath>

#include "paddle_arena/paddle.h"

namespace orbiton {
namespace {

bool sameBits(const Quaternion& a, const Quaternion& b) {
    return a.x == b.x && a.y == b.y && a.z == b.z && a.w == b.w;
}

Paddle makePaddle() {
    return Paddle(0.47f, Vec3(1, 0, 0), Vec3(0, 1, 0), false);
}

TEST(Quaternion, ProductRotationAndAxisAngle) {
    // Two quarter turns about z make a half turn.
    const float pi = 3.1415927f;
    Quaternion q = fromAxisAngle(pi / 2, Vec3(0, 0, 2));
    Quaternion h = multiply(q, q);
    Vec3 r = rotate(h, Vec3(1, 0, 0));
    EXPECT_NEAR(r.x, -1, 1e-6);
    EXPECT_NEAR(r.y, 0, 1e-6);
    r = rotate(q, Vec3(1, 0, 0));
    EXPECT_NEAR(r.x, 0, 1e-6);
    EXPECT_NEAR(r.y, 1, 1e-6);

    // A drifted norm still rotates without scaling.
    Quaternion big{q.x * 3, q.y * 3, q.z * 3, q.w * 3};
    r = rotate(big, Vec3(1, 0, 0));
    EXPECT_NEAR(length(r), 1.0, 1e-6);

    AxisAngle aa = toAxisAngle(q);
    EXPECT_NEAR(aa.angle, pi / 2, 1e-6);
    EXPECT_NEAR(aa.axis.z, 1, 1e-6);
    EXPECT_EQ(toAxisAngle(Quaternion{}).angle, 0.0f);
}

TEST(Quaternion, DriftedScalarPartGivesNoNaNAngle) {
    AxisAngle aa = toAxisAngle(Quaternion{1e-8f, 0, 0, 1.0000001f});
    EXPECT_FALSE(std::isnan(aa.angle));
    EXPECT_EQ(aa.angle, 0.0f);
    aa = toAxisAngle(Quaternion{1e-8f, 0, 0, -1.0000001f});
    EXPECT_NEAR(aa.angle, 2 * 3.1415927f, 1e-6);
}

TEST(Paddle, ConstructionState) {
    Paddle p = makePaddle();
    EXPECT_EQ(p.position, Vec3(1, 0, 0));
    EXPECT_EQ(p.pitchAxis, Vec3(0, 0, -1));
    EXPECT_EQ(p.yawAxis, Vec3(0, 1, 0));
    EXPECT_EQ(p.mass, 1000.0f);
    EXPECT_EQ(p.material, findMaterial("Paddle"));
    const Mesh& m = *p.getShape();
    ASSERT_EQ(m.vertices.size(), 4u);
    EXPECT_EQ(m.vertices[0], Vec3(0.47f, 0.05f, 0.05f));
    EXPECT_EQ(m.vertices[1], Vec3(0.47f, 0.05f, -0.05f));
    EXPECT_EQ(m.vertices[2], Vec3(0.47f, -0.05f, -0.05f));
    EXPECT_EQ(m.vertices[3], Vec3(0.47f, -0.05f, 0.05f));
    EXPECT_TRUE(m.faceNormals.empty());
    EXPECT_EQ(m.bounds.min.x, 3.4028235e38f); // never fitted
    // The fallback normal cross(C - A, B - A) points at the centre, length 4h^2.
    for (const Triangle& t : m.triangles) {
        Vec3 n = cross(m.vertices[t[2]] - m.vertices[t[0]], m.vertices[t[1]] - m.vertices[t[0]]);
        EXPECT_NEAR(n.x, -0.01f, 1e-7);
        EXPECT_NEAR(n.y, 0, 1e-9);
        EXPECT_NEAR(n.z, 0, 1e-9);
    }
}

TEST(Paddle, SteerTurnsAboutThePaddlesOwnAxes) {
    Paddle still = makePaddle();
    still.steer(0, 0);
    EXPECT_TRUE(sameBits(still.orientation, Quaternion{}));

    Paddle yaw = makePaddle();
    yaw.steer(1000, 0);
    EXPECT_NEAR(yaw.position.x, std::cos(1.0), 1e-6);
    EXPECT_NEAR(yaw.position.y, 0, 1e-6);
    EXPECT_NEAR(yaw.position.z, -std::sin(1.0), 1e-6);

    Paddle pitch = makePaddle();
    pitch.steer(0, 1000);
    EXPECT_NEAR(pitch.position.x, std::cos(1.0), 1e-6);
    EXPECT_NEAR(pitch.position.y, -std::sin(1.0), 1e-6);
    EXPECT_NEAR(pitch.position.z, 0, 1e-6);
}

TEST(Paddle, PitchIsAppliedBeforeYaw) {
    Paddle both = makePaddle();
    both.steer(300, -200);
    const Quaternion expected =
        multiply(multiply(Quaternion{}, fromAxisAngle(0.001f * -200.0f, Vec3(0, 0, -1))),
                 fromAxisAngle(0.001f * 300.0f, Vec3(0, 1, 0)));
    EXPECT_TRUE(sameBits(both.orientation, expected));

    Paddle split = makePaddle();
    split.steer(0, -200);
    split.steer(300, 0);
    EXPECT_TRUE(sameBits(split.orientation, both.orientation));

    Paddle other = makePaddle();
    other.steer(300, 0);
    other.steer(0, -200);
    EXPECT_GT(length(other.position - both.position), 1e-3);
}

TEST(Paddle, CornersStayOnTheirSphereAfterManySteers) {
    Paddle p = makePaddle();
    const double cornerDistance = std::sqrt(0.47 * 0.47 + 0.05 * 0.05 + 0.05 * 0.05);
    for (int i = 0; i < 5000; ++i)
        p.steer((i * 37) % 23 - 11, (i * 53) % 19 - 9);
    EXPECT_NEAR(length(p.position), 1.0, 1e-4);
    for (const Vec3* c : p.corners)
        EXPECT_NEAR(length(*c), cornerDistance, 1e-4);
    EXPECT_NEAR(cornerDistance, 0.4753, 1e-4);
}

} // namespace
} // namespace orbiton
