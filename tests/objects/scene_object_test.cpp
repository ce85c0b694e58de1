// SPDX-FileCopyrightText: 2026 The Orbiton 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include <gtest/gtest.h>

#include "geometry/sphere_mesh.h"
#include "objects/scene_object.h"

namespace orbiton {
namespace {

// The smallest concrete object: a test double for the base's behaviour.
class Plain : public SceneObject {
  public:
    Plain(const Vec3& p, const Vec3& v, float m) : SceneObject(p, v, m) {}
    void draw() override {}
    void drawBlended() override {}
};

TEST(SceneObject, ConstructionStoresStateAndClearsForce) {
    Plain o(Vec3(1, 2, 3), Vec3(4, 5, 6), 2.0f);
    EXPECT_EQ(o.position, Vec3(1, 2, 3));
    EXPECT_EQ(o.velocity, Vec3(4, 5, 6));
    EXPECT_EQ(o.force, Vec3(0, 0, 0));
    EXPECT_EQ(o.mass, 2.0f);
    EXPECT_TRUE(o.check());
    EXPECT_EQ(o.getShape(), nullptr);
}

TEST(SceneObject, IntegrateIsSemiImplicitEuler) {
    Plain o(Vec3(0, 0, 0), Vec3(1, 0, 0), 2.0f);
    o.addForce(Vec3(4, 0, 0));
    o.addForce(Vec3(0, 2, 0));
    o.integrate(0.5f);
    // v += F/m dt = (1 + 4/2*0.5, 2/2*0.5) = (2, 0.5); p += v_new * dt = (1, 0.25).
    EXPECT_EQ(o.velocity, Vec3(2, 0.5f, 0));
    EXPECT_EQ(o.position, Vec3(1, 0.25f, 0));
    EXPECT_EQ(o.force, Vec3(0, 0, 0));

    o.addForce(Vec3(9, 9, 9));
    o.step(0.0f); // the base step integrates
    EXPECT_EQ(o.velocity, Vec3(2, 0.5f, 0));
    EXPECT_EQ(o.position, Vec3(1, 0.25f, 0));
    EXPECT_EQ(o.force, Vec3(0, 0, 0));
}

TEST(OctantBit, ZeroCountsAsNonPositive) {
    EXPECT_EQ(octantBit(Vec3(0, 0, 0)), 64);
    EXPECT_EQ(octantBit(Vec3(1, 0, 0)), 128);
    EXPECT_EQ(octantBit(Vec3(0, 1, 0)), 4);
    EXPECT_EQ(octantBit(Vec3(1, 1, 1)), 1);
    EXPECT_EQ(octantBit(Vec3(-1, 1, 1)), 2);
    EXPECT_EQ(octantBit(Vec3(1, 1, -1)), 8);
    EXPECT_EQ(octantBit(Vec3(1, -1, 1)), 16);
    EXPECT_EQ(octantBit(Vec3(-1, -1, 1)), 32);
    EXPECT_EQ(octantBit(Vec3(-0.0f, -1, -1)), 64);
}

TEST(SceneObject, CollisionMaskIsTheUnionOfVertexOctants) {
    Plain o(Vec3(0, 0, 0), Vec3(0, 0, 0), 1.0f);
    o.shape = std::make_unique<Mesh>();
    o.computeCollisionMask();
    EXPECT_EQ(o.collisionMask, 0);
    o.shape->vertices = {Vec3(0.1f, 0.2f, 0.3f), Vec3(0.3f, 0.1f, 0.1f)};
    o.computeCollisionMask();
    EXPECT_EQ(o.collisionMask, 1);
    o.shape->vertices.push_back(Vec3(-0.1f, -0.1f, -0.1f));
    o.computeCollisionMask();
    EXPECT_EQ(o.collisionMask, 1 | 64);
}

} // namespace
} // namespace orbiton
