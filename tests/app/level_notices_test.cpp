// SPDX-FileCopyrightText: 2026 The Orbiton 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include <gtest/gtest.h>

#include <filesystem>

#include "support/app_harness.h"
#include "world/world.h"

namespace orbiton {
namespace {

using test::AppHarness;
using test::LevelDirectory;

HeadlessPlatform::Options window(bool capture = false) {
    HeadlessPlatform::Options o;
    o.frameSeconds = 0.5;
    o.windowWidth = 640;
    o.windowHeight = 480;
    o.captureLastFrame = capture;
    return o;
}

// Dark pixels in rows top..bottom (from the top), columns 10..400 of a 640-wide frame.
int darkPixels(const std::vector<std::uint8_t>& px, int top, int bottom) {
    int dark = 0;
    for (int row = top; row <= bottom; ++row)
        for (int col = 10; col <= 400; ++col) {
            const std::size_t i = (std::size_t(row) * 640 + std::size_t(col)) * 4;
            dark += px[i] < 60 && px[i + 1] < 60 && px[i + 2] < 60;
        }
    return dark;
}

// A game started from a desktop writes its standard error nowhere: what it
// says there of missing levels must also reach the player, in a box.
TEST(LevelNotices, NoLevelsAtAllOrNoFirstLevelIsShownInABox) {
    LevelDirectory empty("notices-empty");
    AppHarness none(window(), empty.path());
    none.app.showLevelNotices = true;
    ASSERT_TRUE(none.start());
    ASSERT_EQ(none.platform.messages().size(), 1u);
    EXPECT_EQ(none.platform.messages()[0].rfind(
                  "Orbiton 3D: No levels found: " + empty.path() + " has no level files", 0),
              0u)
        << none.platform.messages()[0];
    // The game goes on as it always has: an empty level counts as cleared.
    none.frames(2);
    EXPECT_GT(none.app.level, 1);

    LevelDirectory gap("notices-gap");
    gap.write(2, "Shell 1 0.3 0.35 80 f Red\n");
    AppHarness noFirst(window(), gap.path());
    noFirst.app.showLevelNotices = true;
    ASSERT_TRUE(noFirst.start());
    ASSERT_EQ(noFirst.platform.messages().size(), 1u);
    EXPECT_EQ(noFirst.platform.messages()[0],
              "Orbiton 3D: No 1.lvl in " + gap.path() + ": the game starts on an empty level.");

    // A headless run says it on standard error only, as before.
    AppHarness headless(window(), empty.path());
    ASSERT_TRUE(headless.start());
    EXPECT_TRUE(headless.platform.messages().empty());
}

// The number of problems a level has, under the level number, for six seconds.
TEST(LevelNotices, ALevelWithProblemsIsNamedOnScreenForAWhile) {
    LevelDirectory levels("notices-problems");
    levels.write(1, "Shell 1 0.3 0.35 80 f Pink\nOuterShell 2 zz\nShell 1 0.4 0.45 01 f Red\n");
    levels.write(2, "Shell 1 0.3 0.35 80 f Red\n");
    AppHarness h(window(true), levels.path());
    h.app.showLevelNotices = true;
    ASSERT_TRUE(h.start());
    EXPECT_TRUE(h.platform.messages().empty());
    EXPECT_EQ(h.app.levelNotice, "LEVEL 1: 2 PROBLEMS");
    h.frames(2);
    // Dark pixels in the band below "Level: 1" (rows 45..75 from the top):
    // the notice's letters.
    auto darkInBand = [&] { return darkPixels(h.platform.lastFrame(), 45, 75); };
    const int shown = darkInBand();
    EXPECT_GT(shown, 200);
    h.frames(12); // 0.5 s a frame: past six seconds
    EXPECT_EQ(h.app.level, 1);
    EXPECT_LT(darkInBand(), shown / 10);
    // A level without problems brings no line.
    h.app.startLevel(0, 2, 3);
    EXPECT_EQ(h.app.levelNotice, "");
    EXPECT_EQ(h.app.levelNoticeShownFor, 0.0f);
}

// An empty level is skipped at once; its one problem is named, then the next
// level's file, there at the start and gone since.
TEST(LevelNotices, ASkippedLevelAndALevelGoneSinceTheStartAreNamed) {
    LevelDirectory levels("notices-gone");
    levels.write(1, "# nothing here\n");
    levels.write(2, "Shell 1 0.3 0.35 80 f Red\n");
    AppHarness h(window(), levels.path());
    h.app.showLevelNotices = true;
    ASSERT_TRUE(h.start());
    EXPECT_EQ(h.app.levelNotice, "LEVEL 1: 1 PROBLEM");
    std::filesystem::remove(World::levelFileName(2, levels.path()));
    h.frames(1);
    EXPECT_EQ(h.app.level, 2);
    EXPECT_EQ(h.app.levelNotice, "LEVEL 2 CANNOT BE READ");
    // Past the last level nothing more is named: the missing 3.lvl is the end.
    h.frames(1);
    EXPECT_EQ(h.app.levelNotice, "LEVEL 2 CANNOT BE READ");
}

// Levels 1 and 3 with 2 missing between them: level 2 plays empty and is
// skipped at once, so the player is told at the start, under the level line.
TEST(LevelNotices, AGapInTheLevelNumbersIsSaidAtTheStart) {
    LevelDirectory levels("notices-gap-numbers");
    levels.write(1, "Shell 1 0.3 0.35 80 f Red\n");
    levels.write(3, "Shell 1 0.3 0.35 80 f Red\n");
    levels.write(6, "Shell 1 0.3 0.35 80 f Red\n");
    AppHarness h(window(true), levels.path());
    h.app.showLevelNotices = true;
    ASSERT_TRUE(h.start());
    EXPECT_EQ(h.app.missingLevels(), (std::vector<int>{2, 4, 5}));
    EXPECT_EQ(h.app.gapNotice, "NO LEVELS 2, 4, 5: SKIPPED");
    EXPECT_EQ(h.app.levelNotice, ""); // level 1 itself is fine
    h.frames(2);
    // "Level: 1" is drawn 30 px below the top, a notice of its own 70 px and
    // this one 110 px: rows 85..115 hold its letters.
    const int shown = darkPixels(h.platform.lastFrame(), 85, 115);
    EXPECT_GT(shown, 200);
    h.frames(12); // 0.5 s a frame: past six seconds
    EXPECT_LT(darkPixels(h.platform.lastFrame(), 85, 115), shown / 10);

    // One missing level is named alone; a run starting past the gap has none.
    LevelDirectory one("notices-gap-one");
    one.write(1, "Shell 1 0.3 0.35 80 f Red\n");
    one.write(3, "Shell 1 0.3 0.35 80 f Red\n");
    AppHarness single(window(), one.path());
    single.app.showLevelNotices = true;
    ASSERT_TRUE(single.start());
    EXPECT_EQ(single.app.gapNotice, "NO LEVEL 2: SKIPPED");
    AppHarness later(window(), one.path());
    later.app.showLevelNotices = true;
    later.app.firstLevel = 3;
    ASSERT_TRUE(later.start());
    EXPECT_EQ(later.app.gapNotice, "");
}

// Past the last level the counter climbs over empty levels as it always
// has; the status word says the game is won, and the event log says it once.
TEST(LevelNotices, PastTheLastLevelTheGameSaysAllCleared) {
    LevelDirectory levels("notices-cleared");
    levels.write(1, "Shell 1 0.3 0.35 80 f Red\n");
    levels.write(2, "Shell 1 0.3 0.35 80 f Red\n");
    AppHarness h(window(), levels.path());
    ASSERT_TRUE(h.start());
    h.frames(1);
    EXPECT_EQ(h.app.statusWord(), "");
    h.app.startLevel(0, 2, 3); // the last level: not yet won
    EXPECT_EQ(h.app.statusWord(), "");
    h.app.startLevel(0, 3, 3); // cleared the last one
    EXPECT_EQ(h.app.statusWord(), "ALL CLEARED");
    h.frames(5);
    EXPECT_GE(h.app.level, 7);
    EXPECT_EQ(h.app.statusWord(), "ALL CLEARED");
    h.app.paused = true; // the pause is what the player needs to see first
    EXPECT_EQ(h.app.statusWord(), "PAUSED");
    const std::string log = h.events.str();
    EXPECT_EQ(log.find(" all cleared\n"), log.rfind(" all cleared\n")) << log;
    EXPECT_NE(log.find(" all cleared\n"), std::string::npos) << log;
    EXPECT_EQ(log.find("level 4 "), std::string::npos) << log;

    // Starting past the last level wins nothing.
    AppHarness past(window(), levels.path());
    past.app.firstLevel = 5;
    ASSERT_TRUE(past.start());
    past.frames(2);
    EXPECT_EQ(past.app.statusWord(), "");
}

} // namespace
} // namespace orbiton
