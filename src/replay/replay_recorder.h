// SPDX-FileCopyrightText: 2026 The Orbiton 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <ostream>
#include <string>
#include <vector>

#include "app/input_recorder.h"
#include "monitor/write_check.h"
#include "replay/replay_file.h"

namespace orbiton {

class App;

// Writes the replay of the game an App plays, as it goes: the header (the
// game's version, the window, the options a flight depends on, the level
// files with their sizes and hashes) before the first frame, then a line a
// frame, each flushed whole, so that a game that is killed leaves a replay
// of every frame it drew.
class ReplayRecorder : public InputRecorder {
  public:
    // The levels are read now: made before the game starts, the recording
    // holds the level files the game starts with.
    ReplayRecorder(std::ostream& out, const App& app, const std::string& gameVersion);

    void eventTaken(const PlatformEvent& event) override;
    void frameTaken(float seconds, int dx, int dy) override;
    // The end line, with the events taken after the last frame.
    void finish();

    // Whether every line so far reached the stream, and if not why.
    WriteCheck written;

  private:
    // The window as the game opened it, taken at its first input.
    void takeWindow();
    void write(const std::string& text);

    std::ostream& out;
    const App& app;
    Replay header;
    bool windowTaken = false;
    bool headerWritten = false;
    long frames = 0;
    std::vector<PlatformEvent> pending;
};

} // namespace orbiton
