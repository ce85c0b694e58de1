// SPDX-FileCopyrightText: 2026 The Orbiton 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/app.h"
#include "render/render_setup.h"
#include "render/state_lists.h"

namespace orbiton {

namespace {
constexpr int kWindowWidth = 800;
constexpr int kWindowHeight = 600;
} // namespace

bool App::registerWindowClass() {
    return platform->initialise();
}

void App::unregisterWindowClass() {
    platform->shutdown();
}

bool App::createWindow(bool fs) {
    width = kWindowWidth;
    height = kWindowHeight;
    if (fs) {
        if (!platform->desktopSize(width, height))
            return false;
        if (!platform->enterFullscreenMode(width, height)) {
            platform->messageBox("Display Mode Not Compatible", "Error");
            return false;
        }
    }
    if (!platform->openWindow("Orbiton 3D", width, height, fs))
        return false;
    windowOpen = true;
    DisplayList::contextMadeCurrent();
    discardMouse = true;
    if (mouseCaptured) {
        platform->showCursor(false);
        platform->captureMouse(true);
        cursorHidden = true;
    }
    // A window's first size message sets the projection; setting it here as
    // well, from the drawable the window really got, means no frame or
    // cursor centring ever uses a size the window does not have.
    int w = width, h = height;
    platform->drawableSize(w, h);
    resize(w, h);
    applyFixedRenderState();
    buildStateLists(smoothOutlines);
    setupLights();
    createFont();
    return true;
}

void App::destroyWindow() {
    if (windowOpen) {
        fontLists.reset();
        forgetStateLists();
        // Whatever lists are still held die with the context: their owners
        // will only forget them.
        DisplayList::contextLost();
        platform->closeWindow();
        windowOpen = false;
    }
    // Shows the cursor only if this window hid it, so that failed switches
    // and repeated teardowns cannot unbalance the display counter.
    if (cursorHidden) {
        platform->captureMouse(false);
        platform->showCursor(true);
        cursorHidden = false;
    }
}

void App::setupLights() {
    orbiton::setupLights();
}

void App::resize(int w, int h) {
    width = w;
    height = h;
    setProjection(w, h);
}

} // namespace orbiton
