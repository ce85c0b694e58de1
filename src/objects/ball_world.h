// SPDX-FileCopyrightText: 2026 The Orbiton 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <memory>
#include <vector>

#include "geometry/vec3.h"

namespace orbiton {

class Brick;
class SceneObject;

// What the Ball needs of the world it moves in: the paddle, the bricks near
// it, the arena walls, and the two things a step can change there.
class BallWorld {
  public:
    virtual ~BallWorld() = default;

    virtual SceneObject& paddleObject() = 0;
    // The bricks the ball may touch this step, in list order, into out: those
    // that can come within reach of position when reach >= 0 and the world
    // narrows the search, otherwise every brick.
    virtual void candidateBricks(const Vec3& position, double reach, std::vector<Brick*>& out) = 0;
    virtual const std::vector<std::unique_ptr<SceneObject>>& walls() const = 0;
    // Whether the ball may use the walls' triangle indexes and ask for nearby
    // bricks only; both answers find the same contacts as the full walk.
    virtual bool narrowsSearch() const = 0;
    // Removes and destroys the brick and scores it.
    virtual void hitBrick(Brick* brick) = 0;
    // Puts the ball back on the paddle, at rest.
    virtual void resetBall() = 0;
};

} // namespace orbiton
