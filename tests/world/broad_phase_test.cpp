// SPDX-FileCopyrightText: 2026 The Orbiton 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include <gtest/gtest.h>

#include <cstring>
#include <random>

#include "app/autopilot.h"
#include "geometry/triangle_index.h"
#include "paddle_arena/outer_shell.h"
#include "support/world_text.h"
#include "world/world.h"

namespace orbiton {
namespace {

bool sameBits(const Vec3& a, const Vec3& b) {
    return std::memcmp(&a, &b, sizeof(Vec3)) == 0;
}

Vec3 randomUnit(std::mt19937& rng) {
    std::normal_distribution<float> g;
    Vec3 v(g(rng), g(rng), g(rng));
    normalise(v);
    return v;
}

// Random steps from near every wall: the indexed search must find the very
// triangle and normal the walk of every triangle finds.
TEST(BroadPhase, ArenaContactsMatchTheFullWalkExactly) {
    std::mt19937 rng(12345);
    std::uniform_real_distribution<float> unit01(0, 1);
    // Fewer queries on the big meshes, whose full walk is slow: 1.16 million in all.
    const struct {
        int depth;
        unsigned mask;
        int queries;
    } shells[] = {{1, 0xFF, 300000}, {2, 0xF0, 300000}, {3, 0xFF, 300000}, {4, 0x5A, 200000},
                  {5, 0xFF, 40000},  {6, 0xFF, 10000},  {7, 0x81, 10000}};
    long contacts = 0, queries = 0;
    for (const auto& s : shells) {
        GameCounters c;
        auto w = worldFrom("", c);
        w->others.push_back(std::make_unique<OuterShell>(s.depth, 0.5f, s.mask));
        Mesh& mesh = *w->others[0]->shape;
        mesh.buildIndex();
        Ball& ball = *w->ball;
        for (int i = 0; i < s.queries; ++i, ++queries) {
            // Inside the wall by up to two radii, heading mostly outwards.
            const Vec3 at = randomUnit(rng) * (0.5f - 0.025f * unit01(rng));
            Vec3 heading = randomUnit(rng) + at * (2.0f * unit01(rng));
            normalise(heading);
            const float speed = 0.05f + 3.0f * unit01(rng) * unit01(rng);
            const float dt = unit01(rng) < 0.1f ? 0.2f : 0.001f + 0.03f * unit01(rng);
            ball.position = at;
            ball.velocity = heading * speed;
            Vec3 n1(7, 7, 7), n2(7, 7, 7);
            const int walk = ball.findContact(mesh, dt, n1, false);
            const int indexed = ball.findContact(mesh, dt, n2, true);
            ASSERT_EQ(walk, indexed) << "depth " << s.depth << " query " << i;
            ASSERT_TRUE(sameBits(n1, n2));
            contacts += walk >= 0;
        }
    }
    // The queries start close enough to the walls to find contacts often.
    EXPECT_GT(contacts, queries / 50);
}

// Whole steps in two identical worlds, one walking every brick and triangle,
// one using the indexes: position, velocity, score and bricks stay equal.
void expectLockstep(const std::string& level, int steps, bool autopilot, std::uint32_t seed) {
    GameCounters ca, cb;
    auto a = worldFrom(level, ca);
    auto b = worldFrom(level, cb);
    b->broadPhase = false;
    std::mt19937 rng(seed);
    std::uniform_real_distribution<float> unit01(0, 1);
    Autopilot pilotA(seed), pilotB(seed);
    long hits = 0;
    for (int i = 0; i < steps; ++i) {
        const float dt = 1.0f / 60 + (unit01(rng) - 0.5f) * 0.004f;
        if (autopilot) {
            const Autopilot::Move ma = pilotA.next(*a, ca.ballLaunched, dt);
            const Autopilot::Move mb = pilotB.next(*b, cb.ballLaunched, dt);
            ASSERT_EQ(ma.dx, mb.dx);
            ASSERT_EQ(ma.dy, mb.dy);
            a->paddle->steer(ma.dx, ma.dy);
            b->paddle->steer(mb.dx, mb.dy);
            if (ma.reset) {
                a->resetBall();
                b->resetBall();
            }
            if (!ca.ballLaunched && ma.launch) {
                a->ball->velocity = a->paddle->position * -0.4f;
                b->ball->velocity = b->paddle->position * -0.4f;
                ca.ballLaunched = cb.ballLaunched = true;
            }
        } else if (!ca.ballLaunched) {
            // A random launch from a random paddle place at a random speed.
            const int dx = int(unit01(rng) * 4000) - 2000, dy = int(unit01(rng) * 4000) - 2000;
            a->paddle->steer(dx, dy);
            b->paddle->steer(dx, dy);
            a->resetBall();
            b->resetBall();
            const float speed = 0.2f + 1.5f * unit01(rng);
            a->ball->velocity = a->paddle->position * -speed;
            b->ball->velocity = b->paddle->position * -speed;
            ca.ballLaunched = cb.ballLaunched = true;
        }
        if (ca.ballLaunched) {
            a->ball->step(dt);
            b->ball->step(dt);
        } else {
            a->resetBall();
            b->resetBall();
        }
        ASSERT_TRUE(sameBits(a->ball->position, b->ball->position)) << "step " << i;
        ASSERT_TRUE(sameBits(a->ball->velocity, b->ball->velocity)) << "step " << i;
        ASSERT_EQ(ca.score, cb.score) << "step " << i;
        ASSERT_EQ(a->bricks.size(), b->bricks.size());
        ASSERT_EQ(ca.ballLaunched, cb.ballLaunched);
        hits = ca.score / 100;
        if (a->bricks.empty())
            break;
    }
    EXPECT_GT(hits, 0);
}

TEST(BroadPhase, RandomFlightsThroughBrickShellsMatchTheFullWalk) {
    expectLockstep("OuterShell 4 ff\nShell 3 0.3 0.34 ff f Red\nShell 2 0.2 0.22 ff 7 Blue\n"
                   "Shell 4 0.1 0.4 0f f Green\nShell 1 0.45 0.4 f0 f Yellow\n",
                   300000, false, 7);
}

TEST(BroadPhase, AutopilotPlayMatchesTheFullWalk) {
    expectLockstep("OuterShell 5 f7\nOuterShell 2 08\nShell 3 0.3 0.34 ff e Red\n"
                   "Shell 2 0.15 0.2 ff f ShinyBlue\n",
                   300000, true, 3);
}

TEST(BroadPhase, LongStepsFallBackToTheWalk) {
    GameCounters c;
    auto w = worldFrom("OuterShell 3 ff\n", c);
    Ball& ball = *w->ball;
    ball.velocity = Vec3(40, 0, 0);
    EXPECT_LT(ball.reach(1.0f / 60), 0.0); // a step of 0.67: no bound
    ball.velocity = Vec3(0.4f, 0, 0);
    EXPECT_NEAR(ball.reach(1.0f / 60), 0.01 * 1.001 + 1e-5, 1e-6);
}

TEST(BroadPhase, BrickIndexAnswersInListOrderAndForgetsRemovedBricks) {
    GameCounters c;
    auto w = worldFrom("Shell 2 0.3 0.35 ff f Red\nShell 1 5 6 ff f Blue\n", c);
    std::vector<Brick*> near;
    w->brickIndex.near(Vec3(0, 0.32f, 0), 0.05f, near);
    ASSERT_FALSE(near.empty());
    for (std::size_t i = 1; i < near.size(); ++i) {
        const auto pos = [&](Brick* b) {
            for (std::size_t k = 0; k < w->bricks.size(); ++k)
                if (w->bricks[k].get() == b)
                    return k;
            return w->bricks.size();
        };
        EXPECT_LT(pos(near[i - 1]), pos(near[i]));
    }
    Brick* first = near[0];
    w->hitBrick(first);
    near.clear();
    w->brickIndex.near(Vec3(0, 0.32f, 0), 0.05f, near);
    for (Brick* b : near)
        EXPECT_NE(b, first);
    // Bricks outside the grid's cube (radius 5 to 6) are still found: the
    // corner bricks of the four faces that meet at (0, 1, 0).
    near.clear();
    w->brickIndex.near(Vec3(0, 5.5f, 0), 0.01f, near);
    ASSERT_EQ(near.size(), 4u);
    for (Brick* b : near)
        EXPECT_EQ(b->material, findMaterial("Blue"));
}

} // namespace
} // namespace orbiton
