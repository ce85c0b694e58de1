// SPDX-FileCopyrightText: 2026 The Orbiton 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Nothing a user has is lost when they slip or stop a run: an output never
// lands on an input, files are whole or absent, a stopped run ends at a
// frame, and the reason of a failed write is the real one.

#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

#include "support/app_harness.h"
#include "support/run_binary.h"

namespace orbiton {
namespace {

using test::fileText;
using test::LevelDirectory;
using test::runBinary;
namespace fs = std::filesystem;

const std::string kLevels = ORBITON_SOURCE_LEVELS;
// Long enough that only a signal ends it.
const std::string kEndless = "--headless --frames 1000000000 --no-draw --levels " + kLevels;

bool says(const test::BinaryRun& r, const std::string& text) {
    return r.err.find(text) != std::string::npos;
}

std::vector<std::string> linesOf(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    return lines;
}

// A hex float as the trace writes it: "0x1.8p-2", "-0x0p+0".
bool hexFloat(const std::string& field) {
    const std::size_t start = field.rfind("-", 0) == 0 ? 1 : 0;
    const std::size_t p = field.find('p');
    return field.compare(start, 2, "0x") == 0 && p != std::string::npos && p + 2 < field.size() &&
           (field[p + 1] == '+' || field[p + 1] == '-') &&
           field.find_first_not_of("0123456789", p + 2) == std::string::npos;
}

// A trace is whole when it ends at a line end and every line is the next
// frame's: the frame number and six hex floats.
void expectWholeTrace(const std::string& text, const std::string& what) {
    ASSERT_FALSE(text.empty()) << what;
    EXPECT_EQ(text.back(), '\n') << what;
    long expected = 1;
    for (const std::string& line : linesOf(text)) {
        std::istringstream fields(line);
        std::vector<std::string> f;
        for (std::string field; fields >> field;)
            f.push_back(field);
        ASSERT_EQ(f.size(), 7u) << what << ": " << line;
        ASSERT_EQ(f[0], std::to_string(expected++)) << what;
        for (std::size_t i = 1; i < 7; ++i)
            ASSERT_TRUE(hexFloat(f[i])) << what << ": " << line;
    }
}

// The game started in the background, with stderr to a file.
class Background {
  public:
    explicit Background(const std::string& args) {
        pid = fork();
        if (pid == 0) {
            execl("/bin/sh", "sh", "-c",
                  ("exec " + std::string(ORBITON_BINARY) + " " + args + " 2>/dev/null").c_str(),
                  static_cast<char*>(nullptr));
            _exit(127);
        }
    }
    ~Background() {
        if (pid > 0 && !waited) {
            kill(pid, SIGKILL);
            waitpid(pid, nullptr, 0);
        }
    }
    // Waits (up to a minute) until the file has something in it.
    bool wrote(const std::string& path) const {
        for (int i = 0; i < 600; ++i) {
            std::error_code ec;
            if (fs::file_size(path, ec) > 0 && !ec)
                return true;
            std::this_thread::sleep_for(std::chrono::milliseconds(100));
        }
        return false;
    }
    int stop(int signal) {
        kill(pid, signal);
        int status = 0;
        waitpid(pid, &status, 0);
        waited = true;
        return status;
    }

