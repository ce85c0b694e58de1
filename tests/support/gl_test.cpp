// SPDX-FileCopyrightText: 2026 The Orbiton 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "support/gl_test.h"

#include "platform/gl.h"

#include "render/display_list.h"

namespace orbiton::test {

namespace {
std::unique_ptr<OffscreenContext> shared;
}

OffscreenContext& GlTest::context() {
    return *shared;
}

void GlTest::SetUp() {
    if (!shared) {
        shared = OffscreenContext::create(kWidth, kHeight);
        ASSERT_TRUE(shared) << OffscreenContext::error();
    }
    ASSERT_TRUE(shared->makeCurrent());
    // Another test's App may have had its own context current meanwhile.
    DisplayList::contextMadeCurrent();
    while (glGetError() != GL_NO_ERROR) {
    }
}

void GlTest::TearDown() {
    if (shared) {
        EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));
    }
}

} // namespace orbiton::test
