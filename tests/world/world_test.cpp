// SPDX-FileCopyrightText: 2026 The Orbiton 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <utility>

#ifndef _WIN32 // FIFOs and /dev: POSIX systems only
#include <sys/stat.h>
#endif

#include "paddle_arena/outer_shell.h"
#include "render/display_list.h"
#include "render/state_lists.h"
#include "support/gl_test.h"
#include "support/level_directory.h"
#include "support/world_text.h"
#include "world/world.h"

namespace orbiton {
namespace {

TEST(World, BuildsBallAndPaddleAndRestsTheBall) {
    GameCounters c;
    c.ballLaunched = true;
    auto w = worldFrom("OuterShell 1 ff\nShell 1 0.3 0.35 ff f Red\n", c);
    EXPECT_EQ(w->bricks.size(), 32u);
    ASSERT_EQ(w->others.size(), 1u);
    EXPECT_EQ(w->others[0]->collisionMask, 254); // masks are computed
    EXPECT_NE(w->bricks[0]->collisionMask, 0);
    EXPECT_EQ(w->ball->mass, 0.1f);
    EXPECT_EQ(w->paddle->position, Vec3(1, 0, 0));
    EXPECT_EQ(w->ball->position, Vec3(0.465f, 0, 0));
    EXPECT_EQ(w->ball->velocity, Vec3(0, 0, 0));
    EXPECT_FALSE(c.ballLaunched);
    EXPECT_FALSE(w->levelCleared());
}

TEST(World, ResetBallFollowsThePaddle) {
    GameCounters c;
    auto w = worldFrom("", c);
    w->paddle->steer(0, -1571); // about a quarter turn up
    w->ball->velocity = Vec3(1, 2, 3);
    c.ballLaunched = true;
    w->resetBall();
    EXPECT_NEAR(w->ball->position.y, 0.465, 1e-3);
    EXPECT_EQ(w->ball->velocity, Vec3(0, 0, 0));
    EXPECT_FALSE(c.ballLaunched);
}

TEST(World, CommentOnlyAndMissingLevelsAreClearedAtOnce) {
    GameCounters c;
    auto w = worldFrom("# nothing here\n", c);
    EXPECT_TRUE(w->levelCleared());
    EXPECT_TRUE(w->others.empty());
    World missing(12345, &c, "/nonexistent", World::Lists::Defer);
    EXPECT_TRUE(missing.levelCleared());
    EXPECT_TRUE(missing.report.problems.empty());
    EXPECT_NE(missing.paddle, nullptr);
}

TEST(World, HitBrickKeepsTheOthersInOrderAndScores) {
    GameCounters c;
    c.score = 700;
    auto w = worldFrom("Shell 1 0.3 0.35 80 f Red\nShell 1 0.3 0.35 01 1 Blue\n", c);
    ASSERT_EQ(w->bricks.size(), 5u);
    std::vector<Brick*> before;
    for (auto& b : w->bricks)
        before.push_back(b.get());
    w->hitBrick(before[2]);
    ASSERT_EQ(w->bricks.size(), 4u);
    EXPECT_EQ(w->bricks[0].get(), before[0]);
    EXPECT_EQ(w->bricks[1].get(), before[1]);
    EXPECT_EQ(w->bricks[2].get(), before[3]);
    EXPECT_EQ(w->bricks[3].get(), before[4]);
    EXPECT_EQ(c.score, 800);
    EXPECT_EQ(w->bricksRemoved, 1);
    // A brick that is not in the list is only scored.
    Brick stranger(Vec3(0, 0, 0), Vec3(0, 1, 0), Vec3(1, 0, 0), Vec3(0, 0, 1), Vec3(0, 1, 1),
                   Vec3(1, 0, 1), "Red");
    w->hitBrick(&stranger);
    EXPECT_EQ(w->bricks.size(), 4u);
    EXPECT_EQ(c.score, 900);
}

TEST(World, LevelFileNames) {
    EXPECT_EQ(World::levelFileName(1, ""), "1.lvl");
    EXPECT_EQ(World::levelFileName(12, "levels"), "levels/12.lvl");
    EXPECT_EQ(World::levelFileName(3, "/a/b/"), "/a/b/3.lvl");
}

#ifndef _WIN32
// A level folder holding a directory, a FIFO or a device where a level file
// should be: the level plays empty, says why, and nothing is read or blocks.
TEST(World, ALevelThatIsNotAFileIsAnEmptyLevelWithAMessage) {
    namespace fs = std::filesystem;
    test::LevelDirectory scratch("world-not-files");
    const std::string dir = scratch.path() + "/";
    fs::create_directories(dir + "4.lvl");
    ASSERT_EQ(mkfifo((dir + "5.lvl").c_str(), 0600), 0);
    fs::create_symlink("/dev/zero", dir + "6.lvl");
    const std::pair<int, const char*> cases[] = {
        {4, "is a directory"},
        {5, "is not a regular file"},
        {6, "is not a regular file"},
        {7, nullptr}, // simply missing: the normal end of the levels, no message
    };
    for (const auto& [level, why] : cases) {
        GameCounters c;
        ::testing::internal::CaptureStderr();
        World w(level, &c, dir, World::Lists::Defer);
        const std::string err = ::testing::internal::GetCapturedStderr();
        EXPECT_TRUE(w.bricks.empty());
        EXPECT_TRUE(w.levelCleared());
        if (why)
            EXPECT_NE(
                err.find(World::levelFileName(level, dir) + ": cannot read the level: " + why),
                std::string::npos)
                << err;
        else
            EXPECT_EQ(err, "");
    }
}
#endif

TEST(World, ReadsTheNumberedFileAndReportsProblems) {
    test::LevelDirectory scratch("world-numbered");
    const std::string dir = scratch.path();
    scratch.write(7, "OuterShell 2 ff\nShell 0 0.3 0.35 ff f Red\nShell 1 0.3 0.35 80 f Red\n");
    GameCounters c;
    ::testing::internal::CaptureStderr();
    World w(7, &c, dir, World::Lists::Defer);
    const std::string err = ::testing::internal::GetCapturedStderr();
    EXPECT_EQ(w.bricks.size(), 4u);
    EXPECT_EQ(w.others.size(), 1u);
    EXPECT_NE(err.find("7.lvl:2: Shell depth 0 is below 1"), std::string::npos) << err;
    std::remove(World::levelFileName(7, dir).c_str());
}

class WorldLists : public test::GlTest {};

TEST_F(WorldLists, ReleaseAndBuildPairsLeaveEverythingDrawable) {
    GameCounters c;
    std::istringstream in("OuterShell 2 ff\nShell 1 0.3 0.35 ff f Red\n");
    World w(in, "t.lvl", &c, World::Lists::Build);
    EXPECT_TRUE(glIsList(w.ball->displayList.name()));
    EXPECT_TRUE(glIsList(w.paddle->outlineList.name()));
    EXPECT_TRUE(glIsList(w.bricks[31]->displayList.name()));
    EXPECT_TRUE(glIsList(static_cast<OuterShell&>(*w.others[0]).displayList.name()));
    w.releaseLists();
    EXPECT_EQ(w.ball->displayList.name(), 0u);
    EXPECT_EQ(w.bricks[0]->displayList.name(), 0u);
    w.buildLists();
    EXPECT_TRUE(glIsList(static_cast<OuterShell&>(*w.others[0]).displayList.name()));
    EXPECT_TRUE(glIsList(w.bricks[31]->displayList.name()));
    EXPECT_TRUE(glIsList(w.ball->displayList.name()));
    w.releaseLists();
}

TEST_F(WorldLists, AWorldDestroyedWithItsContextLeavesNoList) {
    buildStateLists(true);
    const int before = countLiveDisplayLists();
    {
        GameCounters c;
        std::istringstream in("OuterShell 2 ff\nShell 2 0.3 0.35 ff f Red\n");
        World w(in, "t.lvl", &c, World::Lists::Build);
        ASSERT_EQ(w.bricks.size(), 128u);
        setSightLine(Vec3(0, 0, 0), Vec3(0, 0, 0)); // no brick fades
        frameTime = 0.0f;
        // The batched drawing keeps its bricks in buffers, not lists.
        w.brickBatches.draw(w.bricks);
        w.hitBrick(w.bricks[5].get());
        w.brickBatches.draw(w.bricks);
        // arena, 127 bricks, paddle outline, ball
        EXPECT_EQ(countLiveDisplayLists(), before + 1 + 127 + 1 + 1);
    }
    EXPECT_EQ(countLiveDisplayLists(), before);
}

} // namespace
} // namespace orbiton
