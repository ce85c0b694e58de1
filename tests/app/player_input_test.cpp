// SPDX-FileCopyrightText: 2026 The Orbiton 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include <gtest/gtest.h>

#include "app/autopilot.h"
#include "support/app_harness.h"

namespace orbiton {
namespace {

using test::AppHarness;
using test::LevelDirectory;

const char* kLevel = "OuterShell 3 ff\nShell 1 0.2 0.25 ff f Red\n";

struct Demo {
    LevelDirectory levels{"demo-hand-over"};
    std::unique_ptr<AppHarness> h;

    Demo() {
        levels.write(1, kLevel);
        HeadlessPlatform::Options o;
        o.windowWidth = 160;
        o.windowHeight = 120;
        h = std::make_unique<AppHarness>(o, levels.path());
        h->app.inputSource = std::make_unique<Autopilot>(3);
        EXPECT_TRUE(h->start());
        h->frames(120); // the attract mode has launched and steers
    }
    long next() const { return h->platform.framesDrawn() + 1; }
};

// The player's first mouse movement, key or click hands the game over; the
// game goes on from where the attract mode left it.
TEST(PlayerInput, TheFirstInputEndsTheAttractMode) {
    {
        Demo d;
        ASSERT_TRUE(d.h->app.inputSource);
        const int score = d.h->app.score;
        d.h->platform.scriptMouse(d.next(), 5, 0);
        d.h->frames(1);
        EXPECT_FALSE(d.h->app.inputSource);
        EXPECT_NE(d.h->events.str().find(" demo ends\n"), std::string::npos);
        EXPECT_EQ(d.h->app.level, 1);
        EXPECT_GE(d.h->app.score, score);
        // Nobody steers now: with the mouse still the paddle stays put.
        d.h->frames(1);
        const Quaternion q = d.h->app.world->paddle->orientation;
        d.h->frames(30);
        const Quaternion r = d.h->app.world->paddle->orientation;
        EXPECT_TRUE(q.w == r.w && q.x == r.x && q.y == r.y && q.z == r.z);
    }
    {
        Demo d;
        d.h->platform.scriptKey(d.next(), key::P, true);
        d.h->frames(1);
        EXPECT_FALSE(d.h->app.inputSource);
        EXPECT_TRUE(d.h->app.paused); // the key still does its own work
    }
    {
        Demo d;
        d.h->app.world->resetBall(); // on the paddle, so the click launches it
        d.h->platform.scriptClick(d.next());
        d.h->frames(1);
        EXPECT_FALSE(d.h->app.inputSource);
        EXPECT_TRUE(d.h->app.ballLaunched);
    }
}

// Dark pixels in the top-right corner, where the attract mode says "DEMO".
int darkTopRight(const AppHarness& h) {
    const auto& rows = h.platform.lastFrame();
    const int w = h.platform.windowWidth();
    int n = 0;
    for (int y = 0; y < 40; ++y)
        for (int x = w - 130; x < w; ++x) {
            const std::size_t i = (std::size_t(y) * w + x) * 4;
            n += rows[i] < 40 && rows[i + 1] < 40 && rows[i + 2] < 40;
        }
    return n;
}

TEST(PlayerInput, TheAttractModeSaysDemoUntilHandedOver) {
    LevelDirectory levels("demo-line");
    // No arena, no brick near the corner: only text can be dark there.
    levels.write(1, "Shell 1 0.05 0.06 80 f Red\n");
    HeadlessPlatform::Options o;
    o.captureLastFrame = true;
    AppHarness h(o, levels.path());
    h.app.inputSource = std::make_unique<Autopilot>(1);
    ASSERT_TRUE(h.start());
    h.frames(2);
    EXPECT_GT(darkTopRight(h), 100);
    h.platform.scriptKey(h.platform.framesDrawn() + 1, key::O, true);
    h.frames(2);
    EXPECT_EQ(darkTopRight(h), 0);
}

} // namespace
} // namespace orbiton

namespace orbiton {
namespace {

// What the player meets with nothing else on screen says so top right, in
// the overlay's font: a pause, a released mouse, a changed launch speed.
TEST(PlayerInput, PauseFreeMouseAndSpeedAreShownTopRight) {
    LevelDirectory levels("status-word");
    levels.write(1, "Shell 1 0.05 0.06 80 f Red\n"); // nothing dark near the corner
    HeadlessPlatform::Options o;
    o.captureLastFrame = true;
    AppHarness h(o, levels.path());
    ASSERT_TRUE(h.start());
    auto press = [&](int k) {
        const long next = h.platform.framesDrawn() + 1;
        h.platform.scriptKey(next, k, true);
        h.platform.scriptKey(next, k, false);
        h.frames(1);
    };
    h.frames(2);
    EXPECT_EQ(h.app.statusWord(), "");
    EXPECT_EQ(darkTopRight(h), 0); // plain play: nothing there
    press(key::P);
    EXPECT_EQ(h.app.statusWord(), "PAUSED");
    EXPECT_GT(darkTopRight(h), 100);
    press(key::P);
    EXPECT_EQ(h.app.statusWord(), "");
    // 0.4 - 0.05 - 0.05, shown for a second of frames (60 at the headless 1/60 s).
    press(key::KeypadMinus);
    press(key::KeypadMinus);
    EXPECT_EQ(h.app.statusWord(), "SPEED 0.30");
    EXPECT_GT(darkTopRight(h), 100);
    h.frames(58);
    EXPECT_EQ(h.app.statusWord(), "SPEED 0.30");
    h.frames(3);
    EXPECT_EQ(h.app.statusWord(), "");
    EXPECT_EQ(darkTopRight(h), 0);
    press(key::M);
    EXPECT_EQ(h.app.statusWord(), "MOUSE FREE");
    EXPECT_GT(darkTopRight(h), 100);
    press(key::P); // the pause says more than the mouse
    EXPECT_EQ(h.app.statusWord(), "PAUSED");
    press(key::P);
    press(key::M);
    EXPECT_EQ(h.app.statusWord(), "");
    // Eight presses down from 0.4 land a hair below zero in float: shown as 0.00.
    for (int i = 0; i < 6; ++i)
        press(key::KeypadMinus);
    EXPECT_EQ(h.app.statusWord(), "SPEED 0.00");
}

} // namespace
} // namespace orbiton
