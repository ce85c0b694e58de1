// SPDX-FileCopyrightText: 2026 The Orbiton 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "world/world.h"

namespace orbiton {

// Input that does not come from the player: what it asks for goes through
// the same paths as the player's mouse, click and R key.
class InputSource {
  public:
    struct Move {
        int dx = 0; // mouse motion in pixels
        int dy = 0;
        bool launch = false; // a click
        bool reset = false;  // the R key
    };

    virtual ~InputSource() = default;
    virtual Move next(const World& world, bool ballLaunched, float dt) = 0;
};

} // namespace orbiton
