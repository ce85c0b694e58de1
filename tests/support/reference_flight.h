// SPDX-FileCopyrightText: 2026 The Orbiton 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// The ball's flight written out a second time: its step against the paddle,
// the bricks and the arena shells, the impulse response, the integration, the
// sub-steps of a frame and the return to the paddle. Like the rest of the
// reference it shares no code with the game.

#include <vector>

#include "support/reference.h"

namespace orbiton::reference {

// What the ball can hit: a mesh, with the body's mass and velocity. A mesh
// without face normals (the paddle's) is tested with cross(C - A, B - A).
struct Obstacle {
    std::vector<RVec> vertices;
    std::vector<Tri> triangles;
    std::vector<RVec> faceNormals;
    RVec velocity;
    float mass = 1000.0f;
    int id = -1; // a brick's place in its level's list as built
};

class Flight {
  public:
    RVec position, velocity;
    float mass = 0.1f;
    float radius = 0.01f;
    bool launched = false;
    std::vector<Obstacle> bricks; // hit bricks are taken out
    std::vector<Obstacle> walls;
    std::vector<int> hits; // ids of the bricks hit, in order

    // The sub-steps of a frame of dt seconds: none moves the ball more than
    // half its radius, and a frame takes 256 at most (then covering less time).
    void frame(float dt, const Obstacle& paddle, const RVec& paddlePosition);
    // One step; true when the ball left the arena.
    bool step(float dt, const Obstacle& paddle);
    // Where the ball rests while not launched.
    void rest(const RVec& paddlePosition);

    bool collide(const Obstacle& o, float dt, RVec& normal) const;
    void bounce(const Obstacle& o, const RVec& n);
};

// A frame's seconds from the millisecond ticks it covered.
float frameSeconds(unsigned milliseconds);

} // namespace orbiton::reference
