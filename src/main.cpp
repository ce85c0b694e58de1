// SPDX-FileCopyrightText: 2026 The Orbiton 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later

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
#include "app/autopilot.h"
#include "app/level_directory.h"
#include "command_line.h"
#include "monitor/event_log.h"
#include "monitor/flight_trace.h"
#include "monitor/soak_monitor.h"
#include "platform/headless_platform.h"
#include "platform/png_writer.h"
#include "platform/sdl_platform.h"
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

// The event log a run writes, when one is asked for.
// Registered before the run; the run's end takes every listener off again.
struct Events {
    std::ofstream file;
    std::unique_ptr<orbiton::EventLog> log;
    std::ofstream traceFile;
    std::unique_ptr<orbiton::FlightTrace> trace;
};

// Sets the game up as the options say; a message when a file to write cannot be opened.
std::string configure(const orbiton::CommandLine& o, Events& events) {
    if (!o.events.empty()) {
        events.file.open(o.events);
        if (!events.file)
            return "cannot write the events file " + o.events;
        events.log = std::make_unique<orbiton::EventLog>(events.file);
        orbiton::app.listeners.push_back(events.log.get());
    }
    if (!o.trace.empty()) {
        events.traceFile.open(o.trace);
        if (!events.traceFile)
            return "cannot write the trace file " + o.trace;
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

// The trace is the record a run is compared by: a lost line must not pass.
bool traceWritten(const orbiton::CommandLine& o, Events& events) {
    if (o.trace.empty())
        return true;
    events.traceFile.close();
    if (events.traceFile)
        return true;
    std::fprintf(stderr, "orbiton3d: cannot write the trace file %s\n", o.trace.c_str());
    return false;
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
        std::ifstream in(o.script);
        std::string error;
        if (!in)
            return usageError("cannot read the script " + o.script);
        if (!platform.loadScript(in, error))
            return usageError(o.script + ": " + error);
    }
    Events events;
    const std::string cannot = configure(o, events);
    if (!cannot.empty())
        return usageError(cannot);
    std::unique_ptr<orbiton::SoakMonitor> soak;
    if (o.soak) {
        int levels = 0;
        while (
            std::ifstream(orbiton::World::levelFileName(levels + 1, orbiton::app.levelDirectory)))
            ++levels;
        soak = std::make_unique<orbiton::SoakMonitor>(orbiton::app, levels, std::cerr);
        orbiton::app.listeners.push_back(soak.get());
    }
    const bool ran = orbiton::app.run(platform);
    orbiton::app.listeners.clear();
    if (!ran || !traceWritten(o, events))
        return 1;
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
    using Mode = orbiton::CommandLine::Mode;
    orbiton::CommandLine o;
    std::string error;
    if (!orbiton::parseCommandLine(std::vector<std::string>(argv + 1, argv + argc), o, error))
        return usageError(error);
    switch (o.mode) {
    case Mode::Help:
        std::fputs(orbiton::kUsage, stdout);
        return 0;
    case Mode::Version:
        std::printf("orbiton3d %s\n", ORBITON_VERSION);
        return 0;
    case Mode::Check:
        return orbiton::checkLevels(o.files, o.verbose, std::cout);
    default:
        break;
    }
    error = checkLevelPaths(o);
    if (!error.empty())
        return usageError(error);
    if (o.mode != Mode::Play)
        return headless(o);

    Events events;
    const std::string cannot = configure(o, events);
    if (!cannot.empty())
        return usageError(cannot);
    orbiton::SdlPlatform platform;
    const bool ok = orbiton::app.run(platform);
    orbiton::app.listeners.clear();
    return ok && traceWritten(o, events) ? 0 : 1;
}
