// SPDX-FileCopyrightText: 2026 The Orbiton 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include <gtest/gtest.h>

#include "platform/gl.h"

#include <cmath>

#include "paddle_arena/outer_shell.h"
#include "render/state_lists.h"
#include "support/app_harness.h"

namespace orbiton {
namespace {

using test::AppHarness;
using test::LevelDirectory;

const char* kArena = "OuterShell 3 ff\nShell 1 0.2 0.25 ff f Red\n";

HeadlessPlatform::Options every(double seconds, int width = 160, int height = 120) {
    HeadlessPlatform::Options o;
    o.frameSeconds = seconds;
    o.windowWidth = width;
    o.windowHeight = height;
    return o;
}

TEST(FrameLoop, FirstIdleTurnDrawsNothingAndTheNextGetsAlmostNoTime) {
    LevelDirectory levels("first-idle");
    levels.write(1, kArena);
    AppHarness h(every(0.02), levels.path());
    ASSERT_TRUE(h.start());
    h.idle();
    EXPECT_EQ(h.platform.framesDrawn(), 0);
    EXPECT_EQ(h.counts.frames, 0);
    h.idle();
    EXPECT_EQ(h.platform.framesDrawn(), 1);
    EXPECT_EQ(h.app.zoomBlend, 0.0f);
    h.frames(1);
    EXPECT_EQ(h.app.previousTick, 20u);
}

TEST(FrameLoop, TickDifferencesSurviveTheCounterWrapping) {
    LevelDirectory levels("wrap");
    levels.write(1, kArena);
    HeadlessPlatform::Options o = every(0.05);
    o.startTicks = 0xFFFFFFF0u; // wraps 16 ms in
    AppHarness h(o, levels.path());
    ASSERT_TRUE(h.start());
    h.app.tick();
    h.platform.swapBuffers();
    EXPECT_FLOAT_EQ(h.app.tick(), 0.05f);
    EXPECT_LT(h.app.previousTick, 0xFFFFFFF0u);
}

TEST(FrameLoop, ClearedLevelIsReplacedAtTheStartOfTheNextFrame) {
    LevelDirectory levels("cleared");
    levels.write(1, kArena);
    levels.write(2, "OuterShell 2 ff\nShell 1 0.2 0.25 80 f Blue\n");
    AppHarness h(every(1.0 / 60), levels.path());
    ASSERT_TRUE(h.start());
    h.frames(2);
    h.app.score = 1200;
    World* first = h.app.world.get();
    const long built = h.counts.levels;
    while (!first->bricks.empty())
        first->hitBrick(first->bricks.back().get()); // frame n empties the list
    h.frames(1);
    EXPECT_EQ(h.app.level, 2);
    EXPECT_EQ(h.counts.levels, built + 1);
    EXPECT_EQ(h.app.world->bricks.size(), 4u);
    EXPECT_EQ(h.app.score, 1200 + 32 * 100);
    EXPECT_EQ(h.app.lives, 3);
    EXPECT_NE(h.events.str().find("3 level 2 bricks 4"), std::string::npos) << h.events.str();
}

// Started on the largest level number, a cleared (empty) level never wraps
// the count to a negative level: the game stays on the last number there is.
TEST(FrameLoop, TheLargestLevelNumberIsTheLast) {
    LevelDirectory levels("largest-level");
    AppHarness h(every(1.0 / 60), levels.path());
    h.app.firstLevel = 2147483647;
    ASSERT_TRUE(h.start());
    h.frames(3);
    EXPECT_EQ(h.app.level, 2147483647);
    EXPECT_EQ(h.events.str().find("level -"), std::string::npos) << h.events.str();
}

// A run round the levels (the soak run) goes from its last level back to
// level 1 when that level is cleared, keeping score and lives; plain play
// climbs on.
TEST(FrameLoop, ARunRoundTheLevelsGoesBackToLevelOne) {
    LevelDirectory levels("round-levels");
    levels.write(1, "Shell 1 0.3 0.35 80 1 Red\n");
    levels.write(2, "Shell 1 0.3 0.35 80 1 Red\n");
    AppHarness h(every(1.0 / 60), levels.path());
    h.app.roundAfterLevel = 2;
    ASSERT_TRUE(h.start());
    h.app.startLevel(700, 2, 2);
    h.app.world->bricks.clear(); // level 2 cleared
    h.frames(1);
    EXPECT_EQ(h.app.level, 1);
    EXPECT_EQ(h.app.score, 700);
    EXPECT_EQ(h.app.lives, 2);
    EXPECT_EQ(h.app.world->bricks.size(), 1u);

    AppHarness play(every(1.0 / 60), levels.path());
    ASSERT_TRUE(play.start());
    play.app.startLevel(0, 2, 3);
    play.app.world->bricks.clear();
    play.frames(1);
    EXPECT_GE(play.app.level, 3);
}

TEST(FrameLoop, PauseFreezesBallAndPaddleButStillDraws) {
    LevelDirectory levels("pause");
    levels.write(1, kArena);
    AppHarness h(every(1.0 / 60), levels.path());
    ASSERT_TRUE(h.start());
    h.frames(2);
    h.app.launchBall();
    h.frames(2);
    h.app.onKeyDown(key::P);
    const Vec3 ball = h.app.world->ball->position;
    const Quaternion paddle = h.app.world->paddle->orientation;
    const long drawn = h.platform.framesDrawn();
    h.platform.scriptMouse(drawn + 1, 50, 30); // moved while paused
    h.frames(5);
    EXPECT_EQ(h.platform.framesDrawn(), drawn + 5);
    EXPECT_EQ(h.app.world->ball->position, ball);
    EXPECT_EQ(h.app.world->paddle->orientation.w, paddle.w);
    EXPECT_EQ(h.app.world->paddle->orientation.y, paddle.y);
    h.app.onKeyDown(key::P);
    h.frames(2);
    // The paused motion never reached the paddle.
    EXPECT_EQ(h.app.world->paddle->orientation.w, paddle.w);
    EXPECT_NE(h.app.world->ball->position, ball);
}

TEST(FrameLoop, MouseMotionTurnsThePaddleInTheNextFrame) {
    LevelDirectory levels("mouse");
    levels.write(1, kArena);
    AppHarness h(every(1.0 / 60), levels.path());
    ASSERT_TRUE(h.start());
    h.frames(1);
    h.platform.scriptMouse(2, 1000, 0);
    h.frames(1); // gathered at the end of frame 2
    EXPECT_EQ(h.app.world->paddle->position, Vec3(1, 0, 0));
    EXPECT_EQ(h.app.mouseDx, 1000);
    h.frames(1);
    EXPECT_NEAR(h.app.world->paddle->position.x, std::cos(1.0), 1e-6);
    EXPECT_NEAR(h.app.world->paddle->position.z, -std::sin(1.0), 1e-6);
    // The camera follows the paddle.
    EXPECT_NEAR(h.app.viewDirection.z, -std::sin(1.0), 1e-6);
}

TEST(Camera, ZoomEasesOutWithASineAndBackWithASquare) {
    LevelDirectory levels("zoom");
    levels.write(1, kArena);
    AppHarness h(every(0.05), levels.path());
    ASSERT_TRUE(h.start());
    h.frames(1); // dt 0
    h.app.onKeyDown(key::Space);
    h.frames(1); // 0.05 s held
    EXPECT_FLOAT_EQ(h.app.zoomBlend, 0.5f);
    EXPECT_NEAR(h.app.viewDistance, 1.15 + 0.45 * std::sin(3.14159265358979323846 / 4), 1e-6);
    EXPECT_NEAR(h.app.viewDistance, 1.468, 1e-3);
    h.frames(1);
    EXPECT_FLOAT_EQ(h.app.zoomBlend, 1.0f);
    EXPECT_FLOAT_EQ(h.app.viewDistance, 1.6f);
    h.app.onKeyUp(key::Space);
    h.frames(1);
    EXPECT_FLOAT_EQ(h.app.viewDistance, 1.2625f);
}

TEST(Camera, ALongFrameClampsTheBlend) {
    LevelDirectory levels("zoom-clamp");
    levels.write(1, kArena);
    AppHarness h(every(1.0), levels.path());
    ASSERT_TRUE(h.start());
    h.frames(1);
    h.app.onKeyDown(key::Space);
    h.frames(1);
    EXPECT_EQ(h.app.zoomBlend, 1.0f);
}

TEST(FrameRate, CountsTheFramesOfTheStretchThatPassesASecond) {
    App a;
    EXPECT_STREQ(a.fpsText, "fps: ---");
    const float twenty = float(20) * 0.001f; // 0.0200000014
    for (int i = 0; i < 49; ++i)
        a.countFrame(twenty);
    EXPECT_STREQ(a.fpsText, "fps: ---");
    a.countFrame(twenty);
    EXPECT_STREQ(a.fpsText, "fps: 50");

    App b;
    for (int i = 0; i < 63; ++i)
        b.countFrame(float(16) * 0.001f);
    EXPECT_STREQ(b.fpsText, "fps: 63");

    App c;
    c.countFrame(1.2f);
    EXPECT_STREQ(c.fpsText, "fps: 1");
    c.countFrame(1.001f);
    EXPECT_STREQ(c.fpsText, "fps: 1");
}

TEST(Input, LaunchSpeedStepsAreRoundedToFloat) {
    App a;
    for (int i = 0; i < 5; ++i)
        a.onKeyDown(key::KeypadPlus);
    EXPECT_EQ(a.launchSpeed, 0.6500000358f);
    App b;
    for (int i = 0; i < 8; ++i)
        b.onKeyDown(key::KeypadMinus);
    EXPECT_NEAR(b.launchSpeed, -7.45e-9, 0.01e-9);
}

TEST(Input, ClickLaunchesTowardsTheCentreOnce) {
    LevelDirectory levels("click");
    levels.write(1, kArena);
    AppHarness h(every(1.0 / 60), levels.path());
    ASSERT_TRUE(h.start());
    h.frames(1);
    h.app.world->paddle->position = Vec3(0, 1, 0);
    h.app.launchBall();
    EXPECT_EQ(h.app.world->ball->velocity, Vec3(0, -0.4f, 0));
    EXPECT_TRUE(h.app.ballLaunched);
    h.app.world->ball->velocity = Vec3(0.1f, 0, 0);
    h.app.launchBall(); // while it flies: nothing changes
    EXPECT_EQ(h.app.world->ball->velocity, Vec3(0.1f, 0, 0));
    h.app.onKeyDown(key::R);
    EXPECT_FALSE(h.app.ballLaunched);
    EXPECT_NE(h.events.str().find("launch"), std::string::npos);
    EXPECT_NE(h.events.str().find("reset"), std::string::npos);
}

TEST(Input, ModeKeysToggle) {
    LevelDirectory levels("modes");
    levels.write(1, kArena);
    AppHarness h(every(1.0 / 60), levels.path());
    ASSERT_TRUE(h.start());
    // What the outline state list sets: wide lines (2 pixels, no smoothing)
    // after S, smooth ones after S again.
    auto outlines = [] {
        glCallList(outlineStateList.name());
        GLfloat width = 0;
        glGetFloatv(GL_LINE_WIDTH, &width);
        const bool smooth = glIsEnabled(GL_LINE_SMOOTH);
        glPopAttrib(); // the list pushes what it changes
        return std::make_pair(width, smooth);
    };
    EXPECT_TRUE(outlines().second);
    h.app.onKeyDown(key::S);
    EXPECT_FALSE(h.app.smoothOutlines);
    EXPECT_EQ(outlines(), std::make_pair(2.0f, false));
    h.app.onKeyDown(key::S);
    EXPECT_TRUE(outlines().second);
    h.app.onKeyDown(key::O);
    EXPECT_FALSE(h.app.paddleVisible);
    h.app.onKeyDown(0x41); // A: nothing
    h.app.onKeyUp(key::P); // key-ups other than space: nothing
    EXPECT_FALSE(h.app.paused);
}

TEST(Input, CursorCounterEndsWhereItBegan) {
    LevelDirectory levels("cursor");
    levels.write(1, kArena);
    HeadlessPlatform::Options o = every(1.0 / 60);
    o.frames = 50;
    HeadlessPlatform platform(o);
    platform.scriptKey(3, key::M, true);
    platform.scriptKey(4, key::M, true);
    App a;
    a.levelDirectory = levels.path();
    ASSERT_TRUE(a.run(platform));
    EXPECT_EQ(platform.cursorCount(), 0);
    EXPECT_TRUE(a.mouseCaptured);

    // And step by step: hidden while captured, shown while not.
    AppHarness h(every(1.0 / 60), levels.path());
    ASSERT_TRUE(h.start());
    EXPECT_EQ(h.platform.cursorCount(), -1);
    h.app.onKeyDown(key::M);
    EXPECT_EQ(h.platform.cursorCount(), 0);
    h.app.onKeyDown(key::M);
    EXPECT_EQ(h.platform.cursorCount(), -1);
}

TEST(Input, CloseBoxEndsTheRunExactlyLikeEscape) {
    LevelDirectory levels("close");
    levels.write(1, kArena);
    long drawn[2];
    for (int i = 0; i < 2; ++i) {
        HeadlessPlatform platform(every(1.0 / 60));
        if (i == 0)
            platform.scriptKey(6, key::Escape, true);
        else
            platform.scriptClose(6);
        App a;
        a.levelDirectory = levels.path();
        ASSERT_TRUE(a.run(platform));
        drawn[i] = platform.framesDrawn();
        EXPECT_FALSE(platform.windowOpen());
        EXPECT_EQ(platform.cursorCount(), 0);
        EXPECT_EQ(a.world->ball->displayList.name(), 0u); // released before the context went
    }
    EXPECT_EQ(drawn[0], 5);
    EXPECT_EQ(drawn[1], drawn[0]);
}

HeadlessPlatform::Options desktop1280() {
    HeadlessPlatform::Options o;
    o.desktopWidth = 1280;
    o.desktopHeight = 1024;
    return o;
}

TEST(Input, FullscreenSwitchRebuildsEveryListAndKeepsTheGame) {
    LevelDirectory levels("fullscreen");
    levels.write(1, kArena);
    AppHarness h(desktop1280(), levels.path());
    ASSERT_TRUE(h.start());
    h.frames(3);
    h.app.score = 500;
    h.app.paused = true;
    h.app.smoothOutlines = false;
    World* world = h.app.world.get();
    h.app.onKeyDown(key::F);
    ASSERT_TRUE(h.app.fullscreen);
    EXPECT_EQ(h.app.width, 1280);
    EXPECT_EQ(h.app.height, 1024);
    EXPECT_EQ(h.platform.windowsOpened(), 2);
    EXPECT_EQ(h.app.world.get(), world);
    EXPECT_EQ(h.app.score, 500);
    EXPECT_EQ(h.app.level, 1);
    EXPECT_TRUE(h.app.paused);
    EXPECT_FALSE(h.app.smoothOutlines);
    // Every list exists again in the new context.
    EXPECT_TRUE(glIsList(world->ball->displayList.name()));
    EXPECT_TRUE(glIsList(world->paddle->outlineList.name()));
    EXPECT_TRUE(glIsList(static_cast<OuterShell&>(*world->others[0]).displayList.name()));
    for (auto& b : world->bricks)
        ASSERT_TRUE(glIsList(b->displayList.name()));
    EXPECT_TRUE(glIsList(outlineStateList.name()));
    EXPECT_TRUE(glIsList(h.app.fontLists.name() + 95));
    h.frames(1);
    EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));
    h.app.onKeyDown(key::F);
    EXPECT_FALSE(h.app.fullscreen);
    EXPECT_EQ(h.app.width, 800);
    EXPECT_EQ(h.app.height, 600);
    EXPECT_EQ(h.platform.cursorCount(), -1);
}

