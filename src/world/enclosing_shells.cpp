// SPDX-FileCopyrightText: 2026 The Orbiton 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "world/enclosing_shells.h"

#include <algorithm>
#include <cmath>

#include "geometry/primitives.h"

namespace orbiton {

bool segmentMeetsBall(const Vec3& eye, const Vec3& point, double radius) {
    Vec3 nearest;
    closestPointOnSegment(eye, point, Vec3(0, 0, 0), nearest);
    return dot(nearest, nearest) < radius * radius;
}

void EnclosingShells::find(const LevelReport& report, const BrickList& bricks) {
    shells.clear();
    std::size_t next = 0;
    for (const LevelReport::AppliedLine& line : report.applied) {
        if (line.arena)
            continue;
        const std::size_t first = next;
        next += line.bricks;
        if (next > bricks.size())
            return; // not the bricks these lines made
        const bool closed = line.faceMask == 0xFF && line.subMask == 0xF && line.bricks > 0;
        // Both radii on the same side of the centre and apart: the caps on the
        // second sphere face outwards, whichever sphere is the larger.
        if (!closed || !(line.firstRadius > 0.0f && line.secondRadius > 0.0f) ||
            line.firstRadius == line.secondRadius)
            continue;
        Shell shell{0.0, 0.0, {}, {}};
        double caps = line.secondRadius;
        for (std::size_t i = first; i < next; ++i) {
            const Mesh& m = *bricks[i]->shape;
            // How far from the centre the plane of the outward-facing cap lies.
            const Vec3& a = m.vertices[3];
            const Vec3 n = cross(m.vertices[4] - a, m.vertices[5] - a);
            const double nl = length(n);
            caps = nl > 0.0 ? std::min(caps, std::abs(dot(n, a)) / nl) : 0.0;
            for (const Vec3& v : m.vertices)
                shell.outerRadius = std::max(shell.outerRadius, length(v));
            shell.members.push_back(bricks[i].get());
        }
        shell.clearRadius = caps - kMargin;
        if (shell.clearRadius <= 0.0)
            continue; // too small to hide anything with room to spare
        std::sort(shell.members.begin(), shell.members.end());
        shells.push_back(std::move(shell));
    }
}

void EnclosingShells::removed(const Brick* brick) {
    const std::vector<Vec3>& corners = brick->shape->vertices;
    for (Shell& s : shells)
        if (std::binary_search(s.members.begin(), s.members.end(), brick))
            s.holes.push_back(boundingBall(corners.data(), corners.size()));
}

EnclosingShells::Ball EnclosingShells::boundingBall(const Vec3* points, std::size_t count) {
    double c[3] = {0, 0, 0};
    for (std::size_t i = 0; i < count; ++i) {
        c[0] += points[i].x;
        c[1] += points[i].y;
        c[2] += points[i].z;
    }
    const double n = double(count > 0 ? count : 1);
    Ball b{Vec3(float(c[0] / n), float(c[1] / n), float(c[2] / n)), 0.0};
    for (std::size_t i = 0; i < count; ++i)
        b.radius = std::max(b.radius, length(points[i] - b.centre));
    b.radius *= 1.0 + 1e-6; // the centre was rounded to float
    return b;
}

EnclosingShells::Cone EnclosingShells::coneOf(const Vec3& eye, const Ball& ball) {
    const double d[3] = {double(ball.centre.x) - eye.x, double(ball.centre.y) - eye.y,
                         double(ball.centre.z) - eye.z};
    const double distance = std::sqrt(d[0] * d[0] + d[1] * d[1] + d[2] * d[2]);
    if (distance <= ball.radius) // the eye is inside: every direction
        return {{1, 0, 0}, 4.0, 0.0, distance + ball.radius};
    return {{d[0] / distance, d[1] / distance, d[2] / distance},
            std::asin(ball.radius / distance),
            distance - ball.radius,
            distance + ball.radius};
}

bool EnclosingShells::apart(const Cone& a, const Cone& b) {
    const double c = a.axis[0] * b.axis[0] + a.axis[1] * b.axis[1] + a.axis[2] * b.axis[2];
    return std::acos(std::clamp(c, -1.0, 1.0)) > a.halfAngle + b.halfAngle + kConeGap;
}

void EnclosingShells::look(const BrickList& bricks, const Vec3& eyeNow) {
    eye = eyeNow;
    blended.clear();
    usable.clear();
    for (const auto& b : bricks)
        if (b->alpha < 0.999f) {
            const std::vector<Vec3>& corners = b->shape->vertices;
            blended.push_back(coneOf(eye, boundingBall(corners.data(), corners.size())));
        }
    const double eyeDistance = length(eye);
    for (const Shell& s : shells) {
        if (eyeDistance <= s.outerRadius || blended.size() + s.holes.size() > kMaxOpenings)
            continue;
        Usable u{&s, {}};
        for (const Ball& h : s.holes)
            u.holes.push_back(coneOf(eye, h));
        usable.push_back(std::move(u));
    }
    std::sort(usable.begin(), usable.end(), [](const Usable& a, const Usable& b) {
        return a.shell->clearRadius > b.shell->clearRadius;
    });
}

bool EnclosingShells::hides(const Vec3* points, std::size_t count) const {
    return hidesBehind(points, count, true);
}

bool EnclosingShells::hidesOutlines(const Vec3* points, std::size_t count) const {
    return hidesBehind(points, count, false);
}

bool EnclosingShells::hidesBehind(const Vec3* points, std::size_t count, bool blendedOpen) const {
    bool coneKnown = false;
    Cone sight{};
    for (const Usable& u : usable) {
        // Points and bricks are convex, and so is the set of points whose
        // sight line crosses the ball: the corners decide for the whole hull.
        const double r = u.shell->clearRadius;
        if (!std::all_of(points, points + count,
                         [&](const Vec3& p) { return segmentMeetsBall(eye, p, r); }))
            continue;
        if (u.holes.empty() && (blended.empty() || !blendedOpen))
            return true;
        if (!coneKnown) {
            sight = coneOf(eye, boundingBall(points, count));
            coneKnown = true;
        }
        // An opening wholly beyond the thing is not on the way to it.
        auto clear = [&](const Cone& c) {
            return c.nearest > sight.farthest + kMargin || apart(sight, c);
        };
        if (std::all_of(u.holes.begin(), u.holes.end(), clear) &&
            (!blendedOpen || std::all_of(blended.begin(), blended.end(), clear)))
            return true;
    }
    return false;
}

void EnclosingShells::markHidden(const BrickList& bricks, const Vec3& eyeNow) {
    look(bricks, eyeNow);
    for (const auto& b : bricks) {
        const std::vector<Vec3>& corners = b->shape->vertices;
        b->hidden = !usable.empty() && hides(corners.data(), corners.size());
        // Corners 0 to 2 make the cap on the first radius.
        b->innerEdgesHidden = !usable.empty() && !b->hidden && hidesOutlines(corners.data(), 3);
    }
}

} // namespace orbiton
