// SPDX-FileCopyrightText: 2026 The Orbiton 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include <gtest/gtest.h>

#include <functional>

#include "objects/brick.h"
#include "paddle_arena/outer_shell.h"
#include "paddle_arena/paddle.h"
#include "render/render_setup.h"
#include "render/state_lists.h"
#include "support/gl_state.h"
#include "support/gl_test.h"

namespace orbiton {
namespace {

class DrawPass : public test::GlTest, public ::testing::WithParamInterface<bool> {
  protected:
    void SetUp() override {
        test::GlTest::SetUp();
        applyFixedRenderState();
        setupLights();
        setProjection(kWidth, kHeight);
        buildStateLists(GetParam());
        placeCameraAndLights(Vec3(1, 0, 0), Vec3(0, 1, 0), 1.15f, Vec3(0.3f, 0, 0));
        // A material no pass uses, so a leaked one shows.
        applyMaterial(*findMaterial("Green"));
        glColor4f(0.25f, 0.5f, 0.75f, 1.0f);
    }

    void expectRestores(const char* what, const std::function<void()>& pass) {
        const test::GlState before = test::GlState::capture();
        pass();
        const test::GlState after = test::GlState::capture();
        for (const std::string& d : before.differences(after))
            ADD_FAILURE() << what << " leaked " << d;
        EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR)) << what;
    }
};

TEST_P(DrawPass, EveryPassLeavesTheStateAsItFoundIt) {
    OuterShell arena(3, 0.5f, 0xFF);
    Brick brick(Vec3(0.3f, 0, 0), Vec3(0.3f, 0.1f, 0), Vec3(0.3f, 0, 0.1f), Vec3(0.35f, 0, 0),
                Vec3(0.35f, 0.1f, 0), Vec3(0.35f, 0, 0.1f), "Red");
    Paddle paddle(0.47f, Vec3(1, 0, 0), Vec3(0, 1, 0), false);
    Paddle solidPaddle(0.47f, Vec3(1, 0, 0), Vec3(0, 1, 0), true);
    paddle.steer(120, -80); // a real rotation in the pass
    arena.buildLists();
    brick.buildLists();
    paddle.buildLists();
    solidPaddle.buildLists();
    setSightLine(Vec3(1, 0, 0), Vec3(0, 0, 0));
    frameTime = 0.0f;

    expectRestores("arena draw", [&] { arena.draw(); });
    expectRestores("arena drawBlended", [&] { arena.drawBlended(); });
    expectRestores("brick draw at alpha 1", [&] { brick.draw(); });
    expectRestores("brick drawBlended at alpha 1", [&] { brick.drawBlended(); });
    brick.fade = 0.0f;
    expectRestores("brick draw at alpha 0.3", [&] { brick.draw(); });
    ASSERT_FLOAT_EQ(brick.alpha, 0.3f);
    expectRestores("brick drawBlended at alpha 0.3", [&] { brick.drawBlended(); });
    expectRestores("paddle drawBlended", [&] { paddle.drawBlended(); });
    expectRestores("solid paddle drawBlended", [&] { solidPaddle.drawBlended(); });
}

TEST_P(DrawPass, ListsExistBetweenBuildAndRelease) {
    OuterShell arena(2, 0.5f, 0xFF);
    Brick brick(Vec3(0.3f, 0, 0), Vec3(0.3f, 0.1f, 0), Vec3(0.3f, 0, 0.1f), Vec3(0.35f, 0, 0),
                Vec3(0.35f, 0.1f, 0), Vec3(0.35f, 0, 0.1f), "Red");
    Paddle paddle(0.47f, Vec3(1, 0, 0), Vec3(0, 1, 0), false);
    Paddle solidPaddle(0.47f, Vec3(1, 0, 0), Vec3(0, 1, 0), true);
    arena.buildLists();
    brick.buildLists();
    paddle.buildLists();
    solidPaddle.buildLists();
    const GLuint lists[] = {arena.displayList.name(), brick.displayList.name(),
                            paddle.outlineList.name(), solidPaddle.solidList.name(),
                            solidPaddle.outlineList.name()};
    for (GLuint l : lists)
        EXPECT_TRUE(glIsList(l));
    EXPECT_EQ(paddle.solidList.name(), 0u); // only a solid paddle has its grid

    for (int twice = 0; twice < 2; ++twice) {
        arena.releaseLists();
        brick.releaseLists();
        paddle.releaseLists();
        solidPaddle.releaseLists();
    }
    for (GLuint l : lists)
        EXPECT_FALSE(glIsList(l));
    EXPECT_EQ(arena.displayList.name(), 0u);
    EXPECT_EQ(brick.displayList.name(), 0u);
    EXPECT_EQ(solidPaddle.solidList.name(), 0u);

    // A new pair draws again.
    arena.buildLists();
    brick.buildLists();
    EXPECT_TRUE(glIsList(arena.displayList.name()));
    EXPECT_TRUE(glIsList(brick.displayList.name()));
    arena.draw();
    brick.draw();
    EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));
}