bool isIdentity(const Quaternion& q) {
    return q.w == 1.0f && q.x == 0.0f && q.y == 0.0f && q.z == 0.0f;
}

// The cursor sits at the old window's centre when the new window opens, far
// from the new centre: that offset is the switch's, not the player's.
TEST(Input, FullScreenSwitchesNeverTurnThePaddle) {
    LevelDirectory levels("switch-mouse");
    levels.write(1, kArena);
    AppHarness h(desktop1280(), levels.path());
    ASSERT_TRUE(h.start());
    h.frames(2);
    for (int i = 1; i <= 4; ++i) {
        h.platform.scriptKey(h.platform.framesDrawn() + 1, key::F, true);
        h.frames(2);
        EXPECT_EQ(h.app.fullscreen, i % 2 == 1);
        EXPECT_TRUE(isIdentity(h.app.world->paddle->orientation)) << "after switch " << i;
        int x = 0, y = 0;
        h.platform.cursorPosition(x, y);
        EXPECT_EQ(x, h.app.width / 2);
        EXPECT_EQ(y, h.app.height / 2);
    }
    EXPECT_EQ(h.app.world->paddle->position, Vec3(1, 0, 0));
    // The player's own motion after a switch still counts.
    h.platform.scriptKey(h.platform.framesDrawn() + 1, key::F, true);
    h.frames(2);
    h.platform.scriptMouse(h.platform.framesDrawn() + 1, 30, 0);
    h.frames(2);
    EXPECT_FALSE(isIdentity(h.app.world->paddle->orientation));
}

