// SPDX-FileCopyrightText: 2026 The Orbiton 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <ostream>
#include <string>

#include "app/game_listener.h"
#include "monitor/write_check.h"

namespace orbiton {

// Writes one line per game event, "FRAME what": "level L bricks B" (and
// once, past the last level there at the start, "all cleared"),
// "launch", "hit score S bricks B", "lost", "reset", "demo ends", and for a
// full-screen switch "fullscreen on|off lists N bricks B memory KIB heap KIB
// paddle W X Y Z" (the display lists alive in the new context, the resident
// size, the heap in use and the paddle's turn: what a leaking or a turning
// switch would show). Frame 1 is the first drawn; input handled between
// frames belongs to the frame that comes next.
class EventLog : public GameListener {
  public:
    explicit EventLog(std::ostream& out) : out(out) {}

    void frameStarted(App&) override;
    void frameEnded(App&) override;
    void levelStarted(App& app) override;
    void launched(App&) override;
    void brickHit(App& app) override;
    void ballLost(App&) override;
    void ballReset(App&) override;
    void fullscreenSwitched(App& app) override;
    void demoEnded(App&) override;

    // Whether every line so far reached the stream, and if not why.
    WriteCheck written;

  private:
    void line(const std::string& what);

    std::ostream& out;
    long frame = 0;
    bool inFrame = false;
    bool clearedSaid = false;
};

} // namespace orbiton
