// SPDX-FileCopyrightText: 2026 The Orbiton 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "monitor/event_log.h"

#include <cstdio>

#include "app/app.h"
#include "platform/process_memory.h"
#include "render/display_list.h"

namespace orbiton {

void EventLog::line(const std::string& what) {
    out << (inFrame ? frame : frame + 1) << " " << what << "\n" << std::flush;
    written.after(out);
}

void EventLog::frameStarted(App&) {
    ++frame;
    inFrame = true;
}

void EventLog::frameEnded(App&) {
    inFrame = false;
}

void EventLog::levelStarted(App& app) {
    // Past the last level an empty one starts every frame: said once.
    if (app.allCleared()) {
        if (!clearedSaid)
            line("all cleared");
        clearedSaid = true;
        return;
    }
    line("level " + std::to_string(app.level) + " bricks " +
         std::to_string(app.world->bricks.size()));
}

void EventLog::launched(App&) {
    line("launch");
}

void EventLog::brickHit(App& app) {
    line("hit score " + std::to_string(app.score) + " bricks " +
         std::to_string(app.world->bricks.size()));
}

void EventLog::ballLost(App&) {
    line("lost");
}

void EventLog::ballReset(App&) {
    line("reset");
}

void EventLog::fullscreenSwitched(App& app) {
    const Quaternion& q = app.world->paddle->orientation;
    char turn[96];
    std::snprintf(turn, sizeof turn, "%.9g %.9g %.9g %.9g", double(q.w), double(q.x), double(q.y),
                  double(q.z));
    line(std::string("fullscreen ") + (app.fullscreen ? "on" : "off") + " lists " +
         std::to_string(countLiveDisplayLists()) + " bricks " +
         std::to_string(app.world->bricks.size()) + " memory " + std::to_string(residentKiB()) +
         " heap " + std::to_string(heapInUseKiB()) + " paddle " + turn);
}

void EventLog::demoEnded(App&) {
    line("demo ends");
}

} // namespace orbiton
