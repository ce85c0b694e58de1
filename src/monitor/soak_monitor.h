// SPDX-FileCopyrightText: 2026 The Orbiton 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <ostream>
#include <string>

#include "app/game_listener.h"

namespace orbiton {

// Watches a long attract-mode run frame by frame: nothing that moves is NaN
// or infinite, the ball is inside the arena, the score is 100 per brick
// removed, OpenGL reports no error. It only watches: the run itself goes
// round the levels (App::roundAfterLevel) for as long as asked.
class SoakMonitor : public GameListener {
  public:
    SoakMonitor(App& app, std::ostream& log);

    void levelStarted(App&) override;
    void frameEnded(App&) override; // the checks
    // One line of figures; true when nothing was wrong.
    bool report(std::ostream& out);

  private:
    void problem(const std::string& what);

    App& app;
    std::ostream& log;
    long frames = 0;
    long problems = 0;
    long worldsSeen = 0;
    long worldsBuilt = 0;
    long removedBefore = 0; // in worlds that are gone
    int lastRemoved = 0;
    long levelsCleared = 0;
    long startKiB = -1;
    long endKiB = -1;
};

} // namespace orbiton
