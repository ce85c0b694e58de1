// SPDX-FileCopyrightText: 2026 The Orbiton 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <cstdint>
#include <string>

#include "platform/platform.h"

namespace orbiton {

// Gives the game, in the player's place, what a recorded game took: the
// events before each frame, each frame's time and its mouse motion.
class InputReplay {
  public:
    virtual ~InputReplay() = default;

    // The next recorded event before the next frame; false when a frame
    // comes next or nothing is left.
    virtual bool nextEvent(PlatformEvent& event) = 0;
    // Whether a recorded frame is left to play (false too once the replay
    // has found it does not fit the game: error() says why).
    virtual bool frameNext() = 0;
    // Takes the next frame: its time in seconds.
    virtual float takeFrame() = 0;
    // The mouse motion of the frame taken, where the game reads the mouse.
    virtual void takeMouse(int& dx, int& dy) = 0;
    // For a replay shown in a window: whether the next frame's recorded time
    // has come, on the platform's clock; and the watcher holding it.
    virtual bool frameDue(std::uint32_t now) = 0;
    virtual void hold(bool held, std::uint32_t now) = 0;
    // Why the replay stopped before its end; empty while it fits the game.
    virtual std::string error() const = 0;
};

} // namespace orbiton
