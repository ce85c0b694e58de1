// SPDX-FileCopyrightText: 2026 The Orbiton 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Nothing fails in silence: every lost write, ignored input and unplayable
// level is said on stderr, and a lost write never ends with exit status 0.

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "support/app_harness.h"
#include "support/run_binary.h"

namespace orbiton {
namespace {

using test::AppHarness;
using test::LevelDirectory;
using test::runBinary;

bool says(const test::BinaryRun& r, const std::string& text) {
    return r.err.find(text) != std::string::npos;
}

const std::string kLevels = ORBITON_SOURCE_LEVELS;

TEST(NothingFailsInSilence, EveryLostWriteNamesTheFileAndTheReason) {
    const struct {
        std::string args, stdoutTo, says;
    } cases[] = {
        {"--headless --frames 3 --no-draw --events /dev/full", "/dev/null",
         "cannot write the events file /dev/full: No space left on device"},
        {"--headless --frames 3 --no-draw --trace /dev/full", "/dev/null",
         "cannot write the trace file /dev/full: No space left on device"},
        {"--headless --frames 3 --screenshot /dev/full", "/dev/null",
         "cannot write the picture /dev/full: No space left on device"},
        {"--preview 1 /dev/full --levels " + kLevels, "/dev/null",
         "cannot write the picture /dev/full: No space left on device"},
        {"--help", "/dev/full", "cannot write to standard output: No space left on device"},
        {"--version", "/dev/full", "cannot write to standard output: No space left on device"},
        {"--check " + kLevels + "/12.lvl", "/dev/full",
         "cannot write to standard output: No space left on device"},
    };
    for (const auto& c : cases) {
        const auto r = runBinary(c.args, "", c.stdoutTo);
        EXPECT_EQ(r.status, 1) << c.args;
        EXPECT_TRUE(says(r, c.says)) << c.args << ": " << r.err;
    }
}

// Started with standard error closed, the game's messages must not land in
// the first file it opens, which would be given descriptor 2.
TEST(NothingFailsInSilence, AClosedStandardErrorNeverTakesAFilesPlace) {
    LevelDirectory dir("closed-stderr");
    dir.write(1, "Shell 1 0.3 0.35 80 f Pink\n"); // a problem said as the level starts
    const std::string trace = dir.path() + "/trace.txt";
    for (const char* closed : {"2>&-", "<&- 2>&-"}) {
        const std::string cmd = std::string(ORBITON_BINARY) +
                                " --headless --frames 3 --no-draw --levels " + dir.path() +
                                " --trace " + trace + " >/dev/null " + closed;
        ASSERT_EQ(std::system(cmd.c_str()), 0) << closed;
        std::ifstream in(trace);
        std::string line;
        int lines = 0;
        while (std::getline(in, line)) {
            ++lines;
            EXPECT_EQ(line.rfind(std::to_string(lines) + " 0x", 0), 0u) << closed << ": " << line;
        }
        EXPECT_EQ(lines, 3) << closed;
    }
}

// A run that could not write its picture or log is refused before it starts:
// these would take minutes if they ran first.
TEST(NothingFailsInSilence, PathsThatCannotBeWrittenAreRefusedBeforeTheRun) {
    LevelDirectory dir("unwritable");
    const std::string run = "--headless --frames 1000000 --no-draw ";
    const struct {
        std::string args, says;
    } cases[] = {
        {"--headless --frames 1000000 --screenshot " + dir.path() + "/none/x.png",
         "cannot write the picture " + dir.path() + "/none/x.png: no folder"},
        {"--headless --frames 1000000 --screenshot " + dir.path(), "it is a directory"},
        {run + "--events " + dir.path() + "/none/e.txt", "cannot write the events file"},
        {run + "--trace " + dir.path(), "cannot write the trace file"},
        {"--preview 1 " + dir.path() + "/none/p.png --levels " + kLevels, "no folder"},
        {"--headless --frames 3 --no-draw --screenshot x.png", "--no-draw draws nothing"},
        {run + "--script " + dir.path(), "is not a regular file"},
        {run + "--script " + dir.path() + "/none.txt", "cannot read the script"},
    };
    for (const auto& c : cases) {
        const auto r = runBinary(c.args);
        EXPECT_EQ(r.status, 2) << c.args;
        EXPECT_TRUE(says(r, c.says)) << c.args << ": " << r.err;
    }
}

TEST(NothingFailsInSilence, ScriptInputPastTheLastFrameIsWarnedAbout) {
    LevelDirectory dir("late-script");
    std::ofstream(dir.path() + "/s.txt") << "2 click\n50 click\n";
    const auto r = runBinary("--headless --frames 10 --no-draw --levels " + kLevels + " --script " +
                             dir.path() + "/s.txt");
    EXPECT_EQ(r.status, 0); // the part that fits still plays
    EXPECT_TRUE(says(r, "input for frame 50 comes after the run's last frame (10)")) << r.err;
    const auto fits = runBinary("--headless --frames 50 --no-draw --levels " + kLevels +
                                " --script " + dir.path() + "/s.txt");
    EXPECT_EQ(fits.err, "");
}

TEST(NothingFailsInSilence, NoFontIsSaidOnceAndPlayGoesOn) {
    LevelDirectory dir("no-fonts");
    const std::string config = dir.path() + "/fonts.conf";
    std::ofstream(config) << "<?xml version=\"1.0\"?>\n<fontconfig></fontconfig>\n";
    const auto r =
        runBinary("--headless --frames 30 --levels " + kLevels, "env FONTCONFIG_FILE=" + config);
    EXPECT_EQ(r.status, 0);
    const std::string line = "no font for the overlay";
    const std::size_t first = r.err.find(line);
    EXPECT_NE(first, std::string::npos) << r.err;
    EXPECT_EQ(r.err.find(line, first + 1), std::string::npos) << "said more than once: " << r.err;
}

TEST(NothingFailsInSilence, ADisplayThatIsNotThereIsNamedWithTheReasonFirst) {
    const auto r = runBinary("--levels " + kLevels, "env -u WAYLAND_DISPLAY DISPLAY=:97");
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err.rfind("orbiton3d: cannot open the display DISPLAY=:97: ", 0), 0u) << r.err;
    EXPECT_TRUE(says(r, "/tmp/.X11-unix/X97")) << r.err;
}

TEST(NothingFailsInSilence, ALevelPastTheLastIsWarnedAboutAtStart) {
    const auto r = runBinary("--headless --frames 2 --no-draw --level 1000 --levels " + kLevels);
    EXPECT_EQ(r.status, 0); // it plays, as an empty level
    EXPECT_TRUE(says(r, kLevels + " has no 1000.lvl")) << r.err;
}

TEST(NothingFailsInSilence, AGapInTheLevelNumbersIsWarnedAboutAtStart) {
    LevelDirectory dir("gap-warning");
    dir.write(1, "Shell 1 0.3 0.35 80 f Red\n");
    dir.write(3, "Shell 1 0.3 0.35 80 f Red\n");
    const auto r = runBinary("--headless --frames 2 --no-draw --levels " + dir.path());
    EXPECT_EQ(r.status, 0);
    EXPECT_TRUE(says(r, dir.path() + " has no 2.lvl, though later levels follow: that level "
                                     "plays as an empty level, skipped at once"))
        << r.err;
}

// What the checker knows of a level the game says as the level starts, on
// its first visit only; and a level file gone since the start is said too.
TEST(NothingFailsInSilence, TheGameSaysWhatMakesALevelUnplayable) {
    LevelDirectory dir("unplayable");
    dir.write(1, "OuterShell 2 ff\nShell 1 0.6 0.65 80 f Red\nShell 1 0.2 0.25 80 f Red\n");
    dir.write(2, "OuterShell 2 ff\n");
    dir.write(3, "OuterShell 2 ff\nShell 1 0.2 0.25 80 f Red\n");
    HeadlessPlatform::Options o;
    AppHarness h(o, dir.path());
    h.app.drawOptions.drawing = false;
    ::testing::internal::CaptureStderr();
    ASSERT_TRUE(h.start());
    h.app.startLevel(0, 1, 3); // level 1 again: said once only
    std::filesystem::remove(World::levelFileName(3, dir.path()));
    h.app.startLevel(0, 2, 3); // no bricks: the next frame moves on to level 3
    h.frames(1);
    const std::string err = ::testing::internal::GetCapturedStderr();
    const std::string beyond = "1.lvl:2: warning: Shell bricks reach radius 0.65, beyond the arena";
    ASSERT_NE(err.find(beyond), std::string::npos) << err;
    EXPECT_EQ(err.find(beyond, err.find(beyond) + 1), std::string::npos) << err;
    EXPECT_NE(err.find("2.lvl: warning: the level has no bricks"), std::string::npos) << err;
    EXPECT_NE(err.find("3.lvl was there when the game started and cannot be read now; level 3 "
                       "plays as an empty level"),
              std::string::npos)
        << err;
    EXPECT_EQ(h.app.level, 3);
}

} // namespace
} // namespace orbiton
