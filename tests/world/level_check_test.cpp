// SPDX-FileCopyrightText: 2026 The Orbiton 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <vector>

#include "support/level_directory.h"
#include "world/level_check.h"

#ifndef _WIN32 // FIFOs, /dev and the game run through a shell: POSIX systems only
#include <sys/stat.h>

#include "support/run_binary.h"
#endif

namespace orbiton {
namespace {

using test::LevelDirectory;

TEST(LevelCheck, GoodFilePrintsTheSummaryAndPasses) {
    LevelDirectory dir("check-good");
    const std::string path =
        dir.file("good.lvl", "# fine\nOuterShell 2 ff\nShell 2 0.3 0.35 ff f Red\n");
    std::ostringstream out;
    EXPECT_EQ(checkLevels({path}, false, out), 0);
    EXPECT_EQ(out.str(), path + ": 128 bricks, 1 arena shell (128 triangles), 0 problems\n");
}

TEST(LevelCheck, VerboseDescribesEveryAppliedLine) {
    LevelDirectory dir("check-verbose");
    const std::string path =
        dir.file("verbose.lvl", "OuterShell 1 ff\nShell 1 0.3 0.35 0x80 F Red\n");
    std::ostringstream out;
    EXPECT_EQ(checkLevels({path}, true, out), 0);
    EXPECT_EQ(out.str(), path + ":1: OuterShell depth 1 faces 0xFF: 32 triangles\n" + path +
                             ":2: Shell depth 1 faces 0x80 parts 0xF \"Red\": 4 bricks\n" + path +
                             ": 4 bricks, 1 arena shell (32 triangles), 0 problems\n");
}

TEST(LevelCheck, EveryProblemKindIsReportedWithItsLine) {
    LevelDirectory dir("check-problem-kinds");
    const std::string path =
        dir.file("bad.lvl", "Shell 0 0.3 0.35 ff f Red\n"   // 1: depth below 1
                            "Shell 9 0.3 0.35 ff f Red\n"   // 2: too many bricks
                            "OuterShell 0 ff\n"             // 3: bad arena depth
                            "OuterShell 7 ff\n"             // 4: too many vertices
                            "Shell 1 0.3 0.35 80 f Pink\n"  // 5: unknown material
                            "shell 1 0.3 0.35 80 f Red\n"   // 6: misspelt keyword
                            "Shell\t1 0.3 0.35 80 f Red\n"  // 7: tab after the keyword
                            "OuterShel 1 ff\n"              // 8: misspelt keyword
                            "Shell 1 0.3 0.35\n"            // 9: missing fields
                            "Shell 1 0.3 0.35 80 f Red x\n" // 10: text after the last field
                            "OuterShell 99999999999 ff\n"); // 11: out of range
    std::ostringstream out;
    EXPECT_EQ(checkLevels({path}, false, out), 1);
    const std::string text = out.str();
    for (int line = 1; line <= 11; ++line)
        EXPECT_NE(text.find(path + ":" + std::to_string(line) + ": "), std::string::npos)
            << "line " << line << " in:\n"
            << text;
    EXPECT_NE(text.find(path + ": 8 bricks, 0 arena shells (0 triangles), 12 problems\n"),
              std::string::npos)
        << text;
}

TEST(LevelCheck, MissingFileIsAProblem) {
    std::ostringstream out;
    EXPECT_EQ(checkLevels({"/nonexistent/9.lvl"}, false, out), 1);
    EXPECT_NE(out.str().find("cannot open the file: No such file or directory"), std::string::npos)
        << out.str();
}

std::string summary(const std::string& path, const std::string& counts) {
    return path + ": " + counts + "\n";
}

#ifndef _WIN32
// Paths that are not level files: each is refused at once with the reason,
// and the files around it keep their results.
TEST(LevelCheck, WhatIsNotARegularFileIsRefusedWithoutReadingIt) {
    namespace fs = std::filesystem;
    LevelDirectory scratch("check-hostile-paths");
    const std::string dir = scratch.path() + "/";
    fs::create_directories(dir + "x.lvl");
    const std::string good = scratch.file("1.lvl", "Shell 1 0.3 0.35 80 f Red\n");
    fs::create_symlink("/dev/zero", dir + "zero.lvl");
    ASSERT_EQ(mkfifo((dir + "fifo.lvl").c_str(), 0600), 0); // opening it would block
    {
        std::ofstream big(dir + "big.lvl", std::ios::binary);
        big << "Shell 1 0.3 0.35 80 f Red\n";
    }
    fs::resize_file(dir + "big.lvl", (16u << 20) + 1);
    std::ostringstream out;
    EXPECT_EQ(checkLevels({good, dir + "x.lvl", dir + "zero.lvl", dir + "fifo.lvl", dir + "big.lvl",
                           good + "/2.lvl", good},
                          false, out),
              1);
    const std::string none = "0 bricks, 0 arena shells (0 triangles), 1 problem";
    const std::string expected =
        summary(good, "4 bricks, 0 arena shells (0 triangles), 0 problems") + dir +
        "x.lvl: cannot open the file: is a directory\n" + summary(dir + "x.lvl", none) + dir +
        "zero.lvl: cannot open the file: is not a regular file (a device, pipe or socket)\n" +
        summary(dir + "zero.lvl", none) + dir +
        "fifo.lvl: cannot open the file: is not a regular file (a device, pipe or socket)\n" +
        summary(dir + "fifo.lvl", none) + dir +
        "big.lvl: cannot open the file: is larger than 16 MiB, too large for a level\n" +
        summary(dir + "big.lvl", none) + good + "/2.lvl: cannot open the file: Not a directory\n" +
        summary(good + "/2.lvl", none) +
        summary(good, "4 bricks, 0 arena shells (0 triangles), 0 problems");
    EXPECT_EQ(out.str(), expected);
}
#endif

// Files that load without complaint yet can never be cleared.
TEST(LevelCheck, UnplayableLevelsAreProblems) {
    LevelDirectory dir("check-unplayable");
    const std::string path = dir.file("unplayable.lvl",
                                      "OuterShell 2 ff\n"
                                      "Shell 1 0.6 0.7 80 f Red\n"    // 2: beyond the arena
                                      "Shell 1 0.45 0.51 40 f Red\n"  // 3: pokes out
                                      "Shell 1 0 0.3 20 f Red\n"      // 4: zero radius
                                      "Shell 1 -0.3 0.35 10 f Red\n"  // 5: negative radius
                                      "Shell 1 0.3 0.3 08 f Red\n"    // 6: no thickness
                                      "Shell 1 0.45 0.5 04 f Red\n"); // 7: touches 0.5: fine
    std::ostringstream out;
    EXPECT_EQ(checkLevels({path}, false, out), 1);
    const std::string text = out.str();
    EXPECT_NE(text.find(path + ":2: Shell bricks reach radius 0.7, beyond the arena's 0.5"),
              std::string::npos)
        << text;
    EXPECT_NE(text.find(path + ":3: Shell bricks reach radius 0.51,"), std::string::npos) << text;
    EXPECT_NE(text.find(path + ":4: Shell radius 0 is not above 0"), std::string::npos) << text;
    EXPECT_NE(text.find(path + ":5: Shell radius -0.3 is not above 0"), std::string::npos) << text;
    EXPECT_NE(text.find(path + ":6: Shell radii are equal (0.3)"), std::string::npos) << text;
    EXPECT_EQ(text.find(path + ":7:"), std::string::npos) << text;
    EXPECT_NE(text.find(summary(path, "24 bricks, 1 arena shell (128 triangles), 5 problems")),
              std::string::npos)
        << text;

    // No brick at all: the game would skip the level at once.
    for (const std::string& text : {std::string(), std::string("OuterShell 2 ff\n"),
                                    std::string("Shell 1 0.3 0.35 00 f Red\n")}) {
        const std::string empty = dir.file("no-bricks.lvl", text);
        std::ostringstream o;
        EXPECT_EQ(checkLevels({empty}, false, o), 1);
        EXPECT_NE(o.str().find(empty + ": the level has no bricks: the game skips it at once\n"),
                  std::string::npos)
            << o.str();
    }
}

// A file broken on every line says the first 100 problems and counts the rest.
TEST(LevelCheck, AHugeBrokenFileIsSummarisedAfterOneHundredLines) {
    LevelDirectory dir("check-huge-broken");
    std::string text;
    for (int i = 0; i < 200000; ++i)
        text += "Shel 1 0.3 0.35 80 f Red\n";
    const std::string path = dir.file("broken.lvl", text);
    std::ostringstream out;
    EXPECT_EQ(checkLevels({path}, false, out), 1);
    std::istringstream lines(out.str());
    std::vector<std::string> all;
    for (std::string l; std::getline(lines, l);)
        all.push_back(l);
    // 100 problem lines (the no-brick problem among them), the count of the rest, the summary.
    ASSERT_EQ(all.size(), 102u);
    EXPECT_EQ(all[0], path + ": the level has no bricks: the game skips it at once");
    EXPECT_EQ(all[1].rfind(path + ":1: unrecognised line starting \"Shel\"", 0), 0u) << all[1];
    EXPECT_EQ(all[99].rfind(path + ":99: ", 0), 0u) << all[99];
    EXPECT_EQ(all[100], path + ": 199901 more problems not shown");
    EXPECT_EQ(all[101] + "\n",
              summary(path, "0 bricks, 0 arena shells (0 triangles), 200001 problems"));
}

// Every input of the fuzzer's seed corpus (the hostile files among them) is
// checked to the end: a summary line each, whatever the bytes.
TEST(LevelCheck, EverySeedOfTheFuzzCorpusIsCheckedToTheEnd) {
    namespace fs = std::filesystem;
    std::vector<std::string> seeds;
    for (const auto& e :
         fs::directory_iterator(std::string(ORBITON_TEST_DATA) + "/../../fuzz/seeds"))
        seeds.push_back(e.path().string());
    ASSERT_GE(seeds.size(), 30u);
    std::ostringstream out;
    checkLevels(seeds, false, out);
    std::istringstream lines(out.str());
    std::map<std::string, int> summaries;
    for (std::string l; std::getline(lines, l);)
        for (const std::string& seed : seeds)
            if (l.rfind(seed + ": ", 0) == 0 && l.find(" arena shell") != std::string::npos)
                ++summaries[seed];
    for (const std::string& seed : seeds)
        EXPECT_EQ(summaries[seed], 1) << seed;
}

#ifndef _WIN32
int runBinary(const std::string& args) {
    return test::runBinary(args).status;
}

TEST(LevelCheck, CommandLineExitStatus) {
    LevelDirectory dir("check-exit-status");
    const std::string good =
        dir.file("cli-good.lvl", "OuterShell 2 ff\nShell 1 0.3 0.35 1 f Red\n");
    const std::string bad = dir.file("cli-bad.lvl", "OuterShell 0 ff\n");
    EXPECT_EQ(runBinary("--check " + good), 0);
    EXPECT_EQ(runBinary("--check --verbose " + good + " " + bad), 1);
    EXPECT_EQ(runBinary("--check"), 2);
    EXPECT_EQ(runBinary("--check --bogus " + good), 2);
    EXPECT_EQ(runBinary("--help"), 0);
}
#endif

} // namespace
} // namespace orbiton
