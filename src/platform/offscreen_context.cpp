// SPDX-FileCopyrightText: 2026 The Orbiton 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "platform/offscreen_context.h"

#include "platform/gl.h"
#include <EGL/egl.h>
#include <EGL/eglext.h>

namespace orbiton {

namespace {

std::string lastError;

bool fail(const std::string& what) {
    char code[32];
    std::snprintf(code, sizeof code, " (EGL error 0x%04x)", eglGetError());
    lastError = what + code;
    return false;
}

EGLDisplay surfacelessDisplay() {
    auto getPlatformDisplay = reinterpret_cast<PFNEGLGETPLATFORMDISPLAYEXTPROC>(
        eglGetProcAddress("eglGetPlatformDisplayEXT"));
    if (!getPlatformDisplay)
        return EGL_NO_DISPLAY;
    return getPlatformDisplay(EGL_PLATFORM_SURFACELESS_MESA, EGL_DEFAULT_DISPLAY, nullptr);
}

} // namespace

const std::string& OffscreenContext::error() {
    return lastError;
}

std::unique_ptr<OffscreenContext> OffscreenContext::create(int width, int height, int depthBits) {
    std::unique_ptr<OffscreenContext> c(new OffscreenContext);
    c->width_ = width;
    c->height_ = height;
    EGLDisplay dpy = surfacelessDisplay();
    if (dpy == EGL_NO_DISPLAY) {
        fail("no surfaceless EGL display");
        return nullptr;
    }
    c->display = dpy;
    if (!eglInitialize(dpy, nullptr, nullptr)) {
        fail("eglInitialize failed");
        c->display = nullptr;
        return nullptr;
    }
    if (!eglBindAPI(EGL_OPENGL_API)) {
        fail("eglBindAPI(EGL_OPENGL_API) failed");
        return nullptr;
    }
    const EGLint configAttribs[] = {EGL_SURFACE_TYPE,
                                    EGL_PBUFFER_BIT,
                                    EGL_RED_SIZE,
                                    8,
                                    EGL_GREEN_SIZE,
                                    8,
                                    EGL_BLUE_SIZE,
                                    8,
                                    EGL_ALPHA_SIZE,
                                    8,
                                    EGL_DEPTH_SIZE,
                                    depthBits,
                                    EGL_RENDERABLE_TYPE,
                                    EGL_OPENGL_BIT,
                                    EGL_NONE};
    EGLConfig config;
    EGLint count = 0;
    if (!eglChooseConfig(dpy, configAttribs, &config, 1, &count) || count < 1) {
        fail("no RGBA pbuffer configuration with a depth buffer");
        return nullptr;
    }
    const EGLint surfaceAttribs[] = {EGL_WIDTH, width, EGL_HEIGHT, height, EGL_NONE};
    c->surface = eglCreatePbufferSurface(dpy, config, surfaceAttribs);
    if (c->surface == EGL_NO_SURFACE) {
        fail("eglCreatePbufferSurface failed");
        return nullptr;
    }
    const EGLint contextAttribs[] = {EGL_CONTEXT_OPENGL_PROFILE_MASK,
                                     EGL_CONTEXT_OPENGL_COMPATIBILITY_PROFILE_BIT, EGL_NONE};
    c->context = eglCreateContext(dpy, config, EGL_NO_CONTEXT, contextAttribs);
    if (c->context == EGL_NO_CONTEXT) {
        fail("eglCreateContext failed");
        return nullptr;
    }
    if (!c->makeCurrent())
        return nullptr;
    glViewport(0, 0, width, height);
    return c;
}

OffscreenContext::~OffscreenContext() {
    if (!display)
        return;
    if (eglGetCurrentContext() == context)
        eglMakeCurrent(display, EGL_NO_SURFACE, EGL_NO_SURFACE, EGL_NO_CONTEXT);
    if (context)
        eglDestroyContext(display, context);
    if (surface)
        eglDestroySurface(display, surface);
    // The display is shared by every context of the process: leave it initialised.
}

bool OffscreenContext::makeCurrent() {
    if (!eglMakeCurrent(display, surface, surface, context))
        return fail("eglMakeCurrent failed");
    return true;
}

} // namespace orbiton