  private:
    pid_t pid = -1;
    bool waited = false;
};

// A slip on the command line: an output named onto a level, the script or
// another output is refused before the run, naming both, and the input stays.
TEST(NothingLost, AnOutputOntoAnInputOrAnotherOutputIsRefused) {
    LevelDirectory dir("outputs-onto-inputs");
    dir.write(1, "Shell 1 0.3 0.35 80 f Red\n");
    dir.write(2, "Shell 1 0.3 0.35 ff f Blue\n");
    const std::string d = dir.path();
    std::ofstream(d + "/script.txt") << "2 click\n";
    fs::create_symlink(d + "/2.lvl", d + "/alias.txt");
    fs::create_symlink(d + "/out.txt", d + "/out-link.txt");
    const std::string run = "--headless --frames 3 --levels " + d + " ";
    const struct {
        std::string args, says;
    } cases[] = {
        {run + "--no-draw --events " + d + "/1.lvl",
         "the events file " + d + "/1.lvl is the level file " + d + "/1.lvl"},
        {run + "--screenshot " + d + "/2.lvl", "the picture " + d + "/2.lvl is the level file"},
        {run + "--no-draw --trace " + d + "/alias.txt",
         "the trace file " + d + "/alias.txt is the level file " + d + "/2.lvl"},
        {run + "--no-draw --script " + d + "/script.txt --trace " + d + "/script.txt",
         "the trace file " + d + "/script.txt is the script " + d + "/script.txt"},
        {run + "--no-draw --events " + d + "/out.txt --trace " + d + "/./out.txt",
         "the events file " + d + "/out.txt and the trace file " + d + "/./out.txt are one file"},
        {run + "--no-draw --events " + d + "/out.txt --trace " + d + "/out-link.txt",
         "are one file"},
        {run + "--trace " + d + "/t.png --screenshot " + d + "/t.png", "are one file"},
        {run + "--no-draw --events " + d + "/7.LVL",
         "would be a level file in the level folder " + d},
        {"--preview 1 " + d + "/1.lvl --levels " + d, "is the level file"},
    };
    for (const auto& c : cases) {
        const auto r = runBinary(c.args);
        EXPECT_EQ(r.status, 2) << c.args;
        EXPECT_TRUE(says(r, c.says)) << c.args << ": " << r.err;
    }
    EXPECT_EQ(fileText(d + "/1.lvl"), "Shell 1 0.3 0.35 80 f Red\n");
    EXPECT_EQ(fileText(d + "/2.lvl"), "Shell 1 0.3 0.35 ff f Blue\n");
    EXPECT_EQ(fileText(d + "/script.txt"), "2 click\n");
    EXPECT_FALSE(fs::exists(d + "/out.txt"));
    EXPECT_FALSE(fs::exists(d + "/7.LVL"));
}

// SIGTERM, SIGINT and SIGHUP end the run at the end of a frame: the trace
// and the event log end whole, no picture of a frame never reached is
// written, and the sender sees the run ended by its signal.
TEST(NothingLost, AStopSignalEndsTheRunWithItsLogsWhole) {
    LevelDirectory dir("stop-signals");
    for (const int signal : {SIGTERM, SIGINT, SIGHUP}) {
        const std::string trace = dir.path() + "/trace-" + std::to_string(signal) + ".txt";
        const std::string events = dir.path() + "/events-" + std::to_string(signal) + ".txt";
        Background run(kEndless + " --trace " + trace + " --events " + events);
        ASSERT_TRUE(run.wrote(trace)) << signal;
        const int status = run.stop(signal);
        EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == signal) << signal << ": " << status;
        expectWholeTrace(fileText(trace), "signal " + std::to_string(signal));
        EXPECT_EQ(linesOf(fileText(events)).at(0), "1 level 1 bricks 32");
    }
    const std::string picture = dir.path() + "/never.png";
    const std::string trace = dir.path() + "/drawn.txt";
    Background drawn("--headless --frames 1000000000 --size 64x48 --levels " + kLevels +
                     " --trace " + trace + " --screenshot " + picture);
    ASSERT_TRUE(drawn.wrote(trace));
    const int status = drawn.stop(SIGTERM);
    EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGTERM) << status;
    EXPECT_FALSE(fs::exists(picture));
}

// A file size limit (ulimit -f, in KiB blocks here) makes a write fail like a
// full disk: said with its reason, status 1, and nothing cut mid-way left.
TEST(NothingLost, AWritePastTheFileSizeLimitIsAFailedWriteWithNoCutFile) {
    LevelDirectory dir("file-size-limit");
    const std::string trace = dir.path() + "/trace.txt";
    const auto t =
        runBinary("--headless --frames 100000 --no-draw --levels " + kLevels + " --trace " + trace,
                  "ulimit -f 64;");
    EXPECT_EQ(t.status, 1);
    EXPECT_TRUE(says(t, "cannot write the trace file " + trace + ": File too large")) << t.err;
    EXPECT_LE(fs::file_size(trace), 64u * 1024u);
    expectWholeTrace(fileText(trace), "cut at the limit");

    const std::string picture = dir.path() + "/big.png";
    const auto p = runBinary("--preview 1 " + picture + " --size 2048x1536 --levels " + kLevels,
                             "ulimit -f 16;");
    EXPECT_EQ(p.status, 1);
    EXPECT_TRUE(says(p, "cannot write the picture " + picture + ": File too large")) << p.err;
    // Neither the picture nor the part written of it is left.
    std::vector<std::string> left;
    for (const auto& entry : fs::directory_iterator(dir.path()))
        left.push_back(entry.path().filename().string());
    EXPECT_EQ(left, std::vector<std::string>{"trace.txt"});
}

