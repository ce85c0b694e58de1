// SPDX-FileCopyrightText: 2026 The Orbiton 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <gtest/gtest.h>
#include <memory>

#include <sstream>
#include <string>

#include "app/app.h"
#include "monitor/event_log.h"
#include "platform/headless_platform.h"
#include "support/level_directory.h"

namespace orbiton::test {

// Drives a real App on the headless platform one turn at a time, as run()
// does, so a test can look between frames.
class AppHarness {
  public:
    explicit AppHarness(const HeadlessPlatform::Options& options, const std::string& levels);
    ~AppHarness();

    // The App's own start, turns and stop, as run() makes them.
    bool start();
    // Turns until one was idle (the first arms the frame loop), handling
    // every pending event before it.
    void idle();
    // Turns until n more frames have been drawn.
    void frames(int n);
    void finish();

    // Frames ended and levels started so far.
    struct Counts : GameListener {
        void frameEnded(App&) override { ++frames; }
        void levelStarted(App&) override { ++levels; }
        long frames = 0;
        long levels = 0;
    };

    HeadlessPlatform platform;
    App app;
    std::ostringstream events; // what the event log wrote
    Counts counts;
    bool quit = false;

  private:
    EventLog log{events};
    bool started = false;
};

} // namespace orbiton::test
