// SPDX-FileCopyrightText: 2026 The Orbiton 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <cstdint>
#include <memory>

#include "geometry/mesh.h"
#include "objects/material.h"

namespace orbiton {

// The octant bit of p for collision masks: a coordinate is positive only when
// strictly greater than 0. (+,+,+) is 1 up to (+,-,-) 128.
std::uint8_t octantBit(const Vec3& p);

// Base of the ball, bricks, paddle and arena shells: physics state, an octant
// mask for the ball's coarse test, a shared material and an owned mesh that is
// both drawn and collided with.
class SceneObject {
  public:
    SceneObject(const Vec3& position, const Vec3& velocity, float mass);
    virtual ~SceneObject();
    SceneObject(const SceneObject&) = delete;
    SceneObject& operator=(const SceneObject&) = delete;

    virtual void draw() = 0;        // solid pass
    virtual void drawBlended() = 0; // blended pass, after every solid pass
    virtual void buildLists() {}
    virtual void releaseLists() {}
    virtual void onHit() {}
    virtual bool check() { return true; }
    virtual void step(float dt) { integrate(dt); }
    virtual void addForce(const Vec3& f) { force = force + f; }
    virtual Mesh* getShape() { return shape.get(); }

    // Semi-implicit Euler in float: velocity first, then position with the
    // new velocity; the force accumulator is cleared.
    void integrate(float dt);
    // ORs the octant bits of every mesh vertex.
    void computeCollisionMask();

    Vec3 position;
    Vec3 velocity;
    Vec3 force;
    float mass;
    std::uint8_t collisionMask = 0;
    Material* material = nullptr; // shared, never freed
    std::unique_ptr<Mesh> shape;
};

} // namespace orbiton
