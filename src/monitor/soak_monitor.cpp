// SPDX-FileCopyrightText: 2026 The Orbiton 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "monitor/soak_monitor.h"

#include "platform/gl.h"

#include <cmath>

#include "app/app.h"
#include "platform/process_memory.h"

namespace orbiton {

namespace {

bool finite(const Vec3& v) {
    return std::isfinite(v.x) && std::isfinite(v.y) && std::isfinite(v.z);
}

} // namespace

SoakMonitor::SoakMonitor(App& app_, std::ostream& log_) : app(app_), log(log_) {}

void SoakMonitor::problem(const std::string& what) {
    ++problems;
    if (problems <= 20)
        log << "soak: frame " << frames << ": " << what << "\n";
}

void SoakMonitor::levelStarted(App&) {
    ++worldsBuilt;
}

void SoakMonitor::frameEnded(App&) {
    if (++frames == 1)
        startKiB = residentKiB(); // with the context and the first level in place
    if (worldsBuilt != worldsSeen) {
        // A new level: what the old World removed stays counted.
        removedBefore += lastRemoved;
        if (worldsSeen > 0)
            ++levelsCleared;
        worldsSeen = worldsBuilt;
    }
    const World& w = *app.world;
    lastRemoved = w.bricksRemoved;
    const Ball& ball = *w.ball;
    if (!finite(ball.position) || !finite(ball.velocity))
        problem("the ball's position or velocity is not finite");
    if (!finite(w.paddle->position) || !std::isfinite(w.paddle->orientation.w))
        problem("the paddle is not finite");
    if (length(ball.position) > 0.5)
        problem("the ball is outside the arena");
    if (long(app.score) != 100 * (removedBefore + lastRemoved))
        problem("score " + std::to_string(app.score) + " is not 100 per brick removed");
    if (app.drawOptions.drawing && app.windowOpen) {
        const GLenum error = glGetError();
        if (error != GL_NO_ERROR)
            problem("OpenGL error " + std::to_string(error));
    }
}

bool SoakMonitor::report(std::ostream& out) {
    endKiB = residentKiB();
    out << "soak: " << frames << " frames, " << levelsCleared << " levels cleared, "
        << (removedBefore + lastRemoved) << " bricks hit, score " << app.score << ", " << problems
        << " problems; resident memory " << startKiB << " KiB at the start, " << endKiB
        << " KiB at the end\n";
    return problems == 0;
}

} // namespace orbiton