TEST_P(DrawPass, DestructorsDeleteListsStillHeld) {
    GLuint name;
    {
        Brick brick(Vec3(0.3f, 0, 0), Vec3(0.3f, 0.1f, 0), Vec3(0.3f, 0, 0.1f), Vec3(0.35f, 0, 0),
                    Vec3(0.35f, 0.1f, 0), Vec3(0.35f, 0, 0.1f), "Red");
        brick.buildLists();
        name = brick.displayList.name();
        ASSERT_TRUE(glIsList(name));
    }
    EXPECT_FALSE(glIsList(name));
}

TEST_P(DrawPass, ArenaBlendedPassLeavesShinyBlueAtAlphaPointTwo) {
    OuterShell arena(1, 0.5f, 0xFF);
    arena.buildLists();
    findMaterial("ShinyBlue")->diffuse[3] = 0.9f;
    arena.drawBlended();
    EXPECT_FLOAT_EQ(findMaterial("ShinyBlue")->diffuse[3], 0.2f);
}

TEST_P(DrawPass, OutlineStyleDecidesDepthWritesAndLineWidth) {
    glCallList(outlineStateList.name());
    GLboolean depthWrites;
    GLfloat width;
    glGetBooleanv(GL_DEPTH_WRITEMASK, &depthWrites);
    glGetFloatv(GL_LINE_WIDTH, &width);
    const bool smooth = glIsEnabled(GL_LINE_SMOOTH);
    GLint mode[2];
    glGetIntegerv(GL_POLYGON_MODE, mode);
    glPopAttrib();
    EXPECT_EQ(mode[0], GL_LINE);
    if (GetParam()) {
        EXPECT_FALSE(depthWrites);
        EXPECT_TRUE(smooth);
    } else {
        EXPECT_TRUE(depthWrites);
        EXPECT_FLOAT_EQ(width, 2.0f);
    }
}

INSTANTIATE_TEST_SUITE_P(OutlineStyles, DrawPass, ::testing::Values(true, false),
                         [](const auto& info) { return info.param ? "smooth" : "plain"; });

class StateLists : public test::GlTest {};

TEST_F(StateLists, SwitchingTwiceRestoresTheLook) {
    buildStateLists(true);
    buildStateLists(false);
    buildStateLists(true);
    glCallList(outlineStateList.name());
    const bool smooth = glIsEnabled(GL_LINE_SMOOTH);
    glPopAttrib();
    EXPECT_TRUE(smooth);
    EXPECT_TRUE(glIsList(outlineStateList.name()));
    EXPECT_TRUE(glIsList(solidStateList.name()));
    EXPECT_TRUE(glIsList(translucentStateList.name()));
    glCallList(translucentStateList.name());
    GLint cull, func;
    GLboolean mask;
    glGetIntegerv(GL_CULL_FACE_MODE, &cull);
    glGetIntegerv(GL_DEPTH_FUNC, &func);
    glGetBooleanv(GL_DEPTH_WRITEMASK, &mask);
    glPopAttrib();
    EXPECT_EQ(cull, GL_FRONT);
    EXPECT_EQ(func, GL_LEQUAL);
    EXPECT_FALSE(mask);
    glCallList(solidStateList.name());
    GLfloat factor, units;
    glGetFloatv(GL_POLYGON_OFFSET_FACTOR, &factor);
    glGetFloatv(GL_POLYGON_OFFSET_UNITS, &units);
    const bool blend = glIsEnabled(GL_BLEND), offset = glIsEnabled(GL_POLYGON_OFFSET_FILL);
    glPopAttrib();
    EXPECT_FLOAT_EQ(factor, 0.3f);
    EXPECT_FLOAT_EQ(units, 1.0f);
    EXPECT_FALSE(blend);
    EXPECT_TRUE(offset);
}

} // namespace
} // namespace orbiton