// Each failed write to standard output names its own reason, even after
// later files were read: a full disk, the file size limit, a closed pipe.
TEST(NothingLost, TheReasonOfAFailedCheckOutputIsTheRealOne) {
    LevelDirectory dir("check-output");
    std::string broken;
    for (int i = 0; i < 150; ++i)
        broken += "Shell 0 0.3 0.35 80 f Red\n"; // a problem each line
    dir.write(1, broken);
    std::string files;
    for (int i = 0; i < 100; ++i)
        files += " " + dir.path() + "/1.lvl " + dir.path() + "/none.lvl";
    const auto full = runBinary("--check" + files, "", "/dev/full");
    EXPECT_EQ(full.status, 1);
    EXPECT_TRUE(says(full, "cannot write to standard output: No space left on device")) << full.err;
    const auto limited = runBinary("--check" + files, "ulimit -f 16;", dir.path() + "/out.txt");
    EXPECT_EQ(limited.status, 1);
    EXPECT_TRUE(says(limited, "cannot write to standard output: File too large")) << limited.err;
    // About 800 KiB into a pipe whose reader left after one byte.
    const std::string err = dir.path() + "/pipe.err";
    const std::string cmd = "(trap '' PIPE; " + std::string(ORBITON_BINARY) + " --check" + files +
                            " 2>" + err + ") | head -c 1 >/dev/null";
    ASSERT_EQ(std::system(cmd.c_str()), 0);
    EXPECT_NE(fileText(err).find("cannot write to standard output: Broken pipe"), std::string::npos)
        << fileText(err);
}

// Two runs told to write one file: the second is refused before it empties
// the first one's, which goes on whole.
TEST(NothingLost, ASecondRunCannotTakeTheFileTheFirstIsWriting) {
    LevelDirectory dir("two-runs");
    const std::string events = dir.path() + "/events.txt";
    Background first(kEndless + " --events " + events + " --demo");
    ASSERT_TRUE(first.wrote(events));
    const auto second =
        runBinary("--headless --frames 3 --no-draw --levels " + kLevels + " --events " + events);
    EXPECT_EQ(second.status, 2);
    EXPECT_TRUE(
        says(second, "cannot write the events file " + events + ": another run is writing it"))
        << second.err;
    first.stop(SIGTERM);
    const std::string text = fileText(events);
    EXPECT_EQ(linesOf(text).at(0), "1 level 1 bricks 32");
    EXPECT_EQ(text.back(), '\n');
    // Once the first has ended the file is free again.
    EXPECT_EQ(
        runBinary("--headless --frames 3 --no-draw --levels " + kLevels + " --events " + events)
            .status,
        0);
}

// A level folder that is there but cannot be read is refused with the
// system's reason, as a missing one is, instead of playing empty levels.
TEST(NothingLost, AnUnreadableLevelFolderIsRefusedAtStart) {
    LevelDirectory dir("unreadable-folder");
    dir.write(1, "Shell 1 0.3 0.35 80 f Red\n");
    fs::permissions(dir.path(), fs::perms::none);
    // The superuser reads any folder: the game then runs as nobody.
    const std::string as =
        geteuid() == 0 ? "setpriv --reuid=65534 --regid=65534 --clear-groups" : "";
    const auto r = runBinary("--headless --frames 3 --no-draw --levels " + dir.path(), as);
    fs::permissions(dir.path(), fs::perms::owner_all);
    EXPECT_EQ(r.status, 2);
    EXPECT_TRUE(says(r, "cannot read the level folder " + dir.path() + ": Permission denied"))
        << r.err;
}

// Memory running out in the game's own code is said, not an abort: a
// picture of 8192 x 8192 needs 256 MiB for each copy of its pixels, which
// the game reads after the GL has drawn it (about 1.2 GB at the peak): under
// a limit of 1.6 GB the drawing fits and the reading does not.
TEST(NothingLost, OutOfMemoryIsSaidAndEndsTheRun) {
#if defined(__SANITIZE_ADDRESS__)
    GTEST_SKIP() << "the address sanitizer reserves more address space than the limit";
#endif
    LevelDirectory dir("out-of-memory");
    const std::string picture = dir.path() + "/huge.png";
    const auto r = runBinary("--preview 1 " + picture + " --size 8192x8192 --levels " + kLevels,
                             "ulimit -v 1600000;");
    EXPECT_EQ(r.status, 1);
    EXPECT_TRUE(says(r, "orbiton3d: out of memory")) << r.err;
    EXPECT_FALSE(fs::exists(picture));
}

// The preview looks down on the level from above its equator and turned
// across: the ball, on the paddle the camera looks through, sits more than
// 25 degrees up (0.465 x sin 25 = 0.197) and off both other axes.
TEST(NothingLost, APreviewIsSeenFromAbove) {
    LevelDirectory dir("preview-above");
    const std::string trace = dir.path() + "/trace.txt";
    const auto r =
        runBinary("--preview 1 " + dir.path() + "/p.png --levels " + kLevels + " --trace " + trace);
    ASSERT_EQ(r.status, 0) << r.err;
    const std::vector<std::string> lines = linesOf(fileText(trace));
    ASSERT_EQ(lines.size(), 4u);
    std::istringstream last(lines.back());
    long frame;
    std::string x, y, z;
    last >> frame >> x >> y >> z;
    EXPECT_GT(std::strtod(y.c_str(), nullptr), 0.197) << lines.back();
    EXPECT_GT(std::fabs(std::strtod(z.c_str(), nullptr)), 0.05) << lines.back();
}

} // namespace
} // namespace orbiton
