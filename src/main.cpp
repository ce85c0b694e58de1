// SPDX-FileCopyrightText: 2026 The Orbiton 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later

// orbiton3d: the game, a headless runner for scripts and tests, and the
// level checker.
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <string>
#include <vector>

#include "app/app.h"
#include "app/autopilot.h"
#include "app/level_directory.h"
#include "command_line.h"
#include "monitor/event_log.h"
#include "monitor/flight_trace.h"
#include "monitor/soak_monitor.h"
#include "platform/game_platform.h"
#include "platform/headless_platform.h"
#include "platform/png_writer.h"
#include "platform/program_start.h"
#include "platform/starting_console.h"
#include "world/level_check.h"
#include "world/level_file.h"

namespace {

int usageError(const std::string& message) {
    std::fprintf(stderr, "orbiton3d: %s\n(orbiton3d --help lists the options)\n", message.c_str());
    return 2;
}

// The level folder and the level to preview must be there before anything
// starts; an empty string when they are.
std::string checkLevelPaths(const orbiton::CommandLine& o) {
    namespace fs = std::filesystem;
    std::error_code ec;
    if (!o.levels.empty()) {
        const fs::file_status st = fs::status(fs::u8path(o.levels), ec);
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
    } else if (!fs::exists(fs::u8path(orbiton::World::levelFileName(o.level, dir)), ec)) {
        const std::string where = dir.empty() ? "the working directory" : dir;
        std::fprintf(stderr,
                     "orbiton3d: warning: %s has no %d.lvl; a level missing from the folder "
                     "plays as an empty level\n",
                     where.c_str(), o.level);
    }
    return "";
}

// A file a run will write must be possible to write before the run starts:
// its folder there, and the path not a folder. An empty string when so.
std::string checkOutputPath(const std::string& what, const std::string& path) {
    namespace fs = std::filesystem;
    if (path.empty())
        return "";
    std::error_code ec;
    if (fs::is_directory(fs::u8path(path), ec))
        return "cannot write the " + what + " " + path + ": it is a directory";
    fs::path folder = fs::u8path(path).parent_path();
    if (folder.empty())
        folder = ".";
    const fs::file_status st = fs::status(folder, ec);
    if (!fs::exists(st))
        return "cannot write the " + what + " " + path + ": no folder " + folder.u8string();
    if (!fs::is_directory(st))
        return "cannot write the " + what + " " + path + ": " + folder.u8string() +
               " is not a directory";
    return "";
}

// Every file a run will write: the event log, the trace and the picture.
std::string checkOutputPaths(const orbiton::CommandLine& o) {
    for (const auto& [what, path] : {std::pair<std::string, std::string>{"events file", o.events},
                                     {"trace file", o.trace},
                                     {"picture", o.screenshot}}) {
        const std::string error = checkOutputPath(what, path);
        if (!error.empty())
            return error;
    }
    return "";
}

// A run's input script: a readable regular file.
std::string checkScriptPath(const std::string& path) {
    namespace fs = std::filesystem;
    if (path.empty())
        return "";
    std::error_code ec;
    const fs::file_status st = fs::status(fs::u8path(path), ec);
    if (ec)
        return "cannot read the script " + path + ": " + ec.message();
    if (!fs::is_regular_file(st))
        return "the script " + path + " is not a regular file";
    return "";
}

// The event log and the trace a run writes, when they are asked for.
// Registered before the run; the run's end takes every listener off again.
struct Events {
    std::ofstream file;
    std::unique_ptr<orbiton::EventLog> log;
    std::ofstream traceFile;
    std::unique_ptr<orbiton::FlightTrace> trace;
};

std::string cannotOpen(const std::string& what, const std::string& path) {
    return "cannot write the " + what + " " + path + ": " + std::strerror(errno);
}

// Sets the game up as the options say; a message when a file to write cannot be opened.
std::string configure(const orbiton::CommandLine& o, Events& events) {
    if (!o.events.empty()) {
        errno = 0;
        events.file.open(std::filesystem::u8path(o.events),
                         std::ios::binary); // the same bytes on every system
        if (!events.file)
            return cannotOpen("events file", o.events);
        events.log = std::make_unique<orbiton::EventLog>(events.file);
        orbiton::app.listeners.push_back(events.log.get());
    }
    if (!o.trace.empty()) {
        errno = 0;
        events.traceFile.open(std::filesystem::u8path(o.trace), std::ios::binary);
        if (!events.traceFile)
            return cannotOpen("trace file", o.trace);
        events.trace = std::make_unique<orbiton::FlightTrace>(events.traceFile);
        orbiton::app.listeners.push_back(events.trace.get());
    }
    orbiton::app.levelDirectory = orbiton::resolveLevelDirectory(o.levels);
    orbiton::app.startFullscreen = o.fullscreen;
    orbiton::app.firstLevel = o.level;
    orbiton::app.drawOptions.drawing = o.draw;
    if (o.demo)
        orbiton::app.inputSource = std::make_unique<orbiton::Autopilot>();
    return "";
}

// Closes a file the run wrote; false, having said which and why, when any
// line of it was lost.
bool closeWritten(const std::string& what, const std::string& path, std::ofstream& file,
                  orbiton::WriteCheck& written) {
    errno = 0;
    file.close();
    written.after(file);
    if (written.error == 0)
        return true;
    std::fprintf(stderr, "orbiton3d: cannot write the %s %s: %s\n", what.c_str(), path.c_str(),
                 std::strerror(written.error));
    return false;
}

// The event log and the trace are what a run is compared by: a lost line must not pass.
bool eventsWritten(const orbiton::CommandLine& o, Events& events) {
    bool ok = true;
    if (events.log)
        ok = closeWritten("events file", o.events, events.file, events.log->written) && ok;
    if (events.trace)
        ok = closeWritten("trace file", o.trace, events.traceFile, events.trace->written) && ok;
    return ok;
}

// The end of a command that writes to standard output: its status, unless
// what it wrote could not all be written.
int stdoutWritten(int status) {
    // errno is not cleared first: when an earlier write failed, it still says why.
    if (std::fflush(stdout) == 0 && !std::ferror(stdout))
        return status;
    std::fprintf(stderr, "orbiton3d: cannot write to standard output: %s\n",
                 std::strerror(errno != 0 ? errno : EIO));
    return 1;
}

int headless(const orbiton::CommandLine& o) {
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
        errno = 0;
        std::ifstream in(std::filesystem::u8path(o.script));
        std::string error;
        if (!in)
            return usageError("cannot read the script " + o.script + ": " + std::strerror(errno));
        if (!platform.loadScript(in, error))
            return usageError(o.script + ": " + error);
        // Kept a warning: a script made for a longer run still plays the part that fits.
        if (platform.lastScriptedFrame() > o.frames)
            std::fprintf(stderr,
                         "orbiton3d: warning: %s: input for frame %ld comes after the run's "
                         "last frame (%ld) and is never played\n",
                         o.script.c_str(), platform.lastScriptedFrame(), o.frames);
    }
    Events events;
    const std::string cannot = configure(o, events);
    if (!cannot.empty())
        return usageError(cannot);
    std::unique_ptr<orbiton::SoakMonitor> soak;
    if (o.soak) {
        int levels = 0;
        while (std::ifstream(std::filesystem::u8path(
            orbiton::World::levelFileName(levels + 1, orbiton::app.levelDirectory))))
            ++levels;
        soak = std::make_unique<orbiton::SoakMonitor>(orbiton::app, levels, std::cerr);
        orbiton::app.listeners.push_back(soak.get());
    }
    const bool ran = orbiton::app.run(platform);
    orbiton::app.listeners.clear();
    const bool written = eventsWritten(o, events);
    if (!ran || !written)
        return 1;
    if (soak && !soak->report(std::cout))
        return 1;
    std::string why;
    if (!o.screenshot.empty() &&
        !orbiton::writePng(o.screenshot, platform.windowWidth(), platform.windowHeight(),
                           platform.lastFrame(), &why)) {
        std::fprintf(stderr, "orbiton3d: cannot write the picture %s: %s\n", o.screenshot.c_str(),
                     why.c_str());
        return 1;
    }
    return soak ? stdoutWritten(0) : 0;
}

} // namespace

