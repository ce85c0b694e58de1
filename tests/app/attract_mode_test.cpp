// SPDX-FileCopyrightText: 2026 The Orbiton 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <sstream>

#include "app/autopilot.h"
#include "support/app_harness.h"

namespace orbiton {
namespace {

using test::AppHarness;

int bundledLevelCount() {
    int n = 0;
    while (std::filesystem::exists(World::levelFileName(n + 1, ORBITON_SOURCE_LEVELS)))
        ++n;
    return n;
}

// The attract mode clears every bundled level through the real frame loop
// (drawing skipped, so the test is quick), within 250 frames per brick plus
// 20,000: about four seconds of play at 60 frames a second per brick.
TEST(AttractMode, ClearsEveryBundledLevel) {
    const int levels = bundledLevelCount();
    ASSERT_GE(levels, 12);
    for (int level = 1; level <= levels; ++level) {
        HeadlessPlatform::Options o;
        o.windowWidth = 32;
        o.windowHeight = 24;
        AppHarness h(o, ORBITON_SOURCE_LEVELS);
        h.app.firstLevel = level;
        h.app.drawOptions.drawing = false;
        h.app.inputSource = std::make_unique<Autopilot>(std::uint32_t(level));
        h.app.firstLevel = level;
        ASSERT_TRUE(h.start());
        const std::size_t bricks = h.app.world->bricks.size();
        const long budget = long(bricks) * 250 + 20000;
        long frames = 0;
        while (h.app.level == level && frames < budget) {
            h.frames(1);
            ++frames;
        }
        EXPECT_GT(h.app.level, level)
            << "level " << level << " (" << bricks << " bricks) not cleared in " << budget
            << " frames; " << h.app.world->bricks.size() << " left";
        EXPECT_EQ(h.app.score, int(bricks) * 100) << "level " << level;
    }
}

// What the game takes from the autopilot, seen where the game takes it: a
// source in between hands each move on and keeps the largest, and how far
// any went past the hand's 3000 pixels a second in its frame's time.
class Watched : public InputSource {
  public:
    Move next(const World& world, bool ballLaunched, float dt) override {
        const Move m = pilot.next(world, ballLaunched, dt);
        const int step = std::max(std::abs(m.dx), std::abs(m.dy));
        biggest = std::max(biggest, step);
        beyond = std::max(beyond, float(step) - std::max(1.0f, 3000.0f * dt));
        ++moves;
        return m;
    }
    Autopilot pilot{1};
    int biggest = 0;
    float beyond = -1e9f;
    int moves = 0;
};

TEST(AttractMode, SteersWithMouseSizedStepsAndLaunches) {
    HeadlessPlatform::Options o;
    o.windowWidth = 32;
    o.windowHeight = 24;
    AppHarness h(o, ORBITON_SOURCE_LEVELS);
    auto source = std::make_unique<Watched>();
    Watched& watched = *source;
    h.app.inputSource = std::move(source);
    ASSERT_TRUE(h.start());
    bool launched = false;
    for (int f = 0; f < 600; ++f) {
        h.frames(1);
        launched = launched || h.app.ballLaunched;
    }
    EXPECT_TRUE(launched);
    EXPECT_GE(watched.moves, 599); // one a frame (the first frame only arms the loop)
    EXPECT_GT(watched.biggest, 0);
    // At most 3000 pixels a second: 51 in a frame of 17 ms, the longest of
    // the 1/60 s clock's whole milliseconds; a move rounds to whole pixels,
    // half a pixel at most.
    EXPECT_LE(watched.biggest, 51);
    EXPECT_LE(watched.beyond, 0.5f);
}

} // namespace
} // namespace orbiton

namespace orbiton {
namespace {

// Short frames each ask for less than a pixel of steering; rounded away, the
// paddle never lines up and the ball is never launched. From 0.1 ms to
// 100 ms a frame the attract mode launches and hits bricks within 20 s.
TEST(AttractMode, LaunchesAndPlaysAtAnyFrameTime) {
    for (double seconds : {0.0001, 0.001, 0.002, 0.004, 1.0 / 60, 0.05, 0.1}) {
        HeadlessPlatform::Options o;
        o.windowWidth = 32;
        o.windowHeight = 24;
        o.frameSeconds = seconds;
        AppHarness h(o, ORBITON_SOURCE_LEVELS);
        h.app.drawOptions.drawing = false;
        h.app.inputSource = std::make_unique<Autopilot>(1);
        ASSERT_TRUE(h.start());
        h.frames(int(20.0 / seconds));
        const std::string events = h.events.str();
        EXPECT_NE(events.find(" launch\n"), std::string::npos) << seconds << " s a frame";
        EXPECT_NE(events.find(" hit score 100 "), std::string::npos) << seconds << " s a frame";
    }
}

} // namespace
} // namespace orbiton