TEST(Failures, EachStartUpFailureShowsItsMessage) {
    struct Case {
        bool failInitialise, failWindow;
        const char* message;
    } cases[] = {{true, false, "Error: Window initialization failed"},
                 {false, true, "Error: GL initialization failed"}};
    for (const Case& c : cases) {
        HeadlessPlatform::Options o;
        o.failInitialise = c.failInitialise;
        o.failWindow = c.failWindow;
        HeadlessPlatform platform(o);
        App a;
        ::testing::internal::CaptureStderr();
        EXPECT_FALSE(a.run(platform));
        ::testing::internal::GetCapturedStderr();
        ASSERT_EQ(platform.messages().size(), 1u);
        EXPECT_EQ(platform.messages()[0], c.message);
        EXPECT_EQ(a.world, nullptr); // no level was loaded
        EXPECT_EQ(platform.cursorCount(), 0);
    }
}

TEST(Failures, AFailedFullscreenSwitchShowsBothBoxesAndQuits) {
    LevelDirectory levels("fs-fail");
    levels.write(1, kArena);
    HeadlessPlatform::Options o;
    o.failFullscreen = true;
    AppHarness h(o, levels.path());
    ASSERT_TRUE(h.start());
    h.frames(2);
    ::testing::internal::CaptureStderr();
    h.app.onKeyDown(key::F);
    ::testing::internal::GetCapturedStderr();
    ASSERT_EQ(h.platform.messages().size(), 2u);
    EXPECT_EQ(h.platform.messages()[0], "Error: Display Mode Not Compatible");
    EXPECT_EQ(h.platform.messages()[1], "Error: GL initialization failed");
    App::Turn t = App::Turn::Event;
    while (t == App::Turn::Event)
        t = h.app.turn();
    EXPECT_EQ(t, App::Turn::Quit); // the quit message ends the loop
    EXPECT_FALSE(h.app.windowOpen);
    h.finish(); // makes no GL call without a context
    EXPECT_EQ(h.platform.cursorCount(), 0);
}

TEST(Window, ResizeKeepsAValidProjectionAtZeroHeight) {
    LevelDirectory levels("resize");
    levels.write(1, kArena);
    AppHarness h(every(1.0 / 60), levels.path());
    ASSERT_TRUE(h.start());
    h.app.resize(1024, 768);
    GLint mode;
    glGetIntegerv(GL_MATRIX_MODE, &mode);
    EXPECT_EQ(mode, GL_MODELVIEW);
    GLfloat p[16];
    glGetFloatv(GL_PROJECTION_MATRIX, p);
    EXPECT_NEAR(p[5] / p[0], 1024.0 / 768.0, 1e-5); // the aspect ratio
    h.app.resize(800, 0);
    glGetFloatv(GL_PROJECTION_MATRIX, p);
    for (float v : p)
        EXPECT_TRUE(std::isfinite(v));
    // A size message in full screen changes nothing.
    h.app.fullscreen = true;
    PlatformEvent size;
    size.type = PlatformEvent::Type::Size;
    size.width = 10;
    size.height = 10;
    h.app.handleMessage(size);
    EXPECT_EQ(h.app.width, 800);
}

} // namespace
} // namespace orbiton
