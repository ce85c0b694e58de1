// SPDX-FileCopyrightText: 2026 The Orbiton 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once


#include <array>

#include "objects/scene_object.h"
#include "paddle_arena/quaternion.h"
#include "render/display_list.h"

namespace orbiton {

// The player's bat: a 0.1 square whose plane lies planeDistance from the
// centre, turned about the centre by the mouse. position is the unit
// direction through its centre; its mesh holds the corners in world space.
class Paddle : public SceneObject {
  public:
    Paddle(float planeDistance, const Vec3& homePosition, const Vec3& up, bool solid);
    ~Paddle() override;

    void draw() override {}
    void drawBlended() override;
    void buildLists() override;
    void releaseLists() override;

    // Mouse motion in pixels (dx right, dy down): 0.001 radian a pixel, the
    // pitch turn first, both about the paddle's own current axes.
    void steer(int dx, int dy);
    // Rewrites the mesh's four corners from the orientation.
    void updateCorners();

    Quaternion orientation;
    Vec3 yawAxis;
    Vec3 pitchAxis;
    float planeDistance;
    float halfSize = 0.05f;
    std::array<Vec3*, 4> corners{};
    bool solid;
    DisplayList solidList;
    DisplayList outlineList;
};

} // namespace orbiton
