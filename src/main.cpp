// orbiton3d: the game, a headless runner for scripts and tests, and the
// level checker.
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <string>
#include <vector>

#include "app/app.h"
#include "app/level_directory.h"
#include "app/soak_monitor.h"
#include "platform/headless_platform.h"
#include "platform/sdl_platform.h"
#include "world/level_check.h"
#include "world/level_file.h"

namespace {

const char* kUsage =
    "Usage: orbiton3d [--levels DIR] [--level N] [--fullscreen] [--demo] [--events FILE]\n"
    "       orbiton3d --headless --frames N [--demo] [--level N] [--dt SECONDS] [--size WxH]\n"
    "                 [--levels DIR] [--script FILE] [--screenshot FILE.png] [--events FILE]\n"
    "                 [--soak] [--no-draw]\n"
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
    "  --events FILE   write one line per game event (see below); full-screen\n"
    "                  switches also log the display lists alive, the memory and\n"
    "                  the paddle's turn\n"
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
    "  --events FILE   write one line per game event:\n"
    "                    FRAME level L bricks B   a level was built\n"
    "                    FRAME launch             the ball left the paddle\n"
    "                    FRAME hit score S bricks B\n"
    "                    FRAME lost               the ball left the arena\n"
    "                    FRAME reset              the R key put it back\n"
    "\n"
    "  --preview N F   draw level N seen from above and zoomed out into the PNG F\n"
    "                  (default size 400x300), without a display\n"
    "  --check FILE    check level files without playing: print every problem as\n"
    "                  FILE:LINE: message, then FILE: B bricks, S arena shells\n"
    "                  (T triangles), P problems. Exit status 0 when no file has a\n"
    "                  problem, 1 otherwise, 2 for a usage error.\n"
    "  --verbose       with --check, also print what every Shell and OuterShell\n"
    "                  line made\n";

int usageError(const std::string& message) {
    std::fprintf(stderr, "orbiton3d: %s\n(orbiton3d --help lists the options)\n", message.c_str());
    return 2;
}

int check(const std::vector<std::string>& args) {
    bool verbose = false;
    std::vector<std::string> files;
    for (std::size_t i = 1; i < args.size(); ++i) {
        if (args[i] == "--verbose")
            verbose = true;
        else if (args[i].rfind("--", 0) == 0)
            return usageError("unknown option " + args[i]);
        else
            files.push_back(args[i]);
    }
    if (files.empty())
        return usageError("--check needs at least one level file");
    return orbiton::checkLevels(files, verbose, std::cout);
}

struct Options {
    std::string levels;
    bool fullscreen = false;
    bool headless = false;
    bool demo = false;
    bool draw = true;
    bool soak = false;
    int level = 1;
    int previewLevel = 0; // --preview: the level to draw
    long frames = 0;
    double dt = 1.0 / 60;
    int width = 800, height = 600;
    bool sizeGiven = false;
    std::string script, screenshot, events;
};

// Parses the play and headless options; an empty string on success.
std::string parse(const std::vector<std::string>& args, Options& o) {
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        auto value = [&](std::string& out) {
            if (i + 1 >= args.size())
                return false;
            out = args[++i];
            return true;
        };
        std::string v;
        if (a == "--fullscreen") {
            o.fullscreen = true;
        } else if (a == "--demo") {
            o.demo = true;
        } else if (a == "--soak") {
            o.soak = true;
            o.demo = true;
        } else if (a == "--no-draw") {
            o.draw = false;
        } else if (a == "--level") {
            char* end = nullptr;
            if (!value(v) || (o.level = int(std::strtol(v.c_str(), &end, 10))) < 1 || *end)
                return "--level needs a level number of at least 1";
        } else if (a == "--preview") {
            char* end = nullptr;
            if (!value(v) || (o.previewLevel = int(std::strtol(v.c_str(), &end, 10))) < 1 || *end ||
                !value(o.screenshot))
                return "--preview needs a level number and a PNG file";
            o.headless = true;
            o.frames = 4;
            o.dt = 0.1;
            o.level = o.previewLevel;
        } else if (a == "--headless") {
            o.headless = true;
        } else if (a == "--levels") {
            if (!value(o.levels))
                return "--levels needs a directory";
        } else if (a == "--frames") {
            char* end = nullptr;
            if (!value(v) || (o.frames = std::strtol(v.c_str(), &end, 10)) < 1 || *end)
                return "--frames needs a whole number of at least 1";
        } else if (a == "--dt") {
            char* end = nullptr;
            if (!value(v) || !((o.dt = std::strtod(v.c_str(), &end)) > 0) || *end || o.dt > 60)
                return "--dt needs a number of seconds above 0 and at most 60";
        } else if (a == "--size") {
            o.sizeGiven = true;
            if (!value(v) || std::sscanf(v.c_str(), "%dx%d", &o.width, &o.height) != 2 ||
                o.width < 1 || o.height < 1 || o.width > 8192 || o.height > 8192)
                return "--size needs WIDTHxHEIGHT, each 1 to 8192";
        } else if (a == "--script") {
            if (!value(o.script))
                return "--script needs a file";
        } else if (a == "--screenshot") {
            if (!value(o.screenshot))
                return "--screenshot needs a file";
        } else if (a == "--events") {
            if (!value(o.events))
                return "--events needs a file";
        } else {
            return "unknown option " + a;
        }
    }
    if (o.previewLevel > 0 && !o.script.empty())
        return "--preview makes its own script";
    if (o.previewLevel > 0 && !o.sizeGiven)
        o.width = 400, o.height = 300;
    if (o.headless && o.frames == 0)
        return "--headless needs --frames N";
    if (!o.headless &&
        (o.frames || !o.script.empty() || !o.screenshot.empty() || !o.draw || o.soak))
        return "--frames, --script, --screenshot, --soak and --no-draw need --headless";
    return "";
}

