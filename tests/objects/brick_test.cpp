// SPDX-FileCopyrightText: 2026 The Orbiton 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include <gtest/gtest.h>

#include "objects/brick.h"
#include "render/render_setup.h"
#include "render/state_lists.h"
#include "support/gl_state.h"
#include "support/gl_test.h"

namespace orbiton {
namespace {

// A brick around x = 0.5, on the viewer's side of a ball at the centre when
// the viewer looks from +x: the one that hides the ball.
std::unique_ptr<Brick> brickAt(float x, const std::string& material = "Red") {
    return std::make_unique<Brick>(Vec3(x, 0, 0), Vec3(x, 0.1f, 0), Vec3(x, 0, 0.1f),
                                   Vec3(x + 0.05f, 0, 0), Vec3(x + 0.05f, 0.1f, 0),
                                   Vec3(x + 0.05f, 0, 0.1f), material);
}

TEST(Brick, ConstructionState) {
    auto b = brickAt(0.5f);
    EXPECT_EQ(b->mass, 1000.0f);
    EXPECT_EQ(b->fade, 1.0f);
    EXPECT_EQ(b->alpha, 1.0f);
    EXPECT_FALSE(b->fading);
    EXPECT_EQ(b->displayList.name(), 0u);
    EXPECT_EQ(b->material, findMaterial("Red"));
    EXPECT_EQ(b->getShape()->triangles.size(), 8u);
    EXPECT_FALSE(b->hasFallbackMaterial());
}

TEST(Brick, UnknownMaterialGetsTheFallbackInsteadOfNull) {
    auto b = brickAt(0.5f, "Mauve");
    EXPECT_EQ(findMaterial("Mauve"), nullptr); // the library still says null
    EXPECT_EQ(b->material, fallbackMaterial());
    EXPECT_TRUE(b->hasFallbackMaterial());
}

TEST(Brick, SightLineDistanceFromTheBoxCentre) {
    auto b = brickAt(0.5f);
    // Box centre (0.525, 0.05, 0.05); the segment runs along the x axis.
    setSightLine(Vec3(1, 0, 0), Vec3(0, 0, 0));
    EXPECT_NEAR(b->sightLineDistance(), std::sqrt(0.05 * 0.05 * 2), 1e-6);
    setSightLine(Vec3(1, 1, 0), Vec3(1, -1, 0));
    EXPECT_NEAR(b->sightLineDistance(), std::sqrt(0.475 * 0.475 + 0.05 * 0.05), 1e-6);
}

class BrickDraw : public test::GlTest {
  protected:
    void SetUp() override {
        test::GlTest::SetUp();
        applyFixedRenderState();
        buildStateLists(true);
    }
};

TEST_F(BrickDraw, FadesAtFiveUnitsPerSecondAndClamps) {
    auto b = brickAt(0.5f);
    b->buildLists();
    setSightLine(Vec3(1, 0, 0), Vec3(0, 0, 0));
    frameTime = 0.05f;
    b->draw();
    EXPECT_TRUE(b->fading);
    EXPECT_FLOAT_EQ(b->fade, 0.75f);
    EXPECT_FLOAT_EQ(b->alpha, 0.825f);
    for (int i = 0; i < 3; ++i)
        b->draw();
    EXPECT_FLOAT_EQ(b->fade, 0.0f);
    EXPECT_FLOAT_EQ(b->alpha, 0.3f);
    b->draw();
    EXPECT_EQ(b->fade, 0.0f);

    // The view clears: back up; a one-second frame goes all the way at once.
    setSightLine(Vec3(-1, 0, 0), Vec3(0, 0, 0));
    frameTime = 1.0f;
    b->draw();
    EXPECT_FALSE(b->fading);
    EXPECT_EQ(b->fade, 1.0f);
    EXPECT_FLOAT_EQ(b->alpha, 1.0f);
}

TEST_F(BrickDraw, ABrickBehindTheBallNeverFades) {
    auto b = brickAt(-0.5f);
    b->buildLists();
    // On the sight line's extension, beyond the ball: dot is negative.
    setSightLine(Vec3(1, 0.05f, 0.05f), Vec3(0, 0.05f, 0.05f));
    frameTime = 0.05f;
    b->draw();
    EXPECT_FALSE(b->fading);
    EXPECT_EQ(b->fade, 1.0f);
}

TEST_F(BrickDraw, EachBrickSharingAMaterialIsLitWithItsOwnAlpha) {
    auto faded = brickAt(0.5f);
    auto clear = brickAt(0.5f);
    faded->buildLists();
    clear->buildLists();
    faded->fade = 0.0f;
    faded->fading = true;
    setSightLine(Vec3(1, 0, 0), Vec3(0, 0, 0));
    frameTime = 0.0f; // keep both fade levels
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glRotatef(-60, 0, 1, 0); // look at the brick's side so some faces are front-facing

    auto lit = test::feedbackVertices([&] {
        faded->draw();
        clear->draw();
    });
    ASSERT_FALSE(lit.empty());
    const std::size_t half = lit.size() / 2;
    for (std::size_t i = 0; i < lit.size(); ++i)
        EXPECT_FLOAT_EQ(lit[i].rgba[3], i < half ? 0.3f : 1.0f) << i;
    EXPECT_FLOAT_EQ(findMaterial("Red")->diffuse[3], 1.0f); // the last writer's value
    glLoadIdentity();
}

TEST_F(BrickDraw, OutlineAlphaIsFourTenthsOfTheBricks) {
    auto b = brickAt(0.5f);
    b->buildLists();
    b->alpha = 0.3f;
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glRotatef(-60, 0, 1, 0); // not edge-on, so faces survive culling
    auto lines = test::feedbackVertices([&] { b->drawBlended(); });
    ASSERT_FALSE(lines.empty());
    for (const auto& v : lines) {
        EXPECT_FLOAT_EQ(v.rgba[0], 0.0f);
        EXPECT_FLOAT_EQ(v.rgba[3], 0.12f);
    }
}

TEST_F(BrickDraw, BlendsOnlyWhileTranslucent) {
    // A brick seen face-on, filling the middle of the view, over the grey clear.
    auto b = std::make_unique<Brick>(Vec3(-0.5f, -0.5f, 0), Vec3(0.5f, -0.5f, 0), Vec3(0, 0.5f, 0),
                                     Vec3(-0.5f, -0.5f, -0.2f), Vec3(0.5f, -0.5f, -0.2f),
                                     Vec3(0, 0.5f, -0.2f), "Red");
    b->buildLists();
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    setSightLine(Vec3(0, 0, -1), Vec3(0, 0, -0.5f)); // nothing to hide
    frameTime = 0.0f;
    auto centreGreen = [&] {
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        b->draw();
        auto px = context().readPixels();
        return int(px[(kHeight / 2 * kWidth + kWidth / 2) * 4 + 1]);
    };
    const int opaque = centreGreen();
    b->fade = 0.0f; // alpha 0.3 this frame
    const int translucent = centreGreen();
    EXPECT_FLOAT_EQ(b->alpha, 0.3f);
    EXPECT_LT(opaque, 40);       // dark red: little green
    EXPECT_GT(translucent, 140); // mostly the 0.9 grey behind it
}

} // namespace
} // namespace orbiton
