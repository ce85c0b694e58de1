// SPDX-FileCopyrightText: 2026 The Orbiton 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/app.h"
#include "render/state_lists.h"

namespace orbiton {

namespace {
constexpr float kSpeedStep = 0.05f;
} // namespace

void App::takeEvent(const PlatformEvent& event) {
    if (recorder)
        recorder->eventTaken(event);
    handleMessage(event);
}

bool App::watcherTakes(const PlatformEvent& event) {
    switch (event.type) {
    case PlatformEvent::Type::Size:
    case PlatformEvent::Type::Close:
    case PlatformEvent::Type::Quit:
        return true;
    case PlatformEvent::Type::KeyDown:
        if (event.key == key::P && replayWatched) {
            replayHeld = !replayHeld;
            replay->hold(replayHeld, platform->ticks());
        }
        return event.key == key::Escape;
    default:
        return false;
    }
}

void App::handleMessage(const PlatformEvent& event) {
    switch (event.type) {
    case PlatformEvent::Type::Size:
        if (!fullscreen)
            resize(event.width, event.height);
        break;
    case PlatformEvent::Type::Close:
        platform->postQuit();
        break;
    case PlatformEvent::Type::KeyDown:
        handOver();
        onKeyDown(event.key);
        break;
    case PlatformEvent::Type::KeyUp:
        onKeyUp(event.key);
        break;
    case PlatformEvent::Type::LeftButtonDown:
        handOver();
        launchBall();
        break;
    case PlatformEvent::Type::Quit:
        break;
    }
}

void App::onKeyDown(int k) {
    switch (k) {
    case key::Escape:
        platform->postQuit();
        break;
    case key::R:
        world->resetBall();
        notify(&GameListener::ballReset);
        break;
    case key::F:
        switchFullscreen();
        break;
    case key::S:
        smoothOutlines = !smoothOutlines;
        buildStateLists(smoothOutlines);
        break;
    case key::O:
        paddleVisible = !paddleVisible;
        break;
    case key::P:
        paused = !paused;
        break;
    case key::M:
        switchMouseCapture();
        break;
    case key::Space:
        zoomKeyUp = false;
        break;
    case key::KeypadPlus:
        launchSpeed = launchSpeed + kSpeedStep;
        speedShownFor = kSpeedShownSeconds;
        break;
    case key::KeypadMinus:
        launchSpeed = launchSpeed - kSpeedStep;
        speedShownFor = kSpeedShownSeconds;
        break;
    default:
        break;
    }
}

void App::onKeyUp(int k) {
    if (k == key::Space)
        zoomKeyUp = true;
}

void App::switchFullscreen() {
    world->releaseLists();
    destroyWindow();
    fullscreen = !fullscreen;
    if (!createWindow(fullscreen)) {
        platform->messageBox("GL initialization failed", "Error");
        destroyWindow();
        platform->postQuit();
        return;
    }
    world->buildLists();
    notify(&GameListener::fullscreenSwitched);
}

void App::switchMouseCapture() {
    if (!mouseCaptured)
        platform->warpCursor(width / 2, height / 2);
    if (windowOpen) {
        // Show while capture goes off, hide while it comes on.
        platform->showCursor(mouseCaptured);
        platform->captureMouse(!mouseCaptured);
        cursorHidden = !mouseCaptured;
    }
    mouseCaptured = !mouseCaptured;
}

void App::launchBall() {
    if (!ballLaunched) {
        world->ball->velocity = world->paddle->position * -launchSpeed;
        notify(&GameListener::launched);
    }
    ballLaunched = true;
}

void App::recentreMouse() {
    const int cx = width / 2, cy = height / 2;
    int dx = 0, dy = 0;
    if (replay) {
        replay->takeMouse(dx, dy);
    } else {
        int x, y;
        platform->cursorPosition(x, y);
        if (!discardMouse) {
            dx = x - cx;
            dy = y - cy;
        }
    }
    discardMouse = false;
    if (dx != 0 || dy != 0) {
        handOver();
        mouseDx += dx;
        mouseDy += dy;
    }
    frameMouseDx = dx;
    frameMouseDy = dy;
    platform->warpCursor(cx, cy);
}

void App::handOver() {
    if (inputSource) {
        inputSource.reset();
        notify(&GameListener::demoEnded);
    }
}

} // namespace orbiton
