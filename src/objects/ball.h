// SPDX-FileCopyrightText: 2026 The Orbiton 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once


#include <cstdint>
#include <vector>

#include "objects/ball_world.h"
#include "objects/scene_object.h"
#include "render/display_list.h"

namespace orbiton {

class Brick;

// The one moving object. Each step tests the paddle, then the bricks in list
// order (the first hit is removed by the World), then every arena shell;
// each contact reflects the velocity; then the ball integrates and, once
// farther than 0.5 from the centre, goes back onto the paddle.
class Ball : public SceneObject {
  public:
    Ball(BallWorld* world, float mass, const Vec3& position, const Vec3& velocity);
    ~Ball() override;

    void draw() override;
    void drawBlended() override {}
    void buildLists() override;
    void releaseLists() override;
    void step(float dt) override;

    // The swept contact test against one object's mesh: the first triangle,
    // in mesh order, whose plane the centre crosses this step moving against
    // its normal, near enough to the crossing. normalOut is only written on
    // a contact.
    bool collideWith(SceneObject& object, float dt, Vec3& normalOut);
    // The same test; the number of the triangle found, or -1. It walks every
    // triangle in order, or, with an index and a short step, only the
    // triangles near enough to pass, in the same order.
    int findContact(const Mesh& mesh, float dt, Vec3& normalOut, bool useIndex);
    // How near a triangle must come to the ball's centre to pass the test
    // this step; negative when the step is too long to bound it.
    double reach(float dt) const;
    // Reflects the ball's velocity relative to the object along n (restitution 1).
    void bounceOff(const SceneObject& object, const Vec3& n);

    BallWorld* world;
    float radius = 0.01f;
    Vec3 contactNormal;
    DisplayList displayList;

  private:
    bool passes(const Mesh& m, std::size_t k, bool storedNormals, const Vec3& d, const Vec3& back,
                Vec3& normalOut) const;

    std::vector<std::uint32_t> nearTriangles; // scratch, kept to avoid allocation
    std::vector<Brick*> nearBricks;
};

} // namespace orbiton
