// SPDX-FileCopyrightText: 2026 The Orbiton 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <ostream>
#include <string>

#include "app/game_listener.h"
#include "monitor/write_check.h"

namespace orbiton {

// Writes, after every frame, "FRAME px py pz vx vy vz": the ball's position
// and velocity as hexadecimal floats, so that two runs can be compared bit for
// bit. Frame 1 is the first drawn. The text is the same on every system.
class FlightTrace : public GameListener {
  public:
    explicit FlightTrace(std::ostream& out) : out(out) {}

    void frameEnded(App& app) override;

    // A float exactly, in C's %a form of the same value as a double: "0x1.8p+1",
    // "-0x1.99999ap-4", "0x0p+0"; "inf", "-inf", "nan".
    static std::string hexFloat(float value);

    // Whether every line so far reached the stream, and if not why.
    WriteCheck written;

  private:
    std::ostream& out;
    long frame = 0;
};

} // namespace orbiton
