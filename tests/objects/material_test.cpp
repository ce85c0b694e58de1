// SPDX-FileCopyrightText: 2026 The Orbiton 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include <gtest/gtest.h>

#include "platform/gl.h"

#include "objects/material.h"
#include "support/gl_test.h"

namespace orbiton {
namespace {

TEST(MaterialLibrary, HoldsTheThirteenNamedRecords) {
    const char* names[] = {"Red",        "Green",     "Blue",        "Yellow",    "ShinyRed",
                           "ShinyGreen", "ShinyBlue", "ShinyYellow", "LightGrey", "DarkGrey",
                           "Shell",      "Ball",      "Paddle"};
    for (const char* n : names)
        EXPECT_NE(findMaterial(n), nullptr) << n;

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

TEST(MaterialLibrary, RecordsAreSharedAndKeepWrittenValues) {
    Material* red = findMaterial("Red");
    EXPECT_EQ(findMaterial("Red"), red);
    float old = red->diffuse[3];
    red->diffuse[3] = 0.65f;
    EXPECT_FLOAT_EQ(findMaterial("Red")->diffuse[3], 0.65f);
    red->diffuse[3] = old;
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
