// SPDX-FileCopyrightText: 2026 The Orbiton 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>

#include "command_line.h"
#include "support/app_harness.h"
#include "support/run_binary.h"

namespace orbiton {
namespace {

using test::fileText;
using test::LevelDirectory;
using test::runBinary;

std::vector<std::string> words(const std::string& line) {
    std::vector<std::string> out;
    std::string w;
    for (char c : line + " ") {
        if (c != ' ') {
            w += c;
        } else if (!w.empty()) {
            out.push_back(w);
            w.clear();
        }
    }
    return out;
}

TEST(CommandLine, GoodLinesAreReadAsTheUsageSays) {
    using Mode = CommandLine::Mode;
    struct Case {
        const char* line;
        Mode mode;
        int level, width, height;
        long frames;
    } cases[] = {
        {"", Mode::Play, 1, 800, 600, 0},
        {"--levels my --level 7 --fullscreen --demo --events e.txt", Mode::Play, 7, 800, 600, 0},
        {"--headless --frames 30 --size 320x200 --dt 0.5", Mode::Headless, 1, 320, 200, 30},
        {"--size 8192x1 --frames 1 --headless --level 2147483647", Mode::Headless, 2147483647, 8192,
         1, 1},
        {"--preview 12 out.png", Mode::Preview, 12, 400, 300, 4},
        {"--preview 3 out.png --size 64x48 --levels my", Mode::Preview, 3, 64, 48, 4},
        {"--check a.lvl b.lvl --verbose", Mode::Check, 1, 800, 600, 0},
        {"--demo --help", Mode::Help, 1, 800, 600, 0}, // anywhere, not only first
        {"--levels x --version", Mode::Version, 1, 800, 600, 0},
    };
    for (const Case& c : cases) {
        CommandLine o;
        std::string error;
        ASSERT_TRUE(parseCommandLine(words(c.line), o, error)) << c.line << ": " << error;
        EXPECT_EQ(o.mode, c.mode) << c.line;
        EXPECT_EQ(o.level, c.level) << c.line;
        EXPECT_EQ(o.width, c.width) << c.line;
        EXPECT_EQ(o.height, c.height) << c.line;
        EXPECT_EQ(o.frames, c.frames) << c.line;
    }
    CommandLine o;
    std::string error;
    ASSERT_TRUE(parseCommandLine(words("--check a.lvl b.lvl --verbose"), o, error));
    EXPECT_EQ(o.files, (std::vector<std::string>{"a.lvl", "b.lvl"}));
    EXPECT_TRUE(o.verbose);
    ASSERT_TRUE(parseCommandLine(words("--preview 5 p.png"), o = CommandLine(), error));
    EXPECT_EQ(o.screenshot, "p.png");
    EXPECT_EQ(o.dt, 0.1);
    ASSERT_TRUE(parseCommandLine(words("--headless --frames 9 --soak"), o = CommandLine(), error));
    EXPECT_TRUE(o.demo); // the soak run plays itself
    ASSERT_TRUE(parseCommandLine(words("--trace t.txt"), o = CommandLine(), error));
    EXPECT_EQ(o.trace, "t.txt");
}

TEST(CommandLine, TheHelpNamesEveryKeyAfterTheOptions) {
    const std::string usage = kUsage;
    const std::size_t keys = usage.find("Keys while playing:");
    ASSERT_NE(keys, std::string::npos);
    EXPECT_GT(keys, usage.find("--verbose"));
    for (const char* key : {"mouse ", "left button", "space (held)", "\n  p ", "\n  r ",
                            "keypad + / -", "\n  m ", "\n  o ", "\n  s ", "\n  f ", "escape"})
        EXPECT_NE(usage.find(key, keys), std::string::npos) << key;
}

// The options named in --help, the man page's OPTIONS and the README's
// option table, each against the parser's own list: written in four places,
// they cannot drift apart unseen.
std::set<std::string> optionsIn(const std::string& text) {
    std::set<std::string> found;
    auto letter = [](char c) { return c >= 'a' && c <= 'z'; };
    for (std::size_t at = text.find("--"); at != std::string::npos; at = text.find("--", at + 2)) {
        std::size_t end = at + 2;
        while (end < text.size() && (letter(text[end]) || text[end] == '-'))
            ++end;
        while (end > at + 2 && text[end - 1] == '-')
            --end;
        if (end > at + 2 && letter(text[at + 2]))
            found.insert(text.substr(at, end - at));
    }
    return found;
}

TEST(CommandLine, EveryPlaceThatListsTheOptionsListsTheParsersOwn) {
    const std::vector<std::string> names = optionNames();
    const std::set<std::string> parser(names.begin(), names.end());
    ASSERT_EQ(parser.size(), names.size());
    EXPECT_TRUE(parser.count("--levels") && parser.count("--check") && parser.count("--trace"));
    EXPECT_EQ(optionsIn(kUsage), parser);

    const std::string source = std::string(ORBITON_SOURCE_LEVELS) + "/../";
    std::string man = fileText(source + "data/orbiton3d.6");
    const std::size_t from = man.find(".SH OPTIONS"), to = man.find(".SH", from + 1);
    ASSERT_NE(from, std::string::npos);
    man = man.substr(from, to - from);
    for (std::size_t at = man.find("\\-"); at != std::string::npos; at = man.find("\\-", at))
        man.erase(at, 1); // the man page's \- is a -
    EXPECT_EQ(optionsIn(man), parser);

    std::string table;
    std::istringstream readme(fileText(source + "README.md"));
    for (std::string line; std::getline(readme, line);)
        if (line.rfind("| `--", 0) == 0)
            table += line + "\n";
    EXPECT_EQ(optionsIn(table), parser);
}

TEST(CommandLine, ATraceHasALinePerFrameAndALostWriteFails) {
    LevelDirectory dir("trace");
    dir.write(1, "OuterShell 2 ff\n");
    const std::string trace = dir.path() + "/run.trace";
    const auto r =
        runBinary("--headless --frames 5 --no-draw --levels " + dir.path() + " --trace " + trace);
    ASSERT_EQ(r.status, 0) << r.err;
    std::ifstream in(trace);
    std::string line;
    int lines = 0;
    while (std::getline(in, line)) {
        ++lines;
        // The ball rests on the paddle: frame number, then six hexadecimal floats.
        EXPECT_EQ(line.rfind(std::to_string(lines) + " 0x", 0), 0u) << line;
        EXPECT_EQ(std::count(line.begin(), line.end(), ' '), 6) << line;
    }
    EXPECT_EQ(lines, 5);
    const auto full =
        runBinary("--headless --frames 5 --no-draw --levels " + dir.path() + " --trace /dev/full");
    EXPECT_EQ(full.status, 1);
    EXPECT_TRUE(full.err.find("cannot write the trace file /dev/full") != std::string::npos)
        << full.err;
}

TEST(CommandLine, BadLinesAreRefusedWithAReason) {
    struct Case {
        const char* line;
        const char* says;
    } cases[] = {
        {"--size 800x600junk --headless --frames 1", "--size needs WIDTHxHEIGHT"},
        {"--size 0x600 --headless --frames 1", "--size needs"},
        {"--size 8193x600 --headless --frames 1", "--size needs"},
        {"--size x600 --headless --frames 1", "--size needs"},
        {"--level 4294967297", "--level needs a level number"},
        {"--level 0", "--level needs"},
        {"--level -1", "--level"},
        {"--level 3x", "--level needs"},
        {"--headless --frames 0", "--frames needs"},
        {"--headless --frames 10junk", "--frames needs"},
        // Past the limit, the message names it: the value is a whole number above 1.
        {"--headless --frames 1000000000000000000000", "--frames needs a whole number from 1 to "},
        {"--headless", "--headless needs --frames N"},
        {"--frames 5", "need --headless"},
        {"--no-draw", "need --headless"},
        {"--headless --frames 1 --dt 0", "--dt needs"},
        {"--headless --frames 1 --dt 61", "--dt needs"},
        {"--headless --frames 1 --dt nan", "--dt needs"},
        {"--preview 1", "--preview"},
        {"--preview zero out.png", "--preview needs a level number"},
        {"--preview 1 out.png --script s.txt", "--preview makes its own script"},
        {"--check", "--check needs at least one level file"},
        {"--check --demo a.lvl", "--check takes only --verbose and level files, not --demo"},
        {"--check --trace t.txt a.lvl",
         "--check takes only --verbose and level files, not --trace"},
        {"--trace", "--trace"},
        {"--verbose", "--verbose goes with --check"},
        {"stray.lvl", "unexpected argument stray.lvl"},
        {"--bogus", "--bogus"},
        {"--levels", "--levels"},
    };
    for (const Case& c : cases) {
        CommandLine o;
        std::string error;
        EXPECT_FALSE(parseCommandLine(words(c.line), o, error)) << c.line;
        EXPECT_NE(error.find(c.says), std::string::npos) << c.line << ": " << error;
    }
    // The executable says it and ends with status 2.
    const auto r = runBinary("--size 800x600junk --headless --frames 1");
    EXPECT_EQ(r.status, 2);
    EXPECT_TRUE(r.err.find("--size needs WIDTHxHEIGHT") != std::string::npos) << r.err;
}

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
