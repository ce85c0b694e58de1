// SPDX-FileCopyrightText: 2026 The Orbiton 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Prints the OpenGL driver the headless game draws with: its version and
// renderer strings. Pinned pictures are only comparable on the same driver.
#include "platform/gl.h"

#include <cstdio>

#include "platform/offscreen_context.h"

int main() {
    auto context = orbiton::OffscreenContext::create(16, 16);
    if (!context || !context->makeCurrent()) {
        std::printf("no OpenGL context: %s\n", orbiton::OffscreenContext::error().c_str());
        return 0;
    }
    std::printf("GL_VERSION %s\nGL_RENDERER %s\n",
                reinterpret_cast<const char*>(glGetString(GL_VERSION)),
                reinterpret_cast<const char*>(glGetString(GL_RENDERER)));
    return 0;
}
