// SPDX-FileCopyrightText: 2026 The Orbiton 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "geometry/vec3.h"

namespace orbiton {

// A rotation, never renormalised: every operation accepts a drifted norm.
struct Quaternion {
    float x = 0.0f;
    float y = 0.0f;
    float z = 0.0f;
    float w = 1.0f;
};

// The Hamilton product a * b.
Quaternion multiply(const Quaternion& a, const Quaternion& b);
// A turn by angle radians about axis (normalised here; a zero axis stays zero).
Quaternion fromAxisAngle(float angle, const Vec3& axis);
// q v q* divided by the squared norm of q, so a drifted q still does not scale.
Vec3 rotate(const Quaternion& q, const Vec3& v);

struct AxisAngle {
    float angle = 0.0f; // radians
    Vec3 axis;
};
// Angle 0 when the vector part is zero. w is clamped to [-1, 1] first, so a
// drifted norm never gives a NaN angle.
AxisAngle toAxisAngle(const Quaternion& q);

} // namespace orbiton
