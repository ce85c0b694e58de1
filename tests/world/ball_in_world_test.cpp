// SPDX-FileCopyrightText: 2026 The Orbiton 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include <gtest/gtest.h>

#include "support/world_text.h"
#include "world/world.h"

namespace orbiton {
namespace {

// The Ball against the real World: level files, the World's list order, long
// flights. The Ball's own rules are tested against a small fake world in
// tests/objects.

TEST(BallInWorld, ZeroTimeStepMovesNothingAndHitsNothing) {
    GameCounters c;
    auto w = worldFrom("OuterShell 2 ff\nShell 2 0.3 0.35 ff f Red\n", c);
    Ball& ball = *w->ball;
    ball.position = Vec3(0.3f, 0.01f, 0.0f);
    ball.velocity = Vec3(-0.4f, 0, 0);
    ball.step(0.0f);
    EXPECT_EQ(ball.position, Vec3(0.3f, 0.01f, 0.0f));
    EXPECT_EQ(ball.velocity, Vec3(-0.4f, 0, 0));
    EXPECT_EQ(w->bricks.size(), 128u);
}

TEST(BallInWorld, ThePaddleIsTestedFirstAndStopsTheOthers) {
    GameCounters c;
    // A brick just behind the paddle's plane and an arena around both.
    auto w = worldFrom("OuterShell 3 ff\nShell 3 0.469 0.475 ff f Red\n", c);
    Ball& ball = *w->ball;
    ball.position = Vec3(0.465f, 0.001f, 0.002f);
    ball.velocity = Vec3(0.4f, 0, 0);
    const std::size_t bricks = w->bricks.size();
    ball.step(1.0f / 60);
    EXPECT_LT(ball.velocity.x, 0); // turned by the paddle
    EXPECT_EQ(ball.contactNormal.y, 0.0f);
    EXPECT_LT(ball.contactNormal.x, 0); // the fallback normal points at the centre
    EXPECT_EQ(w->bricks.size(), bricks);
    EXPECT_EQ(c.score, 0);
}

TEST(BallInWorld, ABallMovingInwardsPassesThroughThePaddle) {
    GameCounters c;
    auto w = worldFrom("", c);
    Ball& ball = *w->ball;
    ball.position = Vec3(0.475f, 0, 0);
    ball.velocity = Vec3(-0.4f, 0, 0);
    Vec3 n(9, 9, 9);
    EXPECT_FALSE(ball.collideWith(*w->paddle, 1.0f / 60, n));
    EXPECT_EQ(n, Vec3(9, 9, 9));
}

TEST(BallInWorld, OnlyTheFirstOfTwoOverlappingBricksIsHit) {
    GameCounters c;
    auto w = worldFrom("Shell 1 0.3 0.35 80 8 Red\nShell 1 0.3 0.35 80 8 Blue\n", c);
    ASSERT_EQ(w->bricks.size(), 2u);
    Brick* second = w->bricks[1].get();
    // The middle part's outer cap is flat: its plane lies 0.35 * 0.8165 from
    // the centre along (1, 1, 1). Start just outside it, moving in.
    Vec3 dir(1, 1, 1);
    normalise(dir);
    Ball& ball = *w->ball;
    ball.position = dir * 0.289f;
    ball.velocity = dir * -0.4f;
    ball.step(1.0f / 60);
    ASSERT_EQ(w->bricks.size(), 1u);
    EXPECT_EQ(w->bricks[0].get(), second); // the Blue twin stays, untouched
    EXPECT_EQ(c.score, 100);
    EXPECT_NEAR(dot(ball.velocity, dir), 0.4 * 0.9998, 1e-6); // bounced back out
}

// Plays a launched ball with the paddle held still for many steps.
struct Flight {
    double farthest = 0;
    int resets = 0;
    bool scoreMatches = true;
};

Flight play(World& w, GameCounters& c, float dt, int steps) {
    Flight r;
    const std::size_t start = w.bricks.size();
    c.ballLaunched = true;
    w.ball->velocity = w.paddle->position * -0.4f;
    for (int i = 0; i < steps; ++i) {
        w.ball->step(dt);
        if (!c.ballLaunched) {
            ++r.resets;
            c.ballLaunched = true;
            w.ball->velocity = w.paddle->position * -0.4f;
        }
        r.farthest = std::max(r.farthest, length(w.ball->position));
        if (c.score != int(100 * (start - w.bricks.size())))
            r.scoreMatches = false;
    }
    return r;
}

TEST(BallSimulation, ClosedArenaNeverLosesTheBall) {
    GameCounters c;
    auto w = worldFrom("OuterShell 3 ff\n", c);
    w->paddle->steer(37, -21); // off the axes, so the flight is not a straight line
    w->resetBall();
    Flight r = play(*w, c, 1.0f / 120, 100000);
    EXPECT_EQ(r.resets, 0);
    EXPECT_LE(r.farthest, 0.5);
}

TEST(BallSimulation, ScoreIsAlwaysAHundredPerBrickRemoved) {
    GameCounters c;
    auto w =
        worldFrom("OuterShell 3 ff\nShell 2 0.3 0.35 ff f Red\nShell 2 0.15 0.2 ff 7 Blue\n", c);
    w->paddle->steer(37, -21);
    w->resetBall();
    Flight r = play(*w, c, 1.0f / 120, 100000);
    EXPECT_TRUE(r.scoreMatches);
    EXPECT_GT(c.score, 0);
    EXPECT_EQ(r.resets, 0);
    EXPECT_LE(r.farthest, 0.5);
}

} // namespace
} // namespace orbiton
