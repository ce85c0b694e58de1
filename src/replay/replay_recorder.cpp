// SPDX-FileCopyrightText: 2026 The Orbiton 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "replay/replay_recorder.h"

#include "app/app.h"
#include "replay/replay_levels.h"

namespace orbiton {

ReplayRecorder::ReplayRecorder(std::ostream& out, const App& app, const std::string& gameVersion)
    : out(out), app(app) {
    header.gameVersion = gameVersion;
    header.fullscreen = app.startFullscreen;
    header.demo = app.inputSource != nullptr;
    header.startLevel = app.firstLevel;
    header.levels = replayLevelsIn(app.levelDirectory);
}

void ReplayRecorder::takeWindow() {
    if (windowTaken)
        return;
    windowTaken = true;
    header.width = app.width;
    header.height = app.height;
}

void ReplayRecorder::write(const std::string& text) {
    if (!headerWritten) {
        headerWritten = true;
        out << replayHeader(header);
    }
    out << text << std::flush;
    written.after(out);
}

void ReplayRecorder::eventTaken(const PlatformEvent& event) {
    takeWindow();
    if (replayKeeps(event))
        pending.push_back(event);
}

void ReplayRecorder::frameTaken(float seconds, int dx, int dy) {
    takeWindow();
    write(replayFrameLine(++frames, seconds, dx, dy, pending));
    pending.clear();
}

void ReplayRecorder::finish() {
    takeWindow();
    write(replayEndLine(frames, pending));
    pending.clear();
}

} // namespace orbiton
