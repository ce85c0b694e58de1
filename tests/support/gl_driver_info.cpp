// SPDX-FileCopyrightText: 2026 The Orbiton 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Prints the OpenGL driver the headless game draws with: its version and
// renderer strings, and the CPU the program is built for. Pinned pictures are
// only comparable on the same driver on the same CPU: llvmpipe draws with the
// CPU's own instructions, and reports the same strings where they differ.
#include "platform/gl.h"

#include <cstdio>

#include "platform/offscreen_context.h"

namespace {
const char* cpu() {
#if defined(__x86_64__)
    return "x86_64";
#elif defined(__i386__)
    return "i386";
#elif defined(__aarch64__)
    return "arm64";
#elif defined(__s390x__)
    return "s390x";
#else
    return "another";
#endif
}
} // namespace

int main() {
    std::printf("CPU %s\n", cpu());
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
