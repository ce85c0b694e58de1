#include <gtest/gtest.h>

#include <sstream>

#include "world/world.h"

namespace orbiton {
namespace {

std::unique_ptr<World> worldFrom(const std::string& text, GameCounters& counters) {
    std::istringstream in(text);
    return std::make_unique<World>(in, "test.lvl", &counters, World::Lists::Defer);
}

// An immovable body of the game's obstacle mass, for the impulse tests.
class Body : public SceneObject {
  public:
    Body() : SceneObject(Vec3(0, 0, 0), Vec3(0, 0, 0), 1000.0f) {}
    void draw() override {}
    void drawBlended() override {}
};

TEST(BallBounce, HeadOnAndGlancingContactsKeepTangentAndReverseNormal) {
    GameCounters c;
    auto w = worldFrom("", c);
    Ball& ball = *w->ball;
    Body wall;
    ball.velocity = Vec3(0, 0, -1);
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

TEST(BallStep, ZeroTimeStepMovesNothingAndHitsNothing) {
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

TEST(BallStep, ExactlyOnTheArenaRadiusStaysInPlay) {
    GameCounters c;
    auto w = worldFrom("", c); // no arena: nothing stops the ball
    c.ballLaunched = true;
    Ball& ball = *w->ball;
    ball.position = Vec3(0.25f, 0, 0);
    ball.velocity = Vec3(0.25f, 0, 0);
    ball.step(1.0f);
    EXPECT_EQ(ball.position, Vec3(0.5f, 0, 0));
    EXPECT_TRUE(c.ballLaunched);
    ball.step(0.001f);
    EXPECT_FALSE(c.ballLaunched); // farther than 0.5: back on the paddle
    EXPECT_EQ(ball.position, Vec3(0.465f, 0, 0));
}

TEST(BallStep, ThePaddleIsTestedFirstAndStopsTheOthers) {
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

TEST(BallStep, ABallMovingInwardsPassesThroughThePaddle) {
    GameCounters c;
    auto w = worldFrom("", c);
    Ball& ball = *w->ball;
    ball.position = Vec3(0.475f, 0, 0);
    ball.velocity = Vec3(-0.4f, 0, 0);
    Vec3 n(9, 9, 9);
    EXPECT_FALSE(ball.collideWith(*w->paddle, 1.0f / 60, n));
    EXPECT_EQ(n, Vec3(9, 9, 9));
}

TEST(BallStep, OnlyTheFirstOfTwoOverlappingBricksIsHit) {
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
    return std::make_unique<Brick>(Vec3(a, -1, -1), Vec3(a, -1, 3), Vec3(a, 3, -1),
                                   Vec3(a + 0.1f, -1, -1), Vec3(a + 0.1f, -1, 3),
                                   Vec3(a + 0.1f, 3, -1), "Red");
}

TEST(BallStep, WallNormalsAreWhatTheWindingSays) {
    Wall x('x', 0.003f), y('y', 0.003f);
    EXPECT_EQ(x.getShape()->faceNormals[0], Vec3(-1, 0, 0));
    EXPECT_EQ(y.getShape()->faceNormals[0], Vec3(0, -1, 0));
    auto slab = slabAcrossX(0.003f);
    EXPECT_EQ(slab->getShape()->faceNormals[1], Vec3(-1, 0, 0));
}

TEST(BallStep, AfterABrickHitTheArenaIsNotTested) {
    GameCounters c;
    auto w = worldFrom("", c);
    w->bricks.push_back(slabAcrossX(0.003f));
    w->bricks.back()->computeCollisionMask();
    w->others.push_back(std::make_unique<Wall>('y', 0.003f));
    w->indexObjects();
    Ball& ball = *w->ball;
    ball.position = Vec3(0, 0, 0);
    ball.velocity = Vec3(0.3f, 0.3f, 0);
    ball.step(1.0f / 60);
    EXPECT_TRUE(w->bricks.empty());
    EXPECT_NEAR(ball.velocity.x, -0.3 * 0.9998, 1e-6);
    EXPECT_EQ(ball.velocity.y, 0.3f); // the y wall was crossed too, but not asked
}

TEST(BallStep, EveryArenaShellDeflectsInTheSameStep) {
    GameCounters c;
    auto w = worldFrom("", c);
    w->others.push_back(std::make_unique<Wall>('x', 0.003f));
    w->others.push_back(std::make_unique<Wall>('y', 0.003f));
    Ball& ball = *w->ball;
    ball.position = Vec3(0, 0, 0);
    ball.velocity = Vec3(0.3f, 0.3f, 0);
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
    GameCounters c;
    auto w = worldFrom("", c);
    auto corner = std::make_unique<Wall>('x', 0.003f);
    Mesh& m = *corner->shape;
    m.vertices.insert(m.vertices.end(),
                      {Vec3(-1, 0.003f, -1), Vec3(3, 0.003f, -1), Vec3(-1, 0.003f, 3)});
    m.triangles.push_back({3, 4, 5});
    m.faceNormals.clear();
    m.vertexNormals.clear();
    m.computeNormals();
    corner->computeCollisionMask();
    w->others.push_back(std::move(corner));
    Ball& ball = *w->ball;
    ball.position = Vec3(0, 0, 0);
    ball.velocity = Vec3(0.3f, 0.3f, 0);
    ball.step(1.0f / 60);
    EXPECT_LT(ball.velocity.x, 0);
    EXPECT_LT(ball.velocity.y, 0);
}

TEST(BallStep, PaddleMeshUsesTheFallbackNormal) {
    GameCounters c;
    auto w = worldFrom("", c);
    Ball& ball = *w->ball;
    ball.position = Vec3(0.466f, 0.01f, -0.02f);
    ball.velocity = Vec3(0.4f, 0.1f, 0);
    Vec3 n;
    ASSERT_TRUE(ball.collideWith(*w->paddle, 1.0f / 60, n));
    EXPECT_NEAR(n.x, -0.01, 1e-7); // cross(C - A, B - A) = (-4h^2, 0, 0), not normalised
    EXPECT_NEAR(n.y, 0, 1e-9);
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