int main(int argc, char** argv) {
    const orbiton::StartingConsole console;
    using Mode = orbiton::CommandLine::Mode;
    orbiton::CommandLine o;
    std::string error;
    if (!orbiton::parseCommandLine(orbiton::commandArguments(argc, argv), o, error))
        return usageError(error);
    switch (o.mode) {
    case Mode::Help:
        std::fputs(orbiton::kUsage, stdout);
        return stdoutWritten(0);
    case Mode::Version:
        std::printf("orbiton3d %s\n", ORBITON_VERSION);
        return stdoutWritten(0);
    case Mode::Check: {
        const int status = orbiton::checkLevels(o.files, o.verbose, std::cout);
        std::cout.flush();
        return stdoutWritten(status);
    }
    default:
        break;
    }
    error = checkLevelPaths(o);
    if (error.empty())
        error = checkOutputPaths(o);
    if (error.empty())
        error = checkScriptPath(o.script);
    if (!error.empty())
        return usageError(error);
    if (o.mode != Mode::Play)
        return headless(o);

    Events events;
    const std::string cannot = configure(o, events);
    if (!cannot.empty())
        return usageError(cannot);
    orbiton::app.showLevelNotices = true;
    orbiton::GamePlatform platform;
    const bool ok = orbiton::app.run(platform);
    orbiton::app.listeners.clear();
    const bool written = eventsWritten(o, events);
    return ok && written ? 0 : 1;
}
