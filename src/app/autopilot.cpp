// SPDX-FileCopyrightText: 2026 The Orbiton 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/autopilot.h"

#include <algorithm>
#include <cmath>

namespace orbiton {

namespace {
constexpr float kRadiansPerPixel = 0.001f;  // as the paddle's steering
constexpr float kPixelsPerSecond = 3000.0f; // the fastest a hand moves the mouse
constexpr float kEasing = 8.0f;             // a turn closes at this rate per second
constexpr float kPaddleSphere = 0.465f;     // where the ball's centre meets the paddle
constexpr float kMaxTilt = 0.06f;           // radians: keeps the hit on the square
constexpr float kLaunchAlignment = 0.03f;   // radians
constexpr float kLaunchPause = 0.4f;        // seconds of rest before a launch
constexpr float kHopeless = 25.0f;          // seconds without a hit: start again

Vec3 unit(Vec3 v) {
    normalise(v);
    return v;
}

// Turns a towards b by at most maxAngle radians (both unit vectors).
Vec3 turnTowards(const Vec3& a, const Vec3& b, float maxAngle) {
    const double cosine = std::clamp(dot(a, b), -1.0, 1.0);
    const double angle = std::acos(cosine);
    if (angle <= maxAngle)
        return b;
    Vec3 side = b - a * float(cosine);
    if (length(side) < 1e-9)
        return a;
    normalise(side);
    const float t = maxAngle;
    return unit(a * std::cos(t) + side * std::sin(t));
}

} // namespace

float Autopilot::nextRandom() {
    random = random * 1664525u + 1013904223u;
    return float(random >> 8) / float(1u << 23) - 1.0f;
}

Autopilot::Move Autopilot::steerTowards(const Paddle& paddle, const Vec3& target, float dt) {
    // The target in the paddle's own frame, where it faces +x: yaw (dx > 0)
    // turns it towards -z, pitch (dy > 0) towards -y.
    const Quaternion& q = paddle.orientation;
    const Vec3 local = rotate(Quaternion{-q.x, -q.y, -q.z, q.w}, target);
    const float yaw = std::atan2(-local.z, local.x);
    const float pitch = std::atan2(-local.y, local.x);
    const float ease = std::min(1.0f, kEasing * dt);
    const float limit = std::max(1.0f, kPixelsPerSecond * dt);
    const float wantX = std::clamp(yaw * ease / kRadiansPerPixel + carryX, -limit, limit);
    const float wantY = std::clamp(pitch * ease / kRadiansPerPixel + carryY, -limit, limit);
    Move m;
    m.dx = int(std::lround(wantX));
    m.dy = int(std::lround(wantY));
    carryX = wantX - float(m.dx);
    carryY = wantY - float(m.dy);
    return m;
}

const Brick* Autopilot::chooseBrick(const World& world, const Vec3& from, const Vec3& heading) {
    const Brick* best = nullptr;
    double bestScore = -2.0;
    for (const auto& b : world.bricks) {
        const double score = dot(unit(b->shape->bounds.centre - from), heading);
        if (score > bestScore) {
            bestScore = score;
            best = b.get();
        }
    }
    return best;
}

Vec3 Autopilot::aimForLaunch(const World& world) {
    // A launch flies through the centre: face away from a brick to hit it.
    bool stillThere = false;
    for (const auto& b : world.bricks)
        stillThere = stillThere || b.get() == launchTarget;
    if (!stillThere || world.bricks.size() != launchTargetCount) {
        const std::size_t pick =
            std::size_t((nextRandom() + 1.0f) * 0.5f * float(world.bricks.size()));
        launchTarget = world.bricks[std::min(pick, world.bricks.size() - 1)].get();
        launchTargetCount = world.bricks.size();
    }
    return unit(launchTarget->shape->bounds.centre * -1.0f);
}

Vec3 Autopilot::aimForBall(const World& world) {
    const Ball& ball = *world.ball;
    const Vec3& p = ball.position;
    const Vec3& v = ball.velocity;
    // Where the straight flight meets the paddle's sphere (ahead of the ball).
    const double a = dot(v, v);
    if (a < 1e-12)
        return world.paddle->position;
    const double b = dot(p, v);
    const double c = dot(p, p) - double(kPaddleSphere) * kPaddleSphere;
    const double t = (-b + std::sqrt(std::max(0.0, b * b - a * c))) / a;
    const Vec3 meet(float(p.x + v.x * t), float(p.y + v.y * t), float(p.z + v.z * t));
    const Vec3 toMeet = unit(meet);

    const bool nowOutward = b > 0;
    if (nowOutward && !outward)
        jitter = nextRandom();
    outward = nowOutward;

    // Tilt the paddle so that the ball leaves towards a brick: a flat paddle
    // facing n turns a velocity v into v - 2(v.n)n, so n lies along v - w.
    const Vec3 heading = unit(v * -1.0f);
    const Brick* target = chooseBrick(world, meet, heading);
    Vec3 wanted = toMeet;
    if (target) {
        const Vec3 w = unit(target->shape->bounds.centre - meet);
        Vec3 n = unit(unit(v) - w);
        if (dot(n, toMeet) < 0)
            n = n * -1.0f;
        wanted = turnTowards(toMeet, n, kMaxTilt);
    }
    // A little play, different at every approach, breaks repeating loops.
    Vec3 side = unit(cross(toMeet, Vec3(0.3f, 1, 0.2f)));
    return turnTowards(wanted, unit(wanted + side * (0.02f * jitter)), kMaxTilt);
}

Autopilot::Move Autopilot::next(const World& world, bool ballLaunched, float dt) {
    if (world.bricks.empty())
        return Move{};
    if (world.bricks.size() != bricksSeen) {
        bricksSeen = world.bricks.size();
        sinceHit = 0.0f;
    }
    if (!ballLaunched) {
        const Vec3 aim = aimForLaunch(world);
        Move m = steerTowards(*world.paddle, aim, dt);
        const bool aligned = dot(world.paddle->position, aim) > std::cos(kLaunchAlignment);
        restTime = aligned ? restTime + dt : 0.0f;
        if (restTime >= kLaunchPause) {
            m.launch = true;
            restTime = 0.0f;
            sinceHit = 0.0f;
        }
        return m;
    }
    sinceHit += dt;
    if (sinceHit > kHopeless) {
        sinceHit = 0.0f;
        launchTarget = nullptr;
        Move m;
        m.reset = true;
        return m;
    }
    return steerTowards(*world.paddle, aimForBall(world), dt);
}

} // namespace orbiton
