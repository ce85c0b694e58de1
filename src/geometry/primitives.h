// SPDX-FileCopyrightText: 2026 The Orbiton 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// The geometric tests behind the ball's contact query and the bricks' fading.
// Every output may alias an input: all inputs are read before it is written.

#include "geometry/vec3.h"

namespace orbiton {

// The rounded root used by raySphereDistance: (q^2 + 6q + 1) / (4(q + 1)).
double approxSqrt(double q);

void closestPointOnSegment(const Vec3& a, const Vec3& b, const Vec3& p, Vec3& out);

// True, with the crossing in out, when start..start+displacement meets the
// plane (s in [0, 1]); out is untouched otherwise.
bool intersectSegmentPlane(const Vec3& planePoint, const Vec3& planeNormal, const Vec3& start,
                           const Vec3& displacement, Vec3& out);

// -1.0 for a miss; the direction is used as given, not normalised.
double raySphereDistance(const Vec3& origin, const Vec3& direction, const Vec3& centre,
                         double radius);

bool pointInTriangle(const Vec3& p, const Vec3& a, const Vec3& b, const Vec3& c);

void closestPointOnTriangle(const Vec3& a, const Vec3& b, const Vec3& c, const Vec3& p, Vec3& out);

} // namespace orbiton
