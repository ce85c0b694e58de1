// SPDX-FileCopyrightText: 2026 The Orbiton 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "geometry/primitives.h"

namespace orbiton {

namespace {

// 2*pi -/+ 0.0001 with pi as the float 3.1415927, rounded to float.
constexpr float kAngleSumLow = 6.2830853f;
constexpr float kAngleSumHigh = 6.2832856f;

double squaredDistance(const Vec3& a, const Vec3& b) {
    Vec3 d = a - b;
    return dot(d, d);
}

} // namespace

double approxSqrt(double q) {
    return ((q + 6.0) * q + 1.0) / ((q + 1.0) * 4.0);
}

void closestPointOnSegment(const Vec3& a, const Vec3& b, const Vec3& p, Vec3& out) {
    Vec3 d = b - a;
    Vec3 w = p - a;
    float segLenSq = float(dot(d, d));
    Vec3 u = d;
    normalise(u);
    float t = float(dot(w, u));
    if (t < 0.0f) {
        out = a;
        return;
    }
    if (std::sqrt(double(segLenSq)) < t) {
        out = b;
        return;
    }
    double len = length(u);
    if (len == 0.0) {
        // A segment of one point: that point is the nearest (0/0 otherwise).
        out = a;
        return;
    }
    double k = t / len;
    out = Vec3(float(a.x + u.x * k), float(a.y + u.y * k), float(a.z + u.z * k));
}

bool intersectSegmentPlane(const Vec3& planePoint, const Vec3& planeNormal, const Vec3& start,
                           const Vec3& displacement, Vec3& out) {
    double s = dot(planePoint - start, planeNormal) / dot(displacement, planeNormal);
    if (!(s >= 0.0 && s <= 1.0))
        return false; // beyond either end, or parallel (inf / NaN)
    out = Vec3(float(start.x + s * displacement.x), float(start.y + s * displacement.y),
               float(start.z + s * displacement.z));
    return true;
}

double raySphereDistance(const Vec3& origin, const Vec3& direction, const Vec3& centre,
                         double radius) {
    Vec3 l = centre - origin;
    double dist = length(l);
    double tca = dot(l, direction);
    double q = radius * radius - (dist * dist - tca * tca);
    if (q < 0.0)
        return -1.0;
    return tca - approxSqrt(q);
}

bool pointInTriangle(const Vec3& p, const Vec3& a, const Vec3& b, const Vec3& c) {
    Vec3 va = a - p;
    Vec3 vb = b - p;
    Vec3 vc = c - p;
    float invC = float(1.0 / length(vc));
    float invB = float(1.0 / length(vb));
    float lenA = float(length(va));
    double t1 = std::acos((dot(vc, va) / lenA) * invC);
    double t2 = std::acos(dot(vc, vb) * invB * invC);
    double t3 = std::acos((dot(vb, va) / lenA) * invB);
    double sum = t1 + t2 + t3;
    // NaN (a corner, or an acos argument pushed past 1 by rounding) fails both.
    return kAngleSumLow < sum && sum < kAngleSumHigh;
}

void closestPointOnTriangle(const Vec3& a, const Vec3& b, const Vec3& c, const Vec3& p, Vec3& out) {
    if (pointInTriangle(p, a, b, c)) {
        out = p;
        return;
    }
    Vec3 qab, qbc, qca;
    closestPointOnSegment(a, b, p, qab);
    closestPointOnSegment(b, c, p, qbc);
    closestPointOnSegment(c, a, p, qca);
    double eab = squaredDistance(qab, p);
    double ebc = squaredDistance(qbc, p);
    double eca = squaredDistance(qca, p);
    // Ties go to the later edge of the order AB, BC, CA.
    if (eab < ebc)
        out = eab < eca ? qab : qca;
    else
        out = ebc < eca ? qbc : qca;
}

} // namespace orbiton
