// SPDX-FileCopyrightText: 2026 The Orbiton 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include <gtest/gtest.h>

#include <set>
#include <sstream>

#include "platform/gl.h"

#include "objects/brick.h"
#include "objects/material.h"
#include "support/gl_test.h"
#include "world/level_loader.h"

namespace orbiton {
namespace {

// Every name a level may give its bricks loads as that record, each its own;
// the ball's and the paddle's are there too.
TEST(MaterialLibrary, EveryNamedMaterialIsARecordOfItsOwn) {
    const char* brickNames[] = {"Red",       "Green",      "Blue",      "Yellow",
                                "ShinyRed",  "ShinyGreen", "ShinyBlue", "ShinyYellow",
                                "LightGrey", "DarkGrey",   "Shell"};
    std::set<const Material*> records;
    for (const char* n : brickNames) {
        BrickList bricks;
        ObjectList others;
        LevelReport report;
        std::istringstream in(std::string("Shell 1 0.3 0.35 80 1 ") + n + "\n");
        LevelLoader(bricks, others, report).loadLevel(in);
        EXPECT_TRUE(report.problems.empty()) << n;
        ASSERT_EQ(bricks.size(), 1u) << n;
        EXPECT_EQ(bricks[0]->material, findMaterial(n)) << n;
        EXPECT_FALSE(bricks[0]->hasFallbackMaterial()) << n;
        records.insert(bricks[0]->material);
    }
    records.insert(findMaterial("Ball"));
    records.insert(findMaterial("Paddle"));
    records.erase(nullptr);
    EXPECT_EQ(records.size(), 13u);

    // The worked values of three of them.
    Material* shiny = findMaterial("ShinyBlue");
    EXPECT_FLOAT_EQ(shiny->specular[0], 0.5f);
    EXPECT_FLOAT_EQ(shiny->specular[3], 1.0f);
    EXPECT_FLOAT_EQ(shiny->shininess, 5.0f);
    EXPECT_FLOAT_EQ(shiny->diffuse[2], 0.8f);
    Material* shell = findMaterial("Shell");
    EXPECT_FLOAT_EQ(shell->ambient[0], 0.6f);
    EXPECT_FLOAT_EQ(shell->diffuse[0], 0.9f);
    EXPECT_FLOAT_EQ(findMaterial("Red")->shininess, 50.0f);
}

TEST(MaterialLibrary, LookupIsCaseSensitiveAndAMissLeavesANullEntry) {
    std::size_t before = materialLibrary.size();
    EXPECT_EQ(findMaterial("red"), nullptr);
    EXPECT_EQ(materialLibrary.size(), before + 1);
    EXPECT_EQ(findMaterial("red"), nullptr);
    EXPECT_EQ(materialLibrary.size(), before + 1);
    EXPECT_NE(fallbackMaterial(), nullptr);
}

// The bricks of one material share its record: an alpha a fade writes
// through one brick is what every brick of that material is drawn with.
TEST(MaterialLibrary, BricksOfOneMaterialShareItsRecord) {
    BrickList bricks;
    ObjectList others;
    LevelReport report;
    std::istringstream in("Shell 1 0.3 0.35 ff f Red\nShell 1 0.4 0.45 01 f Red\n");
    LevelLoader(bricks, others, report).loadLevel(in);
    ASSERT_EQ(bricks.size(), 36u);
    const float old = bricks[0]->material->diffuse[3];
    bricks[0]->material->diffuse[3] = 0.65f;
    for (const auto& b : bricks)
        EXPECT_FLOAT_EQ(b->material->diffuse[3], 0.65f);
    EXPECT_FLOAT_EQ(findMaterial("Red")->diffuse[3], 0.65f);
    bricks[0]->material->diffuse[3] = old;
}

using ApplyMaterial = test::GlTest;

TEST_F(ApplyMaterial, SendsAllFourValuesToBothFaces) {
    const Material& paddle = *findMaterial("Paddle");
    applyMaterial(paddle);
    for (GLenum face : {GL_FRONT, GL_BACK}) {
        GLfloat v[4];
        glGetMaterialfv(face, GL_AMBIENT, v);
        EXPECT_FLOAT_EQ(v[0], 0.6f);
        EXPECT_FLOAT_EQ(v[3], 0.2f);
        glGetMaterialfv(face, GL_DIFFUSE, v);
        EXPECT_FLOAT_EQ(v[2], 0.6f);
        EXPECT_FLOAT_EQ(v[3], 0.2f);
        glGetMaterialfv(face, GL_SPECULAR, v);
        EXPECT_FLOAT_EQ(v[0], 0.0f);
        EXPECT_FLOAT_EQ(v[3], 0.2f);
        glGetMaterialfv(face, GL_SHININESS, v);
        EXPECT_FLOAT_EQ(v[0], 50.0f);
    }
    applyMaterial(*findMaterial("ShinyBlue"));
    GLfloat s;
    glGetMaterialfv(GL_FRONT, GL_SHININESS, &s);
    EXPECT_FLOAT_EQ(s, 5.0f);
}

} // namespace
} // namespace orbiton
