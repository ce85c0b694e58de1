#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <sstream>
#include <sys/wait.h>

#include "world/level_check.h"

namespace orbiton {
namespace {

std::string writeLevel(const std::string& name, const std::string& text) {
    const std::string path = ::testing::TempDir() + name;
    std::ofstream(path, std::ios::binary) << text;
    return path;
}

TEST(LevelCheck, GoodFilePrintsTheSummaryAndPasses) {
    const std::string path =
        writeLevel("good.lvl", "# fine\nOuterShell 2 ff\nShell 2 0.3 0.35 ff f Red\n");
    std::ostringstream out;
    EXPECT_EQ(checkLevels({path}, false, out), 0);
    EXPECT_EQ(out.str(), path + ": 128 bricks, 1 arena shells (128 triangles), 0 problems\n");
}

TEST(LevelCheck, VerboseDescribesEveryAppliedLine) {
    const std::string path =
        writeLevel("verbose.lvl", "OuterShell 1 ff\nShell 1 0.3 0.35 0x80 F Red\n");
    std::ostringstream out;
    EXPECT_EQ(checkLevels({path}, true, out), 0);
    EXPECT_EQ(out.str(),
              path + ":1: OuterShell depth 1 faces 0xFF: 32 triangles, collision mask 254\n" +
                  path + ":2: Shell depth 1 faces 0x80 parts 0xF \"Red\": 4 bricks\n" + path +
                  ": 4 bricks, 1 arena shells (32 triangles), 0 problems\n");
}

TEST(LevelCheck, EveryProblemKindIsReportedWithItsLine) {
    const std::string path =
        writeLevel("bad.lvl", "Shell 0 0.3 0.35 ff f Red\n"   // 1: depth below 1
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
    EXPECT_NE(out.str().find("cannot open"), std::string::npos);
}

int runBinary(const std::string& args) {
    const std::string cmd = std::string(ORBITON_BINARY) + " " + args + " >/dev/null 2>&1";
    const int status = std::system(cmd.c_str());
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

TEST(LevelCheck, CommandLineExitStatus) {
    const std::string good = writeLevel("cli-good.lvl", "OuterShell 2 ff\n");
    const std::string bad = writeLevel("cli-bad.lvl", "OuterShell 0 ff\n");
    EXPECT_EQ(runBinary("--check " + good), 0);
    EXPECT_EQ(runBinary("--check --verbose " + good + " " + bad), 1);
    EXPECT_EQ(runBinary("--check"), 2);
    EXPECT_EQ(runBinary("--check --bogus " + good), 2);
    EXPECT_EQ(runBinary("--help"), 0);
}

} // namespace
} // namespace orbiton
