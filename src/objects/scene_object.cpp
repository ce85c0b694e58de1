// SPDX-FileCopyrightText: 2026 The Orbiton 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "objects/scene_object.h"

namespace orbiton {

std::uint8_t octantBit(const Vec3& p) {
    const bool x = p.x > 0.0f, y = p.y > 0.0f, z = p.z > 0.0f;
    if (y) {
        if (z)
            return x ? 1 : 2;
        return x ? 8 : 4;
    }
    if (z)
        return x ? 16 : 32;
    return x ? 128 : 64;
}

SceneObject::SceneObject(const Vec3& position_, const Vec3& velocity_, float mass_)
    : position(position_), velocity(velocity_), force(0, 0, 0), mass(mass_) {}

SceneObject::~SceneObject() = default;

void SceneObject::integrate(float dt) {
    const float inverseMass = 1.0f / mass;
    velocity = velocity + force * inverseMass * dt;
    position = position + velocity * dt;
    force = Vec3(0, 0, 0);
}

void SceneObject::computeCollisionMask() {
    collisionMask = 0;
    if (!shape)
        return;
    for (const Vec3& v : shape->vertices)
        collisionMask |= octantBit(v);
}

} // namespace orbiton
