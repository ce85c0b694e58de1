// SPDX-FileCopyrightText: 2026 The Orbiton 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "geometry/vec3.h"

namespace orbiton {

// The render state every new context starts from: lighting, flat shading,
// depth test, back faces culled, alpha blending, light grey background.
void applyFixedRenderState();

// Light 0 (from the viewer's side) and light 1 (carried by the ball, with
// steep quadratic fall-off); their positions are set every frame.
void setupLights();

// Viewport and a 45-degree perspective reaching just past the farthest
// camera; leaves the model-view matrix selected with the identity. A zero
// height (a minimised window) keeps a valid projection.
void setProjection(int width, int height);

// Model-view for a camera at viewDistance along viewDirection looking at the
// centre, then the two light positions in world coordinates.
void placeCameraAndLights(const Vec3& viewDirection, const Vec3& viewUp, float viewDistance,
                          const Vec3& ballPosition);

} // namespace orbiton
