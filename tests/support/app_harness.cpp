// SPDX-FileCopyrightText: 2026 The Orbiton 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "support/app_harness.h"

#include <filesystem>
#include <fstream>

#include "world/world.h"

namespace orbiton::test {

AppHarness::AppHarness(const HeadlessPlatform::Options& options, const std::string& levels)
    : platform(options) {
    app.levelDirectory = levels;
    app.listeners = {&log, &counts};
}

AppHarness::~AppHarness() {
    finish();
}

bool AppHarness::start() {
    started = app.start(platform);
    return started;
}

void AppHarness::idle() {
    App::Turn t = App::Turn::Event;
    while (!quit && t == App::Turn::Event) {
        t = app.turn();
        quit = t == App::Turn::Quit;
    }
}

void AppHarness::frames(int n) {
    const long target = platform.framesDrawn() + n;
    while (!quit && platform.framesDrawn() < target)
        idle();
}

void AppHarness::finish() {
    if (started)
        app.stop();
    started = false;
}

} // namespace orbiton::test
