// SPDX-FileCopyrightText: 2026 The Orbiton 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <cstdint>
#include <istream>
#include <string>
#include <string_view>
#include <vector>

#include "platform/platform.h"

namespace orbiton {

// A level file as a recording found it: its number, its size in bytes and
// the 64-bit FNV-1a hash of its bytes; unreadable when it could not be read.
struct ReplayLevel {
    int number = 0;
    bool readable = true;
    std::uint64_t size = 0;
    std::uint64_t hash = 0;
    bool operator==(const ReplayLevel& o) const {
        return number == o.number && readable == o.readable && size == o.size && hash == o.hash;
    }
};

// A recorded frame: its time, the mouse motion it read, and where its
// events (those handled before it) begin in Replay::events.
struct ReplayFrame {
    float seconds = 0.0f;
    int dx = 0;
    int dy = 0;
    std::uint32_t firstEvent = 0;
};

// A replay file, read: everything a game's flight depends on.
struct Replay {
    std::string gameVersion;
    int width = 800;
    int height = 600;
    bool fullscreen = false;
    bool demo = false;
    int startLevel = 1;
    std::vector<ReplayLevel> levels;
    std::vector<ReplayFrame> frames;
    // The events of every frame, in order, then those after the last frame.
    std::vector<PlatformEvent> events;
    std::uint32_t firstEndEvent = 0;
    // The line of the first frame; frame k (from 0) is on line firstFrameLine + k.
    long firstFrameLine = 0;
    // Whether the end line was there; without it the recording was cut
    // short, and cutLine is the line where it stops.
    bool ended = false;
    long cutLine = 0;
    // A last line that had no line end (half a line: not played).
    bool halfLine = false;
};

// The version of the format this game writes and reads.
constexpr int kReplayFormat = 1;
// The most a frame's mouse may move, in pixels a way: more than any screen.
constexpr int kReplayMaxMotion = 65535;
// The longest frame the game's millisecond clock can give, in seconds.
constexpr double kReplayMaxSeconds = 4294967.295;
// The longest line read: a frame's events, even a stalled one's, fit many times.
constexpr std::size_t kReplayMaxLine = 1 << 20;

// The text of the header, up to and with its "frames" line.
std::string replayHeader(const Replay& replay);
// The line of frame `number` (from 1) and of the end after `frames` frames,
// with the events taken before them; line end included.
std::string replayFrameLine(long number, float seconds, int dx, int dy,
                            const std::vector<PlatformEvent>& events);
std::string replayEndLine(long frames, const std::vector<PlatformEvent>& events);
// A whole replay's text as the recording writes it, line by line: a file
// read and written again is the same replay.
std::string replayText(const Replay& replay);
// Whether the recording keeps an event (the size of a window is the
// window's, not the game's).
bool replayKeeps(const PlatformEvent& event);

// Reads a replay. False with "LINE: why" in error when it is not one this
// game can play: another format, a broken or unknown line, a header cut
// short. A file cut short among its frames is read up to its last whole frame.
bool readReplay(std::istream& in, Replay& out, std::string& error);
bool readReplay(std::string_view text, Replay& out, std::string& error);

} // namespace orbiton
