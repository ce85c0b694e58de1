// SPDX-FileCopyrightText: 2026 The Orbiton 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Recording and replaying whole runs of the game: a replay flies as the
// recorded game flew, and a replay that cannot is refused, never played
// differently.

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <string>

#include "support/level_directory.h"
#include "support/run_binary.h"

namespace orbiton {
namespace {

using test::fileText;
using test::LevelDirectory;
using test::runBinary;
namespace fs = std::filesystem;

bool says(const test::BinaryRun& r, const std::string& text) {
    return r.err.find(text) != std::string::npos;
}

std::size_t lineCount(const std::string& text) {
    return std::size_t(std::count(text.begin(), text.end(), '\n'));
}

void writeText(const std::string& path, const std::string& text) {
    std::ofstream(path, std::ios::binary) << text;
}

// Frame K's line of a replay's text, and that line replaced.
std::string frameLine(const std::string& text, long k) {
    const std::size_t at = text.find("\nframe " + std::to_string(k) + " ") + 1;
    return text.substr(at, text.find('\n', at) - at);
}
void withLine(std::string& text, long k, const std::string& line) {
    const std::size_t at = text.find("\nframe " + std::to_string(k) + " ") + 1;
    text.replace(at, text.find('\n', at) - at, line);
}

// A folder with a copy of the game's levels and the replay and trace of a
// scripted game on them that steers, launches, zooms, pauses (and moves the
// mouse while paused), switches to full screen and back, raises the launch
// speed and resets the ball.
class RecordedGame : public ::testing::Test {
  protected:
    void SetUp() override {
        fs::create_directory(levels());
        for (const auto& entry : fs::directory_iterator(ORBITON_SOURCE_LEVELS))
            fs::copy_file(entry.path(), fs::path(levels()) / entry.path().filename());
        const std::string script = dir.file("script.txt", "3 mouse 30 -10\n"
                                                          "10 click\n"
                                                          "20 key space down\n"
                                                          "40 key space up\n"
                                                          "50 key p down\n"
                                                          "60 mouse 40 0\n"
                                                          "70 key p down\n"
                                                          "90 mouse -50 20\n"
                                                          "100 key f down\n"
                                                          "101 key f up\n"
                                                          "110 key kp_plus down\n"
                                                          "150 key r down\n"
                                                          "160 click\n"
                                                          "200 mouse 7 7\n");
        const test::BinaryRun r =
            runBinary("--headless --frames 300 --no-draw --levels " + levels() + " --script " +
                      script + " --record " + replay() + " --trace " + out("live.trace"));
        ASSERT_EQ(r.status, 0) << r.err;
    }
    std::string levels() const { return dir.path() + "/levels"; }
    std::string out(const std::string& name) const { return dir.path() + "/" + name; }
    std::string replay() const { return out("game.replay"); }
    test::BinaryRun play(const std::string& replayFile, const std::string& more = "") const {
        return runBinary("--headless --no-draw --replay " + replayFile + " --levels " + levels() +
                         " " + more);
    }
    // The recorded replay with one line's text changed.
    std::string edited(const std::string& from, const std::string& to) const {
        std::string text = fileText(replay());
        const std::size_t at = text.find(from);
        EXPECT_NE(at, std::string::npos) << from;
        if (at != std::string::npos)
            text.replace(at, from.size(), to);
        writeText(out("edited.replay"), text);
        return out("edited.replay");
    }