// The level folder and the level to preview must be there before anything
// starts; an empty string when they are.
std::string checkLevelPaths(const Options& o) {
    namespace fs = std::filesystem;
    std::error_code ec;
    if (!o.levels.empty()) {
        const fs::file_status st = fs::status(o.levels, ec);
        if (ec)
            return "--levels " + o.levels + ": " + ec.message();
        if (!fs::is_directory(st))
            return "--levels " + o.levels + ": not a directory";
    }
    const std::string dir = orbiton::resolveLevelDirectory(o.levels);
    if (o.previewLevel > 0) {
        const std::string name = orbiton::World::levelFileName(o.previewLevel, dir);
        std::ifstream file;
        std::string why;
        bool missing = false;
        if (!orbiton::openLevelFile(name, file, why, missing))
            return "no level " + std::to_string(o.previewLevel) + " to preview: " + name + ": " +
                   why;
    } else if (!o.levels.empty() &&
               !fs::exists(orbiton::World::levelFileName(o.level, o.levels), ec)) {
        std::fprintf(stderr,
                     "orbiton3d: warning: %s has no %d.lvl; a level missing from the folder "
                     "plays as an empty level\n",
                     o.levels.c_str(), o.level);
    }
    return "";
}

// Sets the game up as the options say; false when the events file cannot be written.
bool configure(const Options& o, std::ofstream& events) {
    if (!o.events.empty()) {
        events.open(o.events);
        if (!events)
            return false;
        orbiton::app.eventLog = &events;
    }
    orbiton::app.levelDirectory = orbiton::resolveLevelDirectory(o.levels);
    orbiton::app.startFullscreen = o.fullscreen;
    orbiton::app.firstLevel = o.level;
    orbiton::app.drawing = o.draw;
    if (o.demo)
        orbiton::app.autopilot = std::make_unique<orbiton::Autopilot>();
    return true;
}

int headless(const Options& o) {
    using orbiton::HeadlessPlatform;
    HeadlessPlatform::Options po;
    po.frameSeconds = o.dt;
    po.frames = o.frames;
    po.windowWidth = o.width;
    po.windowHeight = o.height;
    po.captureLastFrame = !o.screenshot.empty();
    HeadlessPlatform platform(po);
    if (o.previewLevel > 0) {
        // Zoomed out (space held for the 0.1 s zoom) and turned to look down
        // on the level from above its equator.
        platform.scriptKey(1, orbiton::key::Space, true);
        platform.scriptMouse(1, 350, 450);
    }
    if (!o.script.empty()) {
        std::ifstream in(o.script);
        std::string error;
        if (!in)
            return usageError("cannot read the script " + o.script);
        if (!platform.loadScript(in, error))
            return usageError(o.script + ": " + error);
    }
    std::ofstream events;
    if (!configure(o, events))
        return usageError("cannot write the events file " + o.events);
    std::unique_ptr<orbiton::SoakMonitor> soak;
    if (o.soak) {
        int levels = 0;
        while (
            std::ifstream(orbiton::World::levelFileName(levels + 1, orbiton::app.levelDirectory)))
            ++levels;
        soak = std::make_unique<orbiton::SoakMonitor>(orbiton::app, levels, std::cerr);
        orbiton::app.afterFrame = [&] { soak->check(); };
    }
    if (!orbiton::app.run(platform))
        return 1;
    orbiton::app.eventLog = nullptr;
    orbiton::app.afterFrame = nullptr;
    if (soak && !soak->report(std::cout))
        return 1;
    if (!o.screenshot.empty() &&
        !orbiton::writePng(o.screenshot, platform.windowWidth(), platform.windowHeight(),
                           platform.lastFrame())) {
        std::fprintf(stderr, "orbiton3d: cannot write %s\n", o.screenshot.c_str());
        return 1;
    }
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    const std::vector<std::string> args(argv + 1, argv + argc);
    if (!args.empty() && args[0] == "--help") {
        std::fputs(kUsage, stdout);
        return 0;
    }
    if (!args.empty() && args[0] == "--version") {
        std::printf("orbiton3d %s\n", ORBITON_VERSION);
        return 0;
    }
    if (!args.empty() && args[0] == "--check")
        return check(args);

    Options o;
    std::string error = parse(args, o);
    if (error.empty())
        error = checkLevelPaths(o);
    if (!error.empty())
        return usageError(error);
    if (o.headless)
        return headless(o);

    std::ofstream events;
    if (!configure(o, events))
        return usageError("cannot write the events file " + o.events);
    orbiton::SdlPlatform platform;
    const bool ok = orbiton::app.run(platform);
    orbiton::app.eventLog = nullptr;
    return ok ? 0 : 1;
}
