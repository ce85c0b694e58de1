#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "support/app_harness.h"
#include "support/run_binary.h"

namespace orbiton {
namespace {

using test::LevelDirectory;
using test::runBinary;

bool says(const test::BinaryRun& r, const std::string& text) {
    return r.err.find(text) != std::string::npos;
}

TEST(CommandLine, ALevelFolderThatIsNotThereIsAnErrorBeforeAnythingStarts) {
    const auto missing = runBinary("--levels /nonexistent/levels --headless --frames 2");
    EXPECT_EQ(missing.status, 2);
    EXPECT_TRUE(says(missing, "--levels /nonexistent/levels: No such file or directory"))
        << missing.err;

    LevelDirectory dir("cli-levels");
    dir.write(1, "Shell 1 0.3 0.35 80 f Red\n");
    const std::string file = dir.path() + "/1.lvl";
    const auto notDir = runBinary("--levels " + file + " --headless --frames 2");
    EXPECT_EQ(notDir.status, 2);
    EXPECT_TRUE(says(notDir, file + ": not a directory")) << notDir.err;

    // A folder without the first level: a warning, then the game as usual.
    LevelDirectory empty("cli-empty-levels");
    const auto warned = runBinary("--levels " + empty.path() + " --headless --frames 2");
    EXPECT_EQ(warned.status, 0) << warned.err;
    EXPECT_TRUE(says(warned, "warning: " + empty.path() + " has no 1.lvl")) << warned.err;
}

TEST(CommandLine, PreviewingAMissingLevelIsAnErrorAndWritesNothing) {
    LevelDirectory dir("cli-preview");
    dir.write(1, "Shell 1 0.3 0.35 80 f Red\n");
    const std::string png = dir.path() + "/99.png";
    const auto r = runBinary("--preview 99 " + png + " --levels " + dir.path());
    EXPECT_EQ(r.status, 2);
    EXPECT_TRUE(says(r, "no level 99 to preview: " + dir.path() + "/99.lvl: No such file"))
        << r.err;
    EXPECT_FALSE(std::filesystem::exists(png));
}

TEST(CommandLine, ACheckGoesOnPastADirectoryAndEndsWithItsStatus) {
    LevelDirectory dir("cli-check-dir");
    dir.write(1, "Shell 1 0.3 0.35 80 f Red\n");
    dir.write(2, "Shell 1 0.3 0.35 80 f Red\n");
    std::filesystem::create_directory(dir.path() + "/x.lvl");
    const auto r = runBinary("--check " + dir.path() + "/1.lvl " + dir.path() + "/x.lvl " +
                             dir.path() + "/2.lvl");
    EXPECT_EQ(r.status, 1) << r.err; // a problem, not an abort
    EXPECT_EQ(r.err, "");
}

// Without a display the game must not run unseen on a driver that shows
// nothing: it says so and ends.
TEST(CommandLine, WithoutADisplayTheGameSaysSoAndEnds) {
    LevelDirectory dir("cli-no-display");
    dir.write(1, "Shell 1 0.3 0.35 80 f Red\n");
    for (const char* env : {"env -u DISPLAY -u WAYLAND_DISPLAY -u SDL_VIDEODRIVER",
                            "env -u WAYLAND_DISPLAY -u SDL_VIDEODRIVER DISPLAY=:987"}) {
        const auto r = runBinary("--levels " + dir.path(), env);
        EXPECT_EQ(r.status, 1) << env << "\n" << r.err;
        EXPECT_TRUE(says(r, "Window initialization failed")) << env << "\n" << r.err;
    }
}

} // namespace
} // namespace orbiton
