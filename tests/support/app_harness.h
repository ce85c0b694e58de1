#pragma once

#include <gtest/gtest.h>
#include <memory>

#include <sstream>
#include <string>

#include "app/app.h"
#include "platform/headless_platform.h"

namespace orbiton::test {

// A directory of level files for one test, removed afterwards.
class LevelDirectory {
  public:
    explicit LevelDirectory(const std::string& name);
    ~LevelDirectory();
    void write(int level, const std::string& text) const;
    const std::string& path() const { return dir; }

  private:
    std::string dir;
};

// Drives a real App on the headless platform one turn at a time, as run()
// does, so a test can look between frames.
class AppHarness {
  public:
    explicit AppHarness(const HeadlessPlatform::Options& options, const std::string& levels);
    ~AppHarness();

    // registerWindowClass, createWindow, startLevel(0, 1, 3), cursor to the centre.
    bool start();
    // Handles every pending event; false once the quit event came.
    bool pump();
    // One idle turn after the events (the first arms the frame loop).
    void idle();
    // Pumps and runs frames until n more have been drawn.
    void frames(int n);
    // What run() does after its loop.
    void finish();

    HeadlessPlatform platform;
    App app;
    std::ostringstream events;
    bool quit = false;
};

} // namespace orbiton::test
