// SPDX-FileCopyrightText: 2026 The Orbiton 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "replay/replay_player.h"

namespace orbiton {

ReplayPlayer::ReplayPlayer(const Replay& replay, const std::string& path)
    : replay(replay), path(path) {}

std::string ReplayPlayer::at(long line) const {
    return path + ":" + std::to_string(line) + ": ";
}

bool ReplayPlayer::nextEvent(PlatformEvent& e) {
    if (!failure.empty())
        return false;
    // The events before the next frame, or after the last one.
    const std::size_t n = replay.frames.size();
    const std::size_t until = frame + 1 < n ? replay.frames[frame + 1].firstEvent
                              : frame < n   ? replay.firstEndEvent
                                            : replay.events.size();
    if (event >= until)
        return false;
    e = replay.events[event++];
    return true;
}

bool ReplayPlayer::mouseReadAsRecorded() {
    if (!failure.empty())
        return false;
    if (frame == 0 || mouseTaken)
        return true;
    const ReplayFrame& f = replay.frames[frame - 1];
    if (f.dx == 0 && f.dy == 0)
        return true;
    failure = at(replay.firstFrameLine + long(frame) - 1) +
              "the mouse moves in this frame, but the game did not read the mouse (it was "
              "released): the replay does not fit the game";
    return false;
}

bool ReplayPlayer::frameNext() {
    if (!mouseReadAsRecorded())
        return false;
    return frame < replay.frames.size();
}

float ReplayPlayer::takeFrame() {
    const ReplayFrame& f = replay.frames[frame++];
    playedMs += double(f.seconds) * 1000.0;
    mouseTaken = false;
    return f.seconds;
}

void ReplayPlayer::takeMouse(int& dx, int& dy) {
    const ReplayFrame& f = replay.frames[frame - 1];
    dx = f.dx;
    dy = f.dy;
    mouseTaken = true;
}

bool ReplayPlayer::frameDue(std::uint32_t now) {
    if (!clockStarted) {
        clockStarted = true;
        start = now;
    }
    const double elapsed = double(std::uint32_t(now - start));
    return elapsed >= playedMs + double(replay.frames[frame].seconds) * 1000.0;
}

void ReplayPlayer::hold(bool held, std::uint32_t now) {
    if (held)
        heldAt = now;
    else
        start += now - heldAt; // the time held does not count
}

std::string ReplayPlayer::finish() {
    if (!mouseReadAsRecorded())
        return failure;
    if (frame < replay.frames.size())
        return at(replay.firstFrameLine + long(frame)) +
               "the game ended before this frame, and "
               "the replay goes on: the replay does not fit the game";
    return "";
}

} // namespace orbiton
