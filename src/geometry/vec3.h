// SPDX-FileCopyrightText: 2026 The Orbiton 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// Geometry is stored in float; arithmetic runs in double and is rounded to
// float where a value is stored. Which face the ball hits depends on it.

#include <cmath>

namespace orbiton {

struct Vec3 {
    float x = 0.0f;
    float y = 0.0f;
    float z = 0.0f;

    Vec3() = default;
    constexpr Vec3(float x_, float y_, float z_) : x(x_), y(y_), z(z_) {}
};

inline Vec3 operator+(const Vec3& a, const Vec3& b) {
    return Vec3(float(double(a.x) + b.x), float(double(a.y) + b.y), float(double(a.z) + b.z));
}
inline Vec3 operator-(const Vec3& a, const Vec3& b) {
    return Vec3(float(double(a.x) - b.x), float(double(a.y) - b.y), float(double(a.z) - b.z));
}
inline Vec3 operator*(const Vec3& v, float s) {
    return Vec3(float(double(v.x) * s), float(double(v.y) * s), float(double(v.z) * s));
}
inline Vec3 operator*(float s, const Vec3& v) {
    return v * s;
}
inline bool operator==(const Vec3& a, const Vec3& b) {
    return a.x == b.x && a.y == b.y && a.z == b.z;
}
inline bool operator!=(const Vec3& a, const Vec3& b) {
    return !(a == b);
}

inline double dot(const Vec3& a, const Vec3& b) {
    return double(a.x) * b.x + double(a.y) * b.y + double(a.z) * b.z;
}

inline Vec3 cross(const Vec3& u, const Vec3& w) {
    return Vec3(float(double(u.y) * w.z - double(u.z) * w.y),
                float(double(u.z) * w.x - double(u.x) * w.z),
                float(double(u.x) * w.y - double(u.y) * w.x));
}

inline double length(const Vec3& v) {
    return std::sqrt(dot(v, v));
}

inline Vec3 midpoint(const Vec3& a, const Vec3& b) {
    return Vec3(float((double(a.x) + b.x) * 0.5), float((double(a.y) + b.y) * 0.5),
                float((double(a.z) + b.z) * 0.5));
}

// Scales v to unit length in place and returns the new value; an exactly
// zero vector is left alone (NaN counts as non-zero). Inline: level builds
// call it for every subdivision point and every normal.
inline Vec3 normalise(Vec3& v) {
    if (v.x == 0.0f && v.y == 0.0f && v.z == 0.0f)
        return v;
    // Squares in double so that no non-zero float vector underflows to zero.
    double inv = 1.0 / std::sqrt(double(v.x) * v.x + double(v.y) * v.y + double(v.z) * v.z);
    v.x = float(v.x * inv);
    v.y = float(v.y * inv);
    v.z = float(v.z * inv);
    return v;
}

} // namespace orbiton
