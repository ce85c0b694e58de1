// SPDX-FileCopyrightText: 2026 The Orbiton 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The replay file: what it writes reads back the same, what is broken is
// refused at its line, what is cut short plays its whole frames, and no
// corruption makes the reader crash or hang.

#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <string>

#include "replay/replay_file.h"

namespace orbiton {
namespace {

PlatformEvent keyEvent(int k, bool down) {
    PlatformEvent e;
    e.type = down ? PlatformEvent::Type::KeyDown : PlatformEvent::Type::KeyUp;
    e.key = k;
    return e;
}

PlatformEvent simple(PlatformEvent::Type type) {
    PlatformEvent e;
    e.type = type;
    return e;
}

// Six header lines, one level, "frames": the first frame is on line 9.
const std::string kHeader = "orbiton3d replay 1\n"
                            "game 1.0.0\n"
                            "window 800 600\n"
                            "fullscreen no\n"
                            "demo yes\n"
                            "start-level 3\n"
                            "level 3 228 c5aec897a26f5e51\n"
                            "frames\n";

TEST(ReplayFile, WhatIsWrittenReadsBackAsItWas) {
    // 0.017f is 0x3C8B4396: a fraction of 0x0B4396 over 23 bits, 2^-6.
    const std::vector<PlatformEvent> before = {keyEvent(key::Space, true),
                                               simple(PlatformEvent::Type::LeftButtonDown)};
    EXPECT_EQ(replayFrameLine(2, 0.017f, 3, -2, before),
              "frame 2 0x1.16872cp-6 3 -2 key space down click\n");
    // A key the game gives no meaning only hands a demo over: kept as "other".
    EXPECT_EQ(replayEndLine(7, {keyEvent('A', true), keyEvent(key::Escape, true),
                                simple(PlatformEvent::Type::Close)}),
              "end 7 key other down key escape down close\n");
    EXPECT_FALSE(replayKeeps(simple(PlatformEvent::Type::Size)));

    Replay r;
    r.gameVersion = "1.0.0";
    r.demo = true;
    r.startLevel = 3;
    ReplayLevel level;
    level.number = 3;
    level.size = 228;
    level.hash = 0xc5aec897a26f5e51ULL;
    r.levels = {level};
    EXPECT_EQ(replayHeader(r), kHeader);

    const std::string text = kHeader + "frame 1 0x0p+0 0 0\n" +
                             replayFrameLine(2, 0.017f, 3, -2, before) +
                             replayEndLine(2, {keyEvent(key::Space, false)});
    Replay back;
    std::string error;
    ASSERT_TRUE(readReplay(std::string_view(text), back, error)) << error;
    EXPECT_EQ(back.gameVersion, "1.0.0");
    EXPECT_EQ(back.width, 800);
    EXPECT_EQ(back.height, 600);
    EXPECT_FALSE(back.fullscreen);
    EXPECT_TRUE(back.demo);
    EXPECT_EQ(back.startLevel, 3);
    ASSERT_EQ(back.levels.size(), 1u);
    EXPECT_TRUE(back.levels[0] == level);
    ASSERT_EQ(back.frames.size(), 2u);
    EXPECT_EQ(back.firstFrameLine, 9);
    EXPECT_EQ(back.frames[0].seconds, 0.0f);
    EXPECT_EQ(back.frames[1].seconds, 0.017f);
    EXPECT_EQ(back.frames[1].dx, 3);
    EXPECT_EQ(back.frames[1].dy, -2);
    EXPECT_EQ(back.frames[1].firstEvent, 0u);
    ASSERT_EQ(back.events.size(), 3u);
    EXPECT_EQ(back.events[0].type, PlatformEvent::Type::KeyDown);
    EXPECT_EQ(back.events[0].key, key::Space);
    EXPECT_EQ(back.events[1].type, PlatformEvent::Type::LeftButtonDown);
    EXPECT_EQ(back.firstEndEvent, 2u);
    EXPECT_EQ(back.events[2].type, PlatformEvent::Type::KeyUp);
    EXPECT_TRUE(back.ended);
}

TEST(ReplayFile, WhatIsNotAReplayThisGameCanPlayIsRefusedAtItsLine) {
    const std::string frame1 = "frame 1 0x1p-6 0 0\n";
    const struct {
        std::string text;
        std::string error; // the start of the message: the line, then why
    } cases[] = {
        {"", "1: the file is empty"},
        {"hello\n", "1: not an Orbiton 3D replay"},
        {"orbiton3d replay 2\n", "1: written in replay format 2; this game reads format 1"},
        {"orbiton3d replay 1\ngame 1.0.0\n", "3: the file ends in its header"},
        {"orbiton3d replay 1\ngame 1.0.0\nwindow 800 600\nfullscreen no\ndemo no\nstart-le",
         "6: the file ends in its header"},
        {"orbiton3d replay 1\ngame 1.0.0\nwindow 0 600\n", "3: the window is"},
        {"orbiton3d replay 1\ngame 1.0.0\nwindow 800 600\nfullscreen maybe\n", "4: fullscreen is"},
        {"orbiton3d replay 1\ngame 1.0.0\nwindow 800 600\nfullscreen no\ndemo no\n"
         "start-level 0\n",
         "6: the start level is"},
        {"orbiton3d replay 1\ngame 1.0.0\nwindow 800 600\nfullscreen no\ndemo no\n"
         "start-level 1\nlevel 2 5 0000000000000000\nlevel 1 5 0000000000000000\n",
         "8: the levels are not in rising order"},
        {"orbiton3d replay 1\ngame 1.0.0\nwindow 800 600\nfullscreen no\ndemo no\n"
         "start-level 1\nlevel 1 5 00000000000000zz\n",
         "7: a level's size"},
        {kHeader + "frame 2 0x1p-6 0 0\n", "9: frame 2 where frame 1 was expected"},
        {kHeader + frame1 + "frame 2 0x1p-6 0 0 key q down\n", "10: a key is"},
        {kHeader + frame1 + "frame 2 0x1p-6 0 0 wiggle\n", "10: unknown event \"wiggle\""},
        {kHeader + "frame 1 0x1p-6 65536 0\n", "9: the mouse motion"},
        {kHeader + "frame 1 0x1p-6 1.5 0\n", "9: the mouse motion"},
        {kHeader + frame1 + "end 2\n", "10: the end line is \"end N\""},
        {kHeader + frame1 + "end 1\nframe 2 0x1p-6 0 0\n", "11: the replay goes on after"},
        {kHeader + frame1 + "jump\n", "10: a frame line or the end line"},
    };
    for (const auto& c : cases) {
        Replay r;
        std::string error;
        EXPECT_FALSE(readReplay(std::string_view(c.text), r, error)) << c.text;
        EXPECT_EQ(error.rfind(c.error, 0), 0u) << "got \"" << error << "\" for\n" << c.text;
    }
    // Frame times: a float exactly, in hexadecimal, that a millisecond clock
    // counting to 2^32 could give (2^22 s is 4194304 s, below 4294967.295 s;
    // 2^23 s above).
    for (const std::string bad : {"-0x1p-6", "0.016", "0x1p+23", "nan", "0xinf",
                                  "0x1.000000001p-6", // not a float: 33 bits
                                  "0x1p-1074", "0x", "0x1p-6x", "0x-0p+0"}) {
        Replay r;
        std::string error;
        EXPECT_FALSE(readReplay(kHeader + "frame 1 " + bad + " 0 0\nend 1\n", r, error)) << bad;
        EXPECT_EQ(error.rfind("9: \"" + bad + "\" is not a frame time", 0), 0u) << error;
    }
    for (const std::string good : {"0x0p+0", "0x1p+22", "0x1.fffffep-1"}) {
        Replay r;
        std::string error;
        EXPECT_TRUE(readReplay(kHeader + "frame 1 " + good + " 0 0\nend 1\n", r, error)) << error;
    }
}

TEST(ReplayFile, ACopyCutShortPlaysItsWholeFramesAndSaysWhere) {
    const std::string frames = "frame 1 0x1p-6 0 0\nframe 2 0x1p-6 4 0 click\n";
    Replay r;
    std::string error;
    // Killed after frame 2: no end line; line 11 is where it would have been.
    ASSERT_TRUE(readReplay(kHeader + frames, r, error)) << error;
    EXPECT_FALSE(r.ended);
    EXPECT_FALSE(r.halfLine);
    EXPECT_EQ(r.frames.size(), 2u);
    EXPECT_EQ(r.cutLine, 11);
    EXPECT_EQ(r.firstEndEvent, 1u);
    // Cut inside line 11: half a line is never played, even one that reads
    // as a frame ("0x1.8" of "0x1.8p-6").
    ASSERT_TRUE(readReplay(kHeader + frames + "frame 3 0x1.8", r, error)) << error;
    EXPECT_TRUE(r.halfLine);
    EXPECT_EQ(r.frames.size(), 2u);
    EXPECT_EQ(r.cutLine, 11);
    // Windows line ends read the same.
    ASSERT_TRUE(readReplay("orbiton3d replay 1\r\ngame 1.0.0\r\nwindow 800 600\r\nfullscreen "
                           "no\r\ndemo no\r\nstart-level 1\r\nframes\r\nend 0\r\n",
                           r, error))
        << error;
    EXPECT_TRUE(r.ended);
    EXPECT_TRUE(r.frames.empty());
}

TEST(ReplayFile, AMillionRandomCorruptionsNeitherCrashNorHang) {
    const std::string good = kHeader +
                             "frame 1 0x0p+0 0 0\n"
                             "frame 2 0x1.16872cp-6 3 -2 key space down click\n"
                             "frame 3 0x1.0624dep-6 0 0 key space up key p down\n"
                             "frame 4 0x1.0624dep-6 -65535 65535 key p up key f down key f up\n"
                             "frame 5 0x1.16872cp-6 12 0 key kp_plus down key other up\n"
                             "end 5 key escape down close\n";
    std::mt19937 random(20261210);
    std::uniform_int_distribution<int> byte(0, 255);
    const char interesting[] = " \n\r-+0123456789abcdefpx.";
    long accepted = 0;
    for (int round = 0; round < 1000000; ++round) {
        std::string text = good;
        const int changes = 1 + int(random() % 4);
        for (int c = 0; c < changes && !text.empty(); ++c) {
            const std::size_t at = random() % text.size();
            switch (random() % 6) {
            case 0:
                text[at] = char(byte(random));
                break;
            case 1:
                text[at] = interesting[random() % (sizeof interesting - 1)];
                break;
            case 2:
                text.erase(at, 1 + random() % 8);
                break;
            case 3:
                text.insert(at, 1, interesting[random() % (sizeof interesting - 1)]);
                break;
            case 4:
                text.resize(at); // cut short
                break;
            default: { // a stretch doubled
                const std::size_t n = 1 + random() % 40;
                text.insert(at, text.substr(at, n));
                break;
            }
            }
        }
        Replay r;
        std::string error;
        if (!readReplay(std::string_view(text), r, error)) {
            // Every refusal names a line of the text.
            const long line = std::atol(error.c_str());
            ASSERT_GE(line, 1) << error;
            ASSERT_LE(line, long(std::count(text.begin(), text.end(), '\n')) + 1) << error;
            continue;
        }
        ++accepted;
        for (const ReplayFrame& f : r.frames) {
            ASSERT_TRUE(std::isfinite(f.seconds) && f.seconds >= 0.0f && f.seconds <= 4294967.5f);
            ASSERT_LE(std::abs(f.dx), kReplayMaxMotion);
            ASSERT_LE(std::abs(f.dy), kReplayMaxMotion);
            ASSERT_LE(f.firstEvent, r.firstEndEvent);
        }
        ASSERT_LE(r.firstEndEvent, r.events.size());
        // What was accepted means what it says: written back and read again,
        // it is the same replay.
        Replay again;
        ASSERT_TRUE(readReplay(std::string_view(replayText(r)), again, error)) << error;
        ASSERT_EQ(replayText(again), replayText(r));
    }
    // Some corruptions keep a readable replay (a changed digit of a motion):
    // the loop did read replays, not only refuse them.
    EXPECT_GT(accepted, 1000);
}

} // namespace
} // namespace orbiton
