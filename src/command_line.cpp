// SPDX-FileCopyrightText: 2026 The Orbiton 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "command_line.h"

#include <CLI/CLI.hpp>

#include <climits>
#include <cstdlib>

namespace orbiton {

const char* const kUsage =
    "Usage: orbiton3d [--levels DIR] [--level N] [--fullscreen] [--demo] [--events FILE]\n"
    "                 [--trace FILE] [--record FILE]\n"
    "       orbiton3d --replay FILE [--levels DIR] [--events FILE] [--trace FILE]\n"
    "       orbiton3d --headless --frames N [--demo] [--level N] [--dt SECONDS] [--size WxH]\n"
    "                 [--levels DIR] [--script FILE] [--screenshot FILE.png] [--events FILE]\n"
    "                 [--trace FILE] [--record FILE] [--soak] [--no-draw]\n"
    "       orbiton3d --headless --replay FILE [--frames N] [--size WxH] [--levels DIR]\n"
    "                 [--screenshot FILE.png] [--events FILE] [--trace FILE] [--no-draw]\n"
    "       orbiton3d --preview LEVEL FILE.png [--levels DIR] [--size WxH]\n"
    "       orbiton3d --check [--verbose] FILE...\n"
    "       orbiton3d --help | --version\n"
    "\n"
    "Orbiton 3D, a ball-and-paddle brick game played inside a sphere.\n"
    "\n"
    "  --levels DIR    read the levels 1.lvl, 2.lvl, ... from DIR (default: the\n"
    "                  working directory if it has 1.lvl, else the bundled levels)\n"
    "  --fullscreen    start in full screen (F switches while playing)\n"
    "  --demo          attract mode: the game plays itself through the levels until\n"
    "                  the first mouse movement, key or click hands it over\n"
    "  --level N       start on level N (default 1)\n"
    "  --events FILE   write one line per game event (see below)\n"
    "  --trace FILE    write one line per frame: FRAME PX PY PZ VX VY VZ, the\n"
    "                  ball's position and velocity as hexadecimal floats\n"
    "  --record FILE   write a replay of the game as it is played: every frame's\n"
    "                  time, mouse motion, keys and clicks (docs/replays.md)\n"
    "  --replay FILE   play a recorded game again, bit for bit, with the levels\n"
    "                  it was recorded with. In a window it plays at its own\n"
    "                  pace (p holds it, escape quits) and then the game is\n"
    "                  yours; with --headless it runs as fast as it can and\n"
    "                  the run ends with it (--frames N stops it sooner)\n"
    "\n"
    "Headless mode plays the real game without a display, drawing off-screen:\n"
    "  --frames N      stop after N frames\n"
    "  --dt SECONDS    clock advance per frame, in whole milliseconds with the\n"
    "                  remainder carried (default 1/60: 17, 17, 16, ...)\n"
    "  --size WxH      drawable size (default 800x600)\n"
    "  --script FILE   timed input, one line each, FRAME being the frame number\n"
    "                  (1 is the first drawn) the input arrives before:\n"
    "                    FRAME key NAME down|up   NAME: escape r f s o p m space\n"
    "                                             kp_plus kp_minus\n"
    "                    FRAME mouse DX DY        pointer motion in pixels\n"
    "                    FRAME click              the left button\n"
    "                    FRAME close              the window's close box\n"
    "  --screenshot F  write the last frame as a PNG\n"
    "  --soak          play the levels with the attract mode, round and round,\n"
    "                  checking every frame (finite motion, ball in the arena,\n"
    "                  100 points a brick, no OpenGL error); exit status 1 on a\n"
    "                  problem. Prints the figures and the resident memory\n"
    "  --no-draw       skip the drawing (the game still runs every frame): for\n"
    "                  fast scripted runs that only need the events\n"
    "  --events FILE   the game events, one line each:\n"
    "                    FRAME level L bricks B   a level was built\n"
    "                    FRAME all cleared        past the last level, once\n"
    "                    FRAME launch             the ball left the paddle\n"
    "                    FRAME hit score S bricks B\n"
    "                    FRAME lost               the ball left the arena\n"
    "                    FRAME reset              the R key put it back\n"
    "                    FRAME demo ends          the player took over\n"
    "                    FRAME fullscreen on|off lists N bricks B memory KIB heap KIB\n"
    "                          paddle W X Y Z     a full-screen switch\n"
    "\n"
    "  --preview N F   draw level N seen from above and zoomed out into the PNG F\n"
    "                  (default size 400x300), without a display\n"
    "  --check FILE    check level files without playing: print every problem as\n"
    "                  FILE:LINE: message, then FILE: B bricks, S arena shells\n"
    "                  (T triangles), P problems. Exit status 0 when no file has a\n"
    "                  problem, 1 otherwise, 2 for a usage error.\n"
    "  --verbose       with --check, also print what every Shell and OuterShell\n"
    "                  line made\n"
    "\n"
    "Keys while playing:\n"
    "  mouse           turn the paddle (while the mouse is captured)\n"
    "  left button     launch the ball\n"
    "  space (held)    zoom the camera out\n"
    "  p               pause / resume\n"
    "  r               put the ball back on the paddle\n"
    "  keypad + / -    raise / lower the launch speed by 0.05\n"
    "  m               capture / release the mouse\n"
    "  o               show / hide the paddle\n"
    "  s               smooth / wide outlines\n"
    "  f               window / full screen\n"
    "  escape          quit\n";

namespace {

// "WIDTHxHEIGHT", each 1 to 8192, and nothing else.
bool parseSize(const std::string& text, int& width, int& height) {
    const std::size_t x = text.find('x');
    if (x == std::string::npos || x == 0 || x + 1 >= text.size())
        return false;
    long values[2];
    const std::string parts[2] = {text.substr(0, x), text.substr(x + 1)};
    for (int i = 0; i < 2; ++i) {
        if (parts[i].size() > 5 || parts[i].find_first_not_of("0123456789") != std::string::npos)
            return false;
        values[i] = std::strtol(parts[i].c_str(), nullptr, 10);
        if (values[i] < 1 || values[i] > 8192)
            return false;
    }
    width = int(values[0]);
    height = int(values[1]);
    return true;
}

// A whole number from first to last, digits only (no sign, no spaces, no junk).
bool parseWhole(const std::string& text, long first, long last, long& out) {
    if (text.empty() || text.size() > 18 ||
        text.find_first_not_of("0123456789") != std::string::npos)
        return false;
    out = std::strtol(text.c_str(), nullptr, 10);
    return out >= first && out <= last;
}

// What the options are read into besides the CommandLine itself.
struct Given {
    bool help = false, version = false, check = false, headless = false, noDraw = false;
    std::string level, frames, size;
    std::vector<std::string> preview;
};

// Every option, once: what parses a command line and what lists the options.
void declareOptions(CLI::App& cli, CommandLine& o, Given& g) {
    cli.set_help_flag(); // our own --help prints kUsage
    // The same options on every system: a file named from the root, /levels/1.lvl,
    // is a path on Windows too, not a /option.
    cli.allow_windows_style_options(false);
    cli.add_flag("--help", g.help);
    cli.add_flag("--version", g.version);
    cli.add_flag("--check", g.check);
    cli.add_flag("--verbose", o.verbose);
    cli.add_flag("--fullscreen", o.fullscreen);
    cli.add_flag("--demo", o.demo);
    cli.add_flag("--soak", o.soak);
    cli.add_flag("--no-draw", g.noDraw);
    cli.add_flag("--headless", g.headless);
    cli.add_option("--levels", o.levels);
    cli.add_option("--level", g.level);
    cli.add_option("--preview", g.preview)->expected(2);
    cli.add_option("--frames", g.frames);
    cli.add_option("--dt", o.dt);
    cli.add_option("--size", g.size);
    cli.add_option("--script", o.script);
    cli.add_option("--screenshot", o.screenshot);
    cli.add_option("--events", o.events);
    cli.add_option("--trace", o.trace);
    cli.add_option("--record", o.record);
    cli.add_option("--replay", o.replay);
    cli.add_option("files", o.files);
}

} // namespace

std::vector<std::string> optionNames() {
    CLI::App cli;
    CommandLine o;
    Given g;
    declareOptions(cli, o, g);
    std::vector<std::string> names;
    for (const CLI::Option* option : cli.get_options())
        for (const std::string& name : option->get_lnames())
            names.push_back("--" + name);
    return names;
}

bool parseCommandLine(const std::vector<std::string>& args, CommandLine& o, std::string& error) {
    CLI::App cli("Orbiton 3D", "orbiton3d");
    Given g;
    declareOptions(cli, o, g);
    bool &help = g.help, &version = g.version, &check = g.check, &headless = g.headless,
         &noDraw = g.noDraw;
    std::string &level = g.level, &frames = g.frames, &size = g.size;
    std::vector<std::string>& preview = g.preview;

    std::vector<std::string> argv{"orbiton3d"};
    argv.insert(argv.end(), args.begin(), args.end());
    std::vector<const char*> pointers;
    for (const std::string& a : argv)
        pointers.push_back(a.c_str());
    try {
        cli.parse(int(pointers.size()), pointers.data());
    } catch (const CLI::ParseError& e) {
        error = e.what();
        return false;
    }

    if (help || version) {
        o.mode = help ? CommandLine::Mode::Help : CommandLine::Mode::Version;
        return true;
    }
    auto given = [&](const char* name) { return cli.count(name) > 0; };
    if (check) {
        for (const char* other :
             {"--fullscreen", "--demo", "--soak", "--no-draw", "--headless", "--levels", "--level",
              "--preview", "--frames", "--dt", "--size", "--script", "--screenshot", "--events",
              "--trace", "--record", "--replay"})
            if (given(other)) {
                error = std::string("--check takes only --verbose and level files, not ") + other;
                return false;
            }
        if (o.files.empty()) {
            error = "--check needs at least one level file";
            return false;
        }
        o.mode = CommandLine::Mode::Check;
        return true;
    }
    if (o.verbose) {
        error = "--verbose goes with --check";
        return false;
    }
    if (!o.files.empty()) {
        error = "unexpected argument " + o.files.front();
        return false;
    }

    long n = 0;
    if (given("--level")) {
        if (!parseWhole(level, 1, INT_MAX, n)) {
            error = "--level needs a level number from 1 to " + std::to_string(INT_MAX) +
                    ", not \"" + level + "\"";
            return false;
        }
        o.level = int(n);
    }
    if (given("--frames")) {
        if (!parseWhole(frames, 1, LONG_MAX / 2, n)) {
            error = "--frames needs a whole number from 1 to " + std::to_string(LONG_MAX / 2) +
                    ", not \"" + frames + "\"";
            return false;
        }
        o.frames = n;
    }
    if (given("--dt") && !(o.dt > 0 && o.dt <= 60)) {
        error = "--dt needs a number of seconds above 0 and at most 60";
        return false;
    }
    if (given("--size") && !parseSize(size, o.width, o.height)) {
        error = "--size needs WIDTHxHEIGHT, each 1 to 8192, not \"" + size + "\"";
        return false;
    }
    o.sizeGiven = given("--size");
    if (given("--replay")) {
        // The replay says where the game starts and how it is played.
        for (const char* other :
             {"--demo", "--level", "--fullscreen", "--script", "--dt", "--soak", "--preview"})
            if (given(other)) {
                error =
                    std::string("--replay plays the game as it was recorded: it takes no ") + other;
                return false;
            }
    }
    if (given("--record") && (o.soak || !preview.empty())) {
        error = std::string("--record does not go with ") + (o.soak ? "--soak" : "--preview");
        return false;
    }
    o.draw = !noDraw;
    if (noDraw && given("--screenshot")) {
        error = "--no-draw draws nothing for --screenshot to save";
        return false;
    }
    if (!preview.empty()) {
        if (!parseWhole(preview[0], 1, INT_MAX, n)) {
            error = "--preview needs a level number and a PNG file, not \"" + preview[0] + "\"";
            return false;
        }
        if (!o.script.empty()) {
            error = "--preview makes its own script";
            return false;
        }
        o.mode = CommandLine::Mode::Preview;
        o.previewLevel = int(n);
        o.level = o.previewLevel;
        o.screenshot = preview[1];
        o.frames = 4;
        o.dt = 0.1;
        if (!given("--size"))
            o.width = 400, o.height = 300;
        return true;
    }
    if (headless) {
        o.demo = o.demo || o.soak; // the soak run plays itself
        if (o.frames == 0 && o.replay.empty()) {
            error = "--headless needs --frames N";
            return false;
        }
        o.mode = CommandLine::Mode::Headless;
        return true;
    }
    if (given("--frames") || given("--script") || given("--screenshot") || noDraw || o.soak) {
        error = "--frames, --script, --screenshot, --soak and --no-draw need --headless";
        return false;
    }
    o.mode = CommandLine::Mode::Play;
    return true;
}

} // namespace orbiton
