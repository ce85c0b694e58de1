// SPDX-FileCopyrightText: 2026 The Orbiton 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "app/input_replay.h"
#include "replay/replay_file.h"

namespace orbiton {

// Gives a game what a replay file recorded, frame by frame, and stops at the
// first frame the game does not take as it was recorded (its message names
// the file and the line).
class ReplayPlayer : public InputReplay {
  public:
    ReplayPlayer(const Replay& replay, const std::string& path);

    bool nextEvent(PlatformEvent& event) override;
    bool frameNext() override;
    float takeFrame() override;
    void takeMouse(int& dx, int& dy) override;
    bool frameDue(std::uint32_t now) override;
    void hold(bool held, std::uint32_t now) override;
    std::string error() const override { return failure; }

    long framesPlayed() const { return long(frame); }
    // Once the run is over: why the game and the replay parted (the game
    // ended before the replay did, or did not read a motion it recorded);
    // empty when every frame and event was played.
    std::string finish();

  private:
    // Fails when the frame taken last recorded a mouse motion the game did not read.
    bool mouseReadAsRecorded();
    std::string at(long line) const;

    const Replay& replay;
    std::string path;
    std::size_t frame = 0; // frames taken
    std::size_t event = 0; // events given
    bool mouseTaken = true;
    std::string failure;
    // The watched replay's clock: when it started, the recorded time
    // played, and when it was held.
    bool clockStarted = false;
    std::uint32_t start = 0;
    double playedMs = 0;
    std::uint32_t heldAt = 0;
};

} // namespace orbiton
