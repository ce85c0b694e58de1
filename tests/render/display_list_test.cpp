// SPDX-FileCopyrightText: 2026 The Orbiton 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "render/display_list.h"
#include "support/gl_test.h"

namespace orbiton {
namespace {

class DisplayListTest : public test::GlTest {};

TEST_F(DisplayListTest, ListsLiveExactlyAsLongAsTheirHandle) {
    const int before = countLiveDisplayLists();
    GLuint glyphs = 0;
    {
        DisplayList one;
        EXPECT_FALSE(one);
        DisplayList many;
        one.generate();
        glyphs = many.generate(96);
        ASSERT_NE(glyphs, 0u);
        EXPECT_EQ(many.size(), 96);
        EXPECT_TRUE(glIsList(one.name()));
        EXPECT_TRUE(glIsList(glyphs + 95));
        EXPECT_EQ(countLiveDisplayLists(), before + 97);

        // Generating again replaces: the old list goes, one new one comes.
        const GLuint old = one.name();
        one.generate();
        EXPECT_FALSE(glIsList(old) && old != one.name());
        EXPECT_EQ(countLiveDisplayLists(), before + 97);
    }
    EXPECT_FALSE(glIsList(glyphs));
    EXPECT_FALSE(glIsList(glyphs + 95));
    EXPECT_EQ(countLiveDisplayLists(), before);
}

TEST_F(DisplayListTest, MovingHandsOverOwnershipOnce) {
    const int before = countLiveDisplayLists();
    std::vector<DisplayList> lists;
    for (int i = 0; i < 20; ++i) { // growth moves every handle
        DisplayList l;
        l.generate();
        lists.push_back(std::move(l));
        EXPECT_FALSE(l);
    }
    EXPECT_EQ(countLiveDisplayLists(), before + 20);
    DisplayList kept;
    kept.generate();
    kept = std::move(lists[3]); // the list kept held before goes
    EXPECT_EQ(countLiveDisplayLists(), before + 20);
    lists.clear();
    EXPECT_TRUE(glIsList(kept.name()));
    EXPECT_EQ(countLiveDisplayLists(), before + 1);
    kept.reset();
    EXPECT_EQ(countLiveDisplayLists(), before);
}

TEST_F(DisplayListTest, ListsOfAGoneOrReplacedContextAreOnlyForgotten) {
    // The context stays alive here, so a GL call the handle should not have
    // made would show as a deleted list.
    DisplayList lost, replaced;
    const GLuint a = lost.generate();
    DisplayList::contextLost();
    lost.reset();
    EXPECT_FALSE(lost);
    EXPECT_TRUE(glIsList(a));

    DisplayList::contextMadeCurrent();
    const GLuint b = replaced.generate();
    DisplayList::contextMadeCurrent(); // another context took over
    replaced.reset();
    EXPECT_TRUE(glIsList(b));

    // Lists made after the change belong to it and are deleted again.
    DisplayList fresh;
    const GLuint c = fresh.generate();
    fresh.reset();
    EXPECT_FALSE(glIsList(c));
    glDeleteLists(a, 1);
    glDeleteLists(b, 1);
}

} // namespace
} // namespace orbiton
