// SPDX-FileCopyrightText: 2026 The Orbiton 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "platform/platform.h"

namespace orbiton {

// Hears what the game takes from outside itself, in the order it takes it:
// each event it handles (keys, clicks, the close box) and, as each frame
// ends, that frame's time and the mouse motion it read. With the levels and
// the options, that is all a game's flight depends on.
class InputRecorder {
  public:
    virtual ~InputRecorder() = default;

    virtual void eventTaken(const PlatformEvent& event) = 0;
    virtual void frameTaken(float seconds, int dx, int dy) = 0;
};

} // namespace orbiton