    LevelDirectory dir{"replay"};
};

TEST_F(RecordedGame, ItsReplayFliesBitForBitAndRecordsTheSameReplayAgain) {
    const std::string live = fileText(out("live.trace"));
    ASSERT_EQ(lineCount(live), 300u);
    const test::BinaryRun r =
        play(replay(), "--trace " + out("replayed.trace") + " --record " + out("again.replay"));
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(fileText(out("replayed.trace")), live);
    EXPECT_EQ(fileText(out("again.replay")), fileText(replay()));
    // The attract mode's own moves are not in the replay: it plays them again.
    ASSERT_EQ(runBinary("--headless --demo --frames 900 --no-draw --levels " + levels() +
                        " --record " + out("demo.replay") + " --trace " + out("demo.trace"))
                  .status,
              0);
    ASSERT_EQ(play(out("demo.replay"), "--trace " + out("demo.replayed")).status, 0);
    EXPECT_EQ(fileText(out("demo.replayed")), fileText(out("demo.trace")));
    EXPECT_EQ(lineCount(fileText(out("demo.replayed"))), 900u);
    // The replay ends the headless run at its last frame; --frames ends it sooner.
    ASSERT_EQ(play(replay(), "--frames 120 --trace " + out("part.trace")).status, 0);
    EXPECT_EQ(fileText(out("part.trace")), live.substr(0, live.find("\n121 ") + 1));
}

TEST_F(RecordedGame, OtherLevelsAnotherVersionOrAGameThatCannotBeRecordedAreRefused) {
    // The levels it was recorded with, changed, missing or added to.
    const std::string three = levels() + "/3.lvl";
    const std::string unchanged = fileText(three);
    writeText(three, unchanged + "\n");
    test::BinaryRun r = play(replay());
    EXPECT_EQ(r.status, 1);
    EXPECT_TRUE(says(r, "3.lvl in " + levels() + " is not the level it was recorded with"))
        << r.err;
    writeText(three, unchanged);
    fs::rename(levels() + "/12.lvl", out("12.lvl"));
    r = play(replay());
    EXPECT_EQ(r.status, 1);
    EXPECT_TRUE(says(r, "it was recorded with a 12.lvl, and " + levels() + " has none")) << r.err;
    fs::rename(out("12.lvl"), levels() + "/12.lvl");
    writeText(levels() + "/13.lvl", unchanged);
    r = play(replay());
    EXPECT_EQ(r.status, 1);
    EXPECT_TRUE(says(r, levels() + " has a 13.lvl, and it was recorded without one")) << r.err;
    fs::remove(levels() + "/13.lvl");
    ASSERT_EQ(play(replay()).status, 0);

    // Recorded by another version of the game: line 2 says which.
    r = play(edited("\ngame ", "\ngame 0.0.1-other"));
    EXPECT_EQ(r.status, 1);
    EXPECT_TRUE(says(r, "edited.replay:2: recorded by orbiton3d ")) << r.err;

    // Broken at a line: refused before anything runs, with the line.
    r = play(edited("\nframe 7 ", "\nframe 8 "), "--trace " + out("none.trace"));
    EXPECT_EQ(r.status, 1);
    EXPECT_TRUE(says(r, "edited.replay:26: frame 8 where frame 7 was expected")) << r.err;
    EXPECT_FALSE(fs::exists(out("none.trace")));
}

TEST_F(RecordedGame, AReplayThatPartsFromTheGameStopsWhereItDoes) {
    // The header is 6 lines, 12 levels and "frames": frame K is on line 19 + K.
    // Escape taken before frame 50: the game ends there and the replay goes on.
    std::string text = fileText(replay());
    withLine(text, 50, frameLine(text, 50) + " key escape down");
    writeText(out("escaped.replay"), text);
    test::BinaryRun r = play(out("escaped.replay"));
    EXPECT_EQ(r.status, 1);
    EXPECT_TRUE(says(r, "escaped.replay:69: the game ended before this frame")) << r.err;
    // M releases the mouse before frame 240; frame 250 still moves it.
    text = fileText(replay());
    withLine(text, 240, frameLine(text, 240) + " key m down");
    withLine(text, 250, "frame 250 0x1p-6 5 0");
    writeText(out("moved.replay"), text);
    r = play(out("moved.replay"), "--trace " + out("moved.trace"));
    EXPECT_EQ(r.status, 1);
    EXPECT_TRUE(says(r, "moved.replay:269: the mouse moves in this frame, but the game did not "
                        "read the mouse"))
        << r.err;
    // It stopped after that frame.
    EXPECT_EQ(lineCount(fileText(out("moved.trace"))), 250u);
}

TEST_F(RecordedGame, ACopyCutShortPlaysItsWholeFramesAndSaysSo) {
    std::string text = fileText(replay());
    text.resize(text.find("\nframe 101 ") + 15); // half of frame 101's line, line 120
    writeText(out("cut.replay"), text);
    const test::BinaryRun r = play(out("cut.replay"), "--trace " + out("cut.trace"));
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_TRUE(says(r, "warning: " + out("cut.replay") +
                            ":120: the replay stops here, without its end line (the recording "
                            "was cut short in this line): its 100 whole frames are played"))
        << r.err;
    const std::string live = fileText(out("live.trace"));
    EXPECT_EQ(fileText(out("cut.trace")), live.substr(0, live.find("\n101 ") + 1));
}

TEST_F(RecordedGame, TheReplayFileIsCheckedLikeEveryOutput) {
    const std::string base = "--headless --frames 5 --no-draw --levels " + levels();
    // Onto a level, onto the replay it plays, into a folder that is not there: refused, and
    // the files are untouched.
    const std::string level = fileText(levels() + "/1.lvl");
    test::BinaryRun r = runBinary(base + " --record " + levels() + "/1.lvl");
    EXPECT_EQ(r.status, 2);
    EXPECT_TRUE(says(r, "the replay file " + levels() + "/1.lvl is the level file")) << r.err;
    EXPECT_EQ(fileText(levels() + "/1.lvl"), level);
    const std::string recorded = fileText(replay());
    r = play(replay(), "--record " + replay());
    EXPECT_EQ(r.status, 2);
    EXPECT_TRUE(says(r, "is the replay " + replay() + ": writing it would destroy the replay"))
        << r.err;
    EXPECT_EQ(fileText(replay()), recorded);
    r = runBinary(base + " --record " + dir.path());
    EXPECT_EQ(r.status, 2);
    EXPECT_TRUE(says(r, "cannot write the replay file " + dir.path() + ": it is a directory"))
        << r.err;
    r = runBinary(base + " --record " + out("nowhere/game.replay"));
    EXPECT_EQ(r.status, 2);
    EXPECT_TRUE(says(r, "no folder " + out("nowhere"))) << r.err;
    // A full disk: the run fails and says so.
    r = runBinary(base + " --record /dev/full");
    EXPECT_EQ(r.status, 1);
    EXPECT_TRUE(says(r, "cannot write the replay file /dev/full: No space left on device"))
        << r.err;
    // A replay that is not a regular file, or not there.
    r = play(dir.path());
    EXPECT_EQ(r.status, 2);
    EXPECT_TRUE(says(r, "the replay " + dir.path() + " is not a regular file")) << r.err;
    // A soak run and a preview script their own input: nothing to record.
    r = runBinary(base + " --soak --record " + out("soak.replay"));
    EXPECT_EQ(r.status, 2);
    EXPECT_TRUE(says(r, "--record does not go with --soak")) << r.err;
    // What a replay decides is not asked for beside it.
    for (const std::string option : {"--level 2", "--demo", "--dt 0.01", "--fullscreen"}) {
        r = play(replay(), option);
        EXPECT_EQ(r.status, 2) << option;
        EXPECT_TRUE(says(r, "--replay plays the game as it was recorded: it takes no " +
                                option.substr(0, option.find(' '))))
            << r.err;
    }
}

} // namespace
} // namespace orbiton
