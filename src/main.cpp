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
#include "platform/output_file.h"
#include "platform/png_writer.h"
#include "platform/program_start.h"
#include "platform/starting_console.h"
#include "platform/stop_signals.h"
#include "replay/replay_file.h"
#include "replay/replay_levels.h"
#include "replay/replay_player.h"
#include "replay/replay_recorder.h"
#include "run_paths.h"
#include "world/level_check.h"
#include "world/level_file.h"

namespace {

int usageError(const std::string& message) {
    std::fprintf(stderr, "orbiton3d: %s\n(orbiton3d --help lists the options)\n", message.c_str());
    return 2;
}

// The event log and the trace a run writes, when they are asked for.
// Registered before the run; the run's end takes every listener off again.
struct Events {
    orbiton::OutputFile file;
    std::ostream out{&file};
    std::unique_ptr<orbiton::EventLog> log;
    orbiton::OutputFile traceFile;
    std::ostream traceOut{&traceFile};
    std::unique_ptr<orbiton::FlightTrace> trace;
    orbiton::OutputFile recordFile;
    std::ostream recordOut{&recordFile};
    std::unique_ptr<orbiton::ReplayRecorder> recorder;
    // The replay played, when one is.
    orbiton::Replay replay;
    std::unique_ptr<orbiton::ReplayPlayer> player;
};

std::string cannotOpen(const std::string& what, const std::string& path, const std::string& why) {
    return "cannot write the " + what + " " + path + ": " + why;
}

// Sets the game up as the options say; a message when a file to write cannot be opened.
std::string configure(const orbiton::CommandLine& o, Events& events) {
    std::string why;
    if (!o.events.empty()) {
        if (!events.file.open(o.events, why))
            return cannotOpen("events file", o.events, why);
        events.log = std::make_unique<orbiton::EventLog>(events.out);
        orbiton::app.listeners.push_back(events.log.get());
    }
    if (!o.trace.empty()) {
        if (!events.traceFile.open(o.trace, why))
            return cannotOpen("trace file", o.trace, why);
        events.trace = std::make_unique<orbiton::FlightTrace>(events.traceOut);
        orbiton::app.listeners.push_back(events.trace.get());
    }
    orbiton::app.levelDirectory = orbiton::resolveLevelDirectory(o.levels);
    orbiton::app.startFullscreen = o.fullscreen;
    orbiton::app.firstLevel = o.level;
    orbiton::app.drawOptions.drawing = o.draw;
    if (o.demo)
        orbiton::app.inputSource = std::make_unique<orbiton::Autopilot>();
    if (!o.replay.empty()) {
        events.player = std::make_unique<orbiton::ReplayPlayer>(events.replay, o.replay);
        orbiton::app.replay = events.player.get();
        orbiton::app.replayWatched = o.mode == orbiton::CommandLine::Mode::Play;
    }
    if (!o.record.empty()) {
        if (!events.recordFile.open(o.record, why))
            return cannotOpen("replay file", o.record, why);
        events.recorder = std::make_unique<orbiton::ReplayRecorder>(events.recordOut, orbiton::app,
                                                                    ORBITON_VERSION);
        orbiton::app.recorder = events.recorder.get();
    }
    return "";
}

// Closes a file the run wrote; false, having said which and why, when any
// line of it was lost.
bool closeWritten(const std::string& what, const std::string& path, orbiton::OutputFile& file,
                  const orbiton::WriteCheck& written) {
    const int closed = file.close();
    const int error = written.error != 0 ? written.error : closed;
    if (error == 0)
        return true;
    std::fprintf(stderr, "orbiton3d: cannot write the %s %s: %s\n", what.c_str(), path.c_str(),
                 std::strerror(error));
    return false;
}

// The event log and the trace are what a run is compared by: a lost line must not pass.
bool eventsWritten(const orbiton::CommandLine& o, Events& events) {
    bool ok = true;
    if (events.recorder)
        ok = closeWritten("replay file", o.record, events.recordFile, events.recorder->written) &&
             ok;
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

// The game on the platform, its listeners taken off again and its logs
// closed; false when it could not run or a log line was lost. Stopped by a
// signal, the process ends here, with the logs whole at the frame it
// stopped on.
bool runGame(orbiton::Platform& platform, const orbiton::CommandLine& o, Events& events) {
    const bool ran = orbiton::app.run(platform);
    orbiton::app.listeners.clear();
    if (events.recorder && ran)
        events.recorder->finish();
    orbiton::app.recorder = nullptr;
    orbiton::app.replay = nullptr;
    const bool written = eventsWritten(o, events);
    if (platform.stopSignal != 0)
        orbiton::endByStopSignal(platform.stopSignal);
    return ran && written;
}

// Reads the replay to play and sets the run up as it was recorded; why not,
// when this game cannot play it as it was played (empty when it can).
std::string readReplayFile(orbiton::CommandLine& o, Events& events) {
    errno = 0;
    std::ifstream in(std::filesystem::u8path(o.replay), std::ios::binary);
    std::string error;
    if (!in)
        return "cannot read the replay " + o.replay + ": " +
               std::strerror(errno != 0 ? errno : EIO);
    orbiton::Replay& r = events.replay;
    if (!orbiton::readReplay(in, r, error))
        return o.replay + ":" + error;
    if (r.gameVersion != ORBITON_VERSION)
        return o.replay + ":2: recorded by orbiton3d " + r.gameVersion + ", and this is " +
               ORBITON_VERSION + ": its flights may differ, so it is not played";
    const std::string dir = orbiton::resolveLevelDirectory(o.levels);
    const std::string differ =
        orbiton::replayLevelsDiffer(r.levels, orbiton::replayLevelsIn(dir), dir);
    if (!differ.empty())
        return "cannot replay " + o.replay + ": " + differ;
    if (!r.ended)
        std::fprintf(stderr,
                     "orbiton3d: warning: %s:%ld: the replay stops here, without its end line "
                     "(the recording was cut short%s): its %zu whole frames are played\n",
                     o.replay.c_str(), r.cutLine, r.halfLine ? " in this line" : "",
                     r.frames.size());
    o.level = r.startLevel;
    o.demo = r.demo;
    o.fullscreen = r.fullscreen;
    if (!o.sizeGiven) {
        o.width = r.width;
        o.height = r.height;
    }
    return "";
}

// After a headless replay: false, having said why, when the game and the
// replay parted before its end (not when --frames stopped it sooner).
bool replayPlayed(const orbiton::CommandLine& o, const Events& events, long framesDrawn) {
    if (!events.player)
        return true;
    if (!events.player->error().empty()) {
        std::fprintf(stderr, "orbiton3d: %s\n", events.player->error().c_str());
        return false;
    }
    if (o.frames > 0 && framesDrawn >= o.frames)
        return true;
    const std::string parted = events.player->finish();
    if (parted.empty())
        return true;
    std::fprintf(stderr, "orbiton3d: %s\n", parted.c_str());
    return false;
}

int headless(const orbiton::CommandLine& given) {
    orbiton::CommandLine o = given;
    Events events;
    if (!o.replay.empty()) {
        const std::string refused = readReplayFile(o, events);
        if (!refused.empty()) {
            std::fprintf(stderr, "orbiton3d: %s\n", refused.c_str());
            return 1;
        }
    }
    using orbiton::HeadlessPlatform;
    HeadlessPlatform::Options po;
    po.frameSeconds = o.dt;
    po.frames = o.frames;
    po.windowWidth = o.width;
    po.windowHeight = o.height;
    po.captureLastFrame = !o.screenshot.empty();
    HeadlessPlatform platform(po);
    if (o.previewLevel > 0) {
        // Zoomed out (space held for the 0.1 s zoom) and turned 0.35 rad
        // across and 0.7 rad up, to look down on the level from above its
        // equator with every octant in sight. The turn comes on frame 2: the
        // cursor's offset on a new window's first frame is not taken as input.
        platform.scriptKey(1, orbiton::key::Space, true);
        platform.scriptMouse(2, 350, -700);
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
    const std::string cannot = configure(o, events);
    if (!cannot.empty())
        return usageError(cannot);
    std::unique_ptr<orbiton::SoakMonitor> soak;
    if (o.soak) {
        // Round and round the levels there are, 1.lvl up to the first gap.
        int levels = 0;
        while (std::ifstream(std::filesystem::u8path(
            orbiton::World::levelFileName(levels + 1, orbiton::app.levelDirectory))))
            ++levels;
        orbiton::app.roundAfterLevel = levels;
        soak = std::make_unique<orbiton::SoakMonitor>(orbiton::app, std::cerr);
        orbiton::app.listeners.push_back(soak.get());
    }
    // A stop signal ends it before the picture, which would not be of the
    // last frame asked for.
    if (!runGame(platform, o, events))
        return 1;
    if (!replayPlayed(o, events, platform.framesDrawn()))
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

// What the command line asks for: a window, a headless run, a preview or a check.
int runCommand(int argc, char** argv) {
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
        int writeError = 0;
        const int status = orbiton::checkLevels(o.files, o.verbose, std::cout, &writeError);
        if (writeError != 0) {
            std::fprintf(stderr, "orbiton3d: cannot write to standard output: %s\n",
                         std::strerror(writeError));
            return 1;
        }
        return stdoutWritten(status);
    }
    default:
        break;
    }
    error = orbiton::checkRunPaths(o);
    if (!error.empty())
        return usageError(error);
    orbiton::holdStopSignals();
    if (o.mode != Mode::Play)
        return headless(o);

    Events events;
    orbiton::GamePlatform platform;
    if (!o.replay.empty()) {
        // Said where the player looks: a game started from a shortcut or a
        // file manager writes standard error nowhere.
        const std::string refused = readReplayFile(o, events);
        if (!refused.empty()) {
            platform.messageBox(refused, "Orbiton 3D");
            return 1;
        }
    }
    const std::string cannot = configure(o, events);
    if (!cannot.empty())
        return usageError(cannot);
    orbiton::app.showLevelNotices = true;
    const bool ran = runGame(platform, o, events);
    // A replay that did not fit the game has said why in a box.
    return ran && (!events.player || events.player->error().empty()) ? 0 : 1;
}

} // namespace

int main(int argc, char** argv) {
    const orbiton::StartingConsole console;
    try {
        return runCommand(argc, argv);
    } catch (const std::bad_alloc&) {
        // The logs have been written whole as the run unwound.
        std::fputs("orbiton3d: out of memory\n", stderr);
        return 1;
    }
}
