// SPDX-FileCopyrightText: 2026 The Orbiton 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "render/sight_line.h"

namespace orbiton {

Vec3 sightPoint;
Vec3 focusPoint;
float frameTime = 0.0f;

void setSightLine(const Vec3& sight, const Vec3& focus) {
    sightPoint = sight;
    focusPoint = focus;
}

} // namespace orbiton
