#include "world/enclosing_shells.h"

#include <algorithm>
#include <cmath>

namespace orbiton {

bool segmentMeetsBall(const Vec3& eye, const Vec3& point, double radius) {
    const double dx = double(point.x) - eye.x, dy = double(point.y) - eye.y,
                 dz = double(point.z) - eye.z;
    const double span = dx * dx + dy * dy + dz * dz;
    double t =
        span > 0.0 ? -(double(eye.x) * dx + double(eye.y) * dy + double(eye.z) * dz) / span : 0.0;
    t = std::clamp(t, 0.0, 1.0);
    const double x = eye.x + t * dx, y = eye.y + t * dy, z = eye.z + t * dz;
    return x * x + y * y + z * z < radius * radius;
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
        // Corners 0-2 on the first sphere: inside the second one, the shell is wound outwards.
        if (!closed || !(line.firstRadius > 0.0f && line.firstRadius < line.secondRadius))
            continue;
        Shell shell{0.0, 0.0, {}, {}};
        double innerCaps = line.firstRadius;
        for (std::size_t i = first; i < next; ++i) {
            const Mesh& m = *bricks[i]->getShape();
            // The inner cap's plane lies this far from the centre.
            const Vec3& a = m.vertices[0];
            const Vec3 n = cross(m.vertices[1] - a, m.vertices[2] - a);
            const double nl = length(n);
            innerCaps = nl > 0.0 ? std::min(innerCaps, std::abs(dot(n, a)) / nl) : 0.0;
            for (const Vec3& v : m.vertices)
                shell.outerRadius = std::max(shell.outerRadius, length(v));
            shell.members.push_back(bricks[i].get());
        }
        shell.clearRadius = innerCaps - kMargin;
        if (shell.clearRadius <= 0.0)
            continue; // too small to hide anything with room to spare
        std::sort(shell.members.begin(), shell.members.end());
        shells.push_back(std::move(shell));
    }
}

void EnclosingShells::removed(const Brick* brick) {
    for (Shell& s : shells)
        if (std::binary_search(s.members.begin(), s.members.end(), brick))
            s.holes.push_back(boundingBall(*brick));
}

EnclosingShells::Ball EnclosingShells::boundingBall(const Brick& brick) {
    const Mesh& m = *const_cast<Brick&>(brick).getShape();
    Ball b{m.bounds.centre, 0.0};
    for (const Vec3& v : m.vertices)
        b.radius = std::max(b.radius, length(v - b.centre));
    return b;
}

EnclosingShells::Cone EnclosingShells::coneOf(const Vec3& eye, const Ball& ball) {
    const double d[3] = {double(ball.centre.x) - eye.x, double(ball.centre.y) - eye.y,
                         double(ball.centre.z) - eye.z};
    const double distance = std::sqrt(d[0] * d[0] + d[1] * d[1] + d[2] * d[2]);
    if (distance <= ball.radius) // the eye is inside: every direction
        return {{1, 0, 0}, 4.0};
    return {{d[0] / distance, d[1] / distance, d[2] / distance}, std::asin(ball.radius / distance)};
}

bool EnclosingShells::apart(const Cone& a, const Cone& b) {
    const double c = a.axis[0] * b.axis[0] + a.axis[1] * b.axis[1] + a.axis[2] * b.axis[2];
    return std::acos(std::clamp(c, -1.0, 1.0)) > a.halfAngle + b.halfAngle + kConeGap;
}

void EnclosingShells::markHidden(const BrickList& bricks, const Vec3& eye) {
    blended.clear();
    for (const auto& b : bricks) {
        b->hidden = false;
        if (b->alpha < 0.999f)
            blended.push_back(coneOf(eye, boundingBall(*b)));
    }
    const double eyeDistance = length(eye);
    for (const Shell& s : shells) {
        if (eyeDistance <= s.outerRadius || blended.size() + s.holes.size() > kMaxOpenings)
            continue;
        holes.clear();
        for (const Ball& h : s.holes)
            holes.push_back(coneOf(eye, h));
        for (const auto& b : bricks) {
            if (b->hidden)
                continue;
            const std::vector<Vec3>& corners = b->getShape()->vertices;
            // The bricks are convex, and so is the set of points whose sight
            // line crosses the ball: the corners decide for the whole brick.
            if (!std::all_of(corners.begin(), corners.end(), [&](const Vec3& c) {
                    return segmentMeetsBall(eye, c, s.clearRadius);
                }))
                continue;
            if (holes.empty() && blended.empty()) {
                b->hidden = true;
                continue;
            }
            const Cone sight = coneOf(eye, boundingBall(*b));
            auto clear = [&](const Cone& c) { return apart(sight, c); };
            b->hidden = std::all_of(holes.begin(), holes.end(), clear) &&
                        std::all_of(blended.begin(), blended.end(), clear);
        }
    }
}

} // namespace orbiton
