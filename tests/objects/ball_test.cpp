// SPDX-FileCopyrightText: 2026 The Orbiton 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <memory>
#include <vector>

#include "objects/ball.h"
#include "objects/brick.h"
#include "paddle_arena/paddle.h"

namespace orbiton {
namespace {

// A world of hand-made obstacles that records what the Ball asks of it.
struct FakeWorld : BallWorld {
    Paddle paddle{0.47f, Vec3(1, 0, 0), Vec3(0, 1, 0), false};
    std::vector<std::unique_ptr<Brick>> bricks;
    std::vector<std::unique_ptr<SceneObject>> wallList;
    bool narrow = false;
    std::vector<double> reaches; // one per question about bricks
    std::vector<Brick*> hits;
    int resets = 0;

    SceneObject& paddleObject() override { return paddle; }
    void candidateBricks(const Vec3&, double reach, std::vector<Brick*>& out) override {
        reaches.push_back(reach);
        for (auto& b : bricks)
            out.push_back(b.get());
    }
    const std::vector<std::unique_ptr<SceneObject>>& walls() const override { return wallList; }
    bool narrowsSearch() const override { return narrow; }
    void hitBrick(Brick* brick) override {
        hits.push_back(brick);
        bricks.erase(
            std::find_if(bricks.begin(), bricks.end(),
                         [&](const std::unique_ptr<Brick>& b) { return b.get() == brick; }));
    }
    void resetBall() override { ++resets; }
};

// A flat wall of one large triangle, normal (-1, 0, 0) at x = a or (0, -1, 0)
// at y = a: hand-made obstacles whose every contact is known.
class Wall : public SceneObject {
  public:
    Wall(char axis, float a) : SceneObject(Vec3(0, 0, 0), Vec3(0, 0, 0), 1000.0f) {
        shape = std::make_unique<Mesh>();
        if (axis == 'x')
            shape->vertices = {Vec3(a, -1, -1), Vec3(a, -1, 3), Vec3(a, 3, -1)};
        else
            shape->vertices = {Vec3(-1, a, -1), Vec3(3, a, -1), Vec3(-1, a, 3)};
        shape->triangles = {{0, 1, 2}};
        shape->computeNormals();
        shape->computeBounds();
        computeCollisionMask();
    }
    void draw() override {}
    void drawBlended() override {}
};

std::unique_ptr<Brick> slabAcrossX(float a) {
    auto b = std::make_unique<Brick>(Vec3(a, -1, -1), Vec3(a, -1, 3), Vec3(a, 3, -1),
                                     Vec3(a + 0.1f, -1, -1), Vec3(a + 0.1f, -1, 3),
                                     Vec3(a + 0.1f, 3, -1), "Red");
    b->computeCollisionMask();
    return b;
}

Ball ballIn(FakeWorld& w, const Vec3& position, const Vec3& velocity) {
    return Ball(&w, 0.1f, position, velocity);
}

TEST(BallBounce, HeadOnAndGlancingContactsKeepTangentAndReverseNormal) {
    FakeWorld w;
    Ball ball = ballIn(w, Vec3(0, 0, 0), Vec3(0, 0, -1));
    Wall wall('x', 0.0f); // an obstacle of mass 1000: 1 - 2 * 0.1 / 1000.1 ~ 0.9998 kept
    ball.bounceOff(wall, Vec3(0, 0, 1));
    EXPECT_NEAR(ball.velocity.z, 0.9998, 1e-6);
    EXPECT_EQ(ball.velocity.x, 0.0f);

    ball.velocity = Vec3(0, 0, -1);
    ball.bounceOff(wall, Vec3(0, 0, 5)); // the normal's length does not matter
    EXPECT_NEAR(ball.velocity.z, 0.9998, 1e-6);

    ball.velocity = Vec3(1, 0, -1);
    ball.bounceOff(wall, Vec3(0, 0, 1));
    EXPECT_EQ(ball.velocity.x, 1.0f);
    EXPECT_NEAR(ball.velocity.z, 0.9998, 1e-6);
}

TEST(BallStep, WallNormalsAreWhatTheWindingSays) {
    Wall x('x', 0.003f), y('y', 0.003f);
    EXPECT_EQ(x.getShape()->faceNormals[0], Vec3(-1, 0, 0));
    EXPECT_EQ(y.getShape()->faceNormals[0], Vec3(0, -1, 0));
    auto slab = slabAcrossX(0.003f);
    EXPECT_EQ(slab->getShape()->faceNormals[1], Vec3(-1, 0, 0));
}

// The order of a step: the paddle, then the bricks (the first hit ends the
// search), then every wall; a contact with an earlier kind skips the later.
TEST(BallStep, ThePaddleFirstThenOneBrickThenTheWalls) {
    {
        FakeWorld w; // a paddle contact: no brick or wall is asked about
        w.bricks.push_back(slabAcrossX(0.469f));
        Ball ball = ballIn(w, Vec3(0.465f, 0.001f, 0.002f), Vec3(0.4f, 0, 0));
        ball.step(1.0f / 60);
        EXPECT_LT(ball.velocity.x, 0);
        EXPECT_TRUE(w.reaches.empty());
        EXPECT_TRUE(w.hits.empty());
    }
    {
        FakeWorld w; // two slabs crossed at once: only the first in list order is hit
        w.bricks.push_back(slabAcrossX(0.003f));
        w.bricks.push_back(slabAcrossX(0.003f));
        Brick* first = w.bricks[0].get();
        w.wallList.push_back(std::make_unique<Wall>('y', 0.003f));
        Ball ball = ballIn(w, Vec3(0, 0, 0), Vec3(0.3f, 0.3f, 0));
        ball.step(1.0f / 60);
        ASSERT_EQ(w.hits.size(), 1u);
        EXPECT_EQ(w.hits[0], first);
        EXPECT_NEAR(ball.velocity.x, -0.3 * 0.9998, 1e-6);
        EXPECT_EQ(ball.velocity.y, 0.3f); // the y wall was crossed too, but not asked
    }
}

TEST(BallStep, EveryWallDeflectsInTheSameStep) {
    FakeWorld w;
    w.wallList.push_back(std::make_unique<Wall>('x', 0.003f));
    w.wallList.push_back(std::make_unique<Wall>('y', 0.003f));
    Ball ball = ballIn(w, Vec3(0, 0, 0), Vec3(0.3f, 0.3f, 0));
    ball.step(1.0f / 60);
    // The second wall sees the velocity the first one left.
    EXPECT_NEAR(ball.velocity.x, -0.3 * 0.9998, 1e-6);
    EXPECT_NEAR(ball.velocity.y, -0.3 * 0.9998, 1e-6);
    EXPECT_LT(ball.position.x, 0);
    EXPECT_LT(ball.position.y, 0);
}

TEST(BallStep, BothFacesOfAWallCornerDeflectInOneStep) {
    // One object whose two triangles meet in a corner: the ball crosses both
    // planes in one step, and must not leave through the second.
    FakeWorld w;
    auto corner = std::make_unique<Wall>('x', 0.003f);
    Mesh& m = *corner->shape;
    m.vertices.insert(m.vertices.end(),
                      {Vec3(-1, 0.003f, -1), Vec3(3, 0.003f, -1), Vec3(-1, 0.003f, 3)});
    m.triangles.push_back({3, 4, 5});
    m.faceNormals.clear();
    m.vertexNormals.clear();
    m.computeNormals();
    corner->computeCollisionMask();
    w.wallList.push_back(std::move(corner));
    Ball ball = ballIn(w, Vec3(0, 0, 0), Vec3(0.3f, 0.3f, 0));
    ball.step(1.0f / 60);
    EXPECT_LT(ball.velocity.x, 0);
    EXPECT_LT(ball.velocity.y, 0);
}

TEST(BallStep, OnlyBeyondTheArenaRadiusIsTheBallPutBack) {
    FakeWorld w; // no wall: nothing stops the ball
    Ball ball = ballIn(w, Vec3(0.25f, 0, 0), Vec3(0.25f, 0, 0));
    ball.step(1.0f);
    EXPECT_EQ(ball.position, Vec3(0.5f, 0, 0)); // exactly on the radius: still in play
    EXPECT_EQ(w.resets, 0);
    ball.step(0.001f);
    EXPECT_EQ(w.resets, 1);
}

// The world decides whether the search is narrowed; a narrowed one is told
// how near a brick must come, and a step too long to bound asks for all.
TEST(BallStep, TheSearchIsNarrowedOnlyWhenTheWorldSaysSo) {
    FakeWorld w;
    Ball ball = ballIn(w, Vec3(0, 0, 0), Vec3(0.3f, 0, 0));
    ball.step(1.0f / 60);
    w.narrow = true;
    ball.position = Vec3(0, 0, 0);
    ball.step(1.0f / 60);
    ball.position = Vec3(0, 0, 0);
    ball.velocity = Vec3(-60.0f, 0, 0); // one step of 1.0, away from the paddle: no bound
    ball.step(1.0f / 60);
    ASSERT_EQ(w.reaches.size(), 3u);
    EXPECT_EQ(w.reaches[0], -1.0);
    // radius / sqrt(1 - 0.005^2) * 1.001 + 1e-5, by hand: 0.0100201...
    EXPECT_NEAR(w.reaches[1], 0.01 / std::sqrt(1.0 - 0.005 * 0.005) * 1.001 + 1e-5, 1e-9);
    EXPECT_EQ(w.reaches[2], -1.0);
}

TEST(BallStep, PaddleMeshUsesTheFallbackNormal) {
    FakeWorld w;
    Ball ball = ballIn(w, Vec3(0.466f, 0.01f, -0.02f), Vec3(0.4f, 0.1f, 0));
    Vec3 n;
    ASSERT_TRUE(ball.collideWith(w.paddle, 1.0f / 60, n));
    EXPECT_NEAR(n.x, -0.01, 1e-7); // cross(C - A, B - A) = (-4h^2, 0, 0), not normalised
    EXPECT_NEAR(n.y, 0, 1e-9);
}

} // namespace
} // namespace orbiton
