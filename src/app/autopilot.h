// SPDX-FileCopyrightText: 2026 The Orbiton 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <cstdint>

#include "app/input_source.h"
#include "world/world.h"

namespace orbiton {

// Plays the game for the attract mode: it moves the "mouse" so that the
// paddle meets the ball where the ball will reach the paddle's sphere,
// tilting the paddle a little to send the ball towards a remaining brick,
// and it clicks to launch a resting ball once the paddle faces a brick.
// Steps are mouse-sized and eased, so the paddle glides rather than jumps.
// It presses R when the ball is in a loop that hits nothing.
class Autopilot : public InputSource {
  public:
    explicit Autopilot(std::uint32_t seed = 1) : random(seed) {}

    Move next(const World& world, bool ballLaunched, float dt) override;

  private:
    // The pixels that turn the paddle from where it faces towards target.
    Move steerTowards(const Paddle& paddle, const Vec3& target, float dt);
    Vec3 aimForLaunch(const World& world);
    Vec3 aimForBall(const World& world);
    const Brick* chooseBrick(const World& world, const Vec3& from, const Vec3& heading);
    float nextRandom(); // in [-1, 1)

    std::uint32_t random;
    float restTime = 0.0f;
    // The parts of a pixel not yet moved: short frames each want less than a
    // pixel, and rounding them away would never move the paddle at all.
    float carryX = 0.0f, carryY = 0.0f;
    float sinceHit = 0.0f;
    std::size_t bricksSeen = 0;
    bool outward = false;
    float jitter = 0.0f; // re-rolled at every approach to the paddle
    const Brick* launchTarget = nullptr;
    std::size_t launchTargetCount = 0;
};

} // namespace orbiton
