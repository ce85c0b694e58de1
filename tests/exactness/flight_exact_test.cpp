// SPDX-FileCopyrightText: 2026 The Orbiton 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The ball's flights through the real game, frame by frame, against the
// reference flight: positions and velocities bit for bit and the same bricks
// hit in the same order. The paddle, the launch and the level's bricks are
// what the reference takes from the game; every step it computes itself.

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <string>

#include "app/autopilot.h"
#include "exactness/fingerprint.h"
#include "support/app_harness.h"
#include "support/reference_bridge.h"

namespace orbiton {
namespace {

using reference::Obstacle;
using reference::RVec;
using reference::toR;

std::string hex(const RVec& v) {
    char text[96];
    std::snprintf(text, sizeof text, "(%a, %a, %a)", double(v.x), double(v.y), double(v.z));
    return text;
}

// Follows the game's frames with the reference flight.
class FlightCheck : public GameListener {
  public:
    void levelStarted(App& a) override {
        const World& w = *a.world;
        flight.bricks.clear();
        flight.walls.clear();
        alive.clear();
        for (std::size_t i = 0; i < w.bricks.size(); ++i) {
            flight.bricks.push_back(reference::obstacleOf(*w.bricks[i], int(i)));
            alive.emplace_back(w.bricks[i].get(), int(i));
        }
        for (const auto& o : w.others)
            flight.walls.push_back(reference::obstacleOf(*o));
        flight.launched = a.ballLaunched;
        hits.clear();
        flight.hits.clear();
        ++levels;
    }
    void launched(App& a) override {
        flight.position = toR(a.world->ball->position);
        flight.velocity = toR(a.world->ball->velocity);
        flight.launched = true;
        ++launches;
    }
    void ballReset(App&) override { flight.launched = false; }
    void brickHit(App& a) override {
        // The brick the game took out: the first no longer in its list.
        const auto& now = a.world->bricks;
        std::size_t gone = 0;
        while (gone < now.size() && now[gone].get() == alive[gone].first)
            ++gone;
        hits.push_back(alive[gone].second);
        alive.erase(alive.begin() + long(gone));
        ++totalHits;
    }
    void frameEnded(App& a) override {
        ++frames;
        const std::uint32_t now = a.previousTick;
        const unsigned ms = haveTicks ? now - lastTick : 0;
        lastTick = now;
        haveTicks = true;
        if (!difference.empty() || a.paused)
            return;
        const Paddle& paddle = *a.world->paddle;
        const Obstacle p = reference::obstacleOf(paddle);
        if (flight.launched)
            flight.frame(reference::frameSeconds(ms), p, toR(paddle.position));
        else
            flight.rest(toR(paddle.position));
        const Ball& ball = *a.world->ball;
        if (!reference::sameBits(ball.position, flight.position) ||
            !reference::sameBits(ball.velocity, flight.velocity) || hits != flight.hits ||
            a.ballLaunched != flight.launched)
            difference = "frame " + std::to_string(frames) + ": position " +
                         hex(toR(ball.position)) + " velocity " + hex(toR(ball.velocity)) +
                         " hits " + std::to_string(hits.size()) + "; reference " +
                         hex(flight.position) + " " + hex(flight.velocity) + " hits " +
                         std::to_string(flight.hits.size());
        if (!a.ballLaunched)
            ++restingFrames;
        fp.add(flight.position);
        fp.add(flight.velocity);
        fp.add(flight.launched);
        fp.add(int(flight.hits.size()));
    }

    reference::Flight flight;
    exact::Fingerprint fp; // the reference flight, frame by frame
    std::vector<int> hits;
    std::string difference;
    long frames = 0, restingFrames = 0;
    int levels = 0, launches = 0;
    long totalHits = 0;

  private:
    std::vector<std::pair<const Brick*, int>> alive; // the game's bricks and their ids
    std::uint32_t lastTick = 0;
    bool haveTicks = false;
};

struct FlightRun {
    const char* name;
    int level;
    long frames;
    double frameSeconds;
    bool attract; // the game plays itself; otherwise the steering script
};

void PrintTo(const FlightRun& r, std::ostream* os) {
    *os << r.name;
}

class ExactFlight : public ::testing::TestWithParam<FlightRun> {};

TEST_P(ExactFlight, EveryFrameEqualsTheReferenceFlight) {
    const FlightRun& run = GetParam();
    HeadlessPlatform::Options options;
    options.frameSeconds = run.frameSeconds;
    test::AppHarness h(options, ORBITON_SOURCE_LEVELS);
    h.app.firstLevel = run.level;
    h.app.drawOptions.drawing = false;
    if (run.attract)
        h.app.inputSource = std::make_unique<Autopilot>();
    else {
        std::ifstream script(std::string(ORBITON_TEST_DATA) + "/flights/steer.script");
        std::string error;
        ASSERT_TRUE(h.platform.loadScript(script, error)) << error;
    }
    FlightCheck check;
    h.app.listeners.push_back(&check);
    ASSERT_TRUE(h.start());
    h.frames(int(run.frames));
    h.finish();
    EXPECT_EQ(check.difference, "");
    std::printf("%ld frames, %ld resting, %ld hits, %d launches, %d levels\n", check.frames,
                check.restingFrames, check.totalHits, check.launches, check.levels);
    EXPECT_EQ(check.frames, run.frames);
    // The flight met bricks and flew most of the time: something was compared.
    EXPECT_GT(check.totalHits, 0);
    EXPECT_GT(check.launches, 0);
    EXPECT_LT(check.restingFrames, run.frames / 2);
    exact::expectPinned(std::string("flight.") + run.name, check.fp);
}

INSTANTIATE_TEST_SUITE_P(Levels, ExactFlight,
                         ::testing::Values(FlightRun{"level1_steered", 1, 1200, 1.0 / 60, false},
                                           FlightRun{"level8_steered", 8, 1200, 1.0 / 60, false},
                                           FlightRun{"level12_steered", 12, 1200, 1.0 / 60, false},
                                           FlightRun{"level1_attract", 1, 3000, 1.0 / 60, true},
                                           FlightRun{"level12_attract", 12, 3000, 1.0 / 60, true},
                                           // Slow frames: several sub-steps each.
                                           FlightRun{"level12_attract_slow", 12, 1500, 0.05, true},
                                           FlightRun{"level5_attract_fast", 5, 3000, 0.004, true}),
                         [](const ::testing::TestParamInfo<FlightRun>& info) {
                             return std::string(info.param.name);
                         });

} // namespace
} // namespace orbiton
