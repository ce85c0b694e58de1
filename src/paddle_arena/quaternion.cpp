// SPDX-FileCopyrightText: 2026 The Orbiton 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "paddle_arena/quaternion.h"

#include <cmath>

namespace orbiton {

Quaternion multiply(const Quaternion& a, const Quaternion& b) {
    Quaternion r;
    r.x = a.w * b.x + a.x * b.w + a.y * b.z - a.z * b.y;
    r.y = a.w * b.y + a.y * b.w + a.z * b.x - a.x * b.z;
    r.z = a.w * b.z + a.z * b.w + a.x * b.y - a.y * b.x;
    r.w = a.w * b.w - a.x * b.x - a.y * b.y - a.z * b.z;
    return r;
}

Quaternion fromAxisAngle(float angle, const Vec3& axis) {
    Vec3 n = axis;
    normalise(n);
    const float half = angle * 0.5f;
    const float s = std::sin(half);
    return Quaternion{s * n.x, s * n.y, s * n.z, std::cos(half)};
}

Vec3 rotate(const Quaternion& q, const Vec3& v) {
    Quaternion t = multiply(q, Quaternion{v.x, v.y, v.z, 0.0f});
    Quaternion r = multiply(t, Quaternion{-q.x, -q.y, -q.z, q.w});
    const float norm = q.x * q.x + q.y * q.y + q.z * q.z + q.w * q.w;
    return Vec3(r.x / norm, r.y / norm, r.z / norm);
}

AxisAngle toAxisAngle(const Quaternion& q) {
    AxisAngle out;
    if (q.x == 0.0f && q.y == 0.0f && q.z == 0.0f)
        return out;
    const float len = std::sqrt(q.x * q.x + q.y * q.y + q.z * q.z);
    out.axis = Vec3(q.x / len, q.y / len, q.z / len);
    const float w = q.w > 1.0f ? 1.0f : (q.w < -1.0f ? -1.0f : q.w);
    out.angle = 2.0f * std::acos(w);
    return out;
}

} // namespace orbiton
