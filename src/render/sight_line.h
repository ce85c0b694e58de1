// SPDX-FileCopyrightText: 2026 The Orbiton 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "geometry/vec3.h"

namespace orbiton {

// Per-frame values the render sets before drawing, read by the bricks'
// fading: the viewer's direction from the centre, the ball, the frame time.
extern Vec3 sightPoint;
extern Vec3 focusPoint;
extern float frameTime;

void setSightLine(const Vec3& sight, const Vec3& focus);

} // namespace orbiton
