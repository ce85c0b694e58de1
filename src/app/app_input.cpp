#include <GL/gl.h>

#include "app/app.h"
#include "render/state_lists.h"
#include "platform/process_memory.h"

namespace orbiton {

namespace {
constexpr float kSpeedStep = 0.05f;
} // namespace

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
        onKeyDown(event.key);
        break;
    case PlatformEvent::Type::KeyUp:
        onKeyUp(event.key);
        break;
    case PlatformEvent::Type::LeftButtonDown:
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
        logEvent("reset");
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
        break;
    case key::KeypadMinus:
        launchSpeed = launchSpeed - kSpeedStep;
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
    if (eventLog)
        logEvent(std::string("fullscreen ") + (fullscreen ? "on" : "off") + " lists " +
                 std::to_string(countLiveDisplayLists()) + " bricks " +
                 std::to_string(world->bricks.size()) + " memory " + std::to_string(residentKiB()) +
                 " heap " + std::to_string(heapInUseKiB()));
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
        logEvent("launch");
    }
    ballLaunched = true;
}

void App::recentreMouse() {
    const int cx = width / 2, cy = height / 2;
    int x, y;
    platform->cursorPosition(x, y);
    mouseDx += x - cx;
    mouseDy += y - cy;
    platform->warpCursor(cx, cy);
}

} // namespace orbiton
