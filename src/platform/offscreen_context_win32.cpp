// SPDX-FileCopyrightText: 2026 The Orbiton 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "platform/offscreen_context.h"

#include "platform/gl.h"
#include "platform/windows_api.h"

namespace orbiton {

namespace {

// There is no context without a window on Windows: a hidden one holds it,
// and the drawing goes to a framebuffer object of the size asked for.
const wchar_t* const kHiddenClass = L"orbn-offscreen";

std::string lastError;

bool fail(const std::string& what) {
    lastError = what;
    return false;
}

struct FramebufferFunctions {
    PFNGLGENFRAMEBUFFERSPROC genFramebuffers = nullptr;
    PFNGLBINDFRAMEBUFFERPROC bindFramebuffer = nullptr;
    PFNGLDELETEFRAMEBUFFERSPROC deleteFramebuffers = nullptr;
    PFNGLGENRENDERBUFFERSPROC genRenderbuffers = nullptr;
    PFNGLBINDRENDERBUFFERPROC bindRenderbuffer = nullptr;
    PFNGLDELETERENDERBUFFERSPROC deleteRenderbuffers = nullptr;
    PFNGLRENDERBUFFERSTORAGEPROC renderbufferStorage = nullptr;
    PFNGLFRAMEBUFFERRENDERBUFFERPROC framebufferRenderbuffer = nullptr;
    PFNGLCHECKFRAMEBUFFERSTATUSPROC checkFramebufferStatus = nullptr;

    template <typename F> static bool load(F& f, const char* name) {
        f = reinterpret_cast<F>(reinterpret_cast<void*>(wglGetProcAddress(name)));
        return f != nullptr;
    }
    bool loadAll() {
        return load(genFramebuffers, "glGenFramebuffers") &&
               load(bindFramebuffer, "glBindFramebuffer") &&
               load(deleteFramebuffers, "glDeleteFramebuffers") &&
               load(genRenderbuffers, "glGenRenderbuffers") &&
               load(bindRenderbuffer, "glBindRenderbuffer") &&
               load(deleteRenderbuffers, "glDeleteRenderbuffers") &&
               load(renderbufferStorage, "glRenderbufferStorage") &&
               load(framebufferRenderbuffer, "glFramebufferRenderbuffer") &&
               load(checkFramebufferStatus, "glCheckFramebufferStatus");
    }
};

FramebufferFunctions fbo;

bool registerHiddenClass() {
    static bool registered = false;
    if (registered)
        return true;
    WNDCLASSW wc{};
    wc.style = CS_OWNDC;
    wc.lpfnWndProc = DefWindowProcW;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = kHiddenClass;
    registered = RegisterClassW(&wc) != 0;
    return registered;
}

} // namespace

const std::string& OffscreenContext::error() {
    return lastError;
}

std::unique_ptr<OffscreenContext> OffscreenContext::create(int width, int height, int depthBits) {
    std::unique_ptr<OffscreenContext> c(new OffscreenContext);
    c->width_ = width;
    c->height_ = height;
    if (!registerHiddenClass()) {
        fail("cannot register the hidden window's class");
        return nullptr;
    }
    HWND hwnd = CreateWindowW(kHiddenClass, L"", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr,
                              GetModuleHandleW(nullptr), nullptr);
    if (!hwnd) {
        fail("cannot create the hidden window");
        return nullptr;
    }
    c->display = hwnd;
    HDC dc = GetDC(hwnd);
    c->surface = dc;
    PIXELFORMATDESCRIPTOR pfd{};
    pfd.nSize = sizeof pfd;
    pfd.nVersion = 1;
    pfd.dwFlags = PFD_DRAW_TO_WINDOW | PFD_SUPPORT_OPENGL;
    pfd.iPixelType = PFD_TYPE_RGBA;
    pfd.cColorBits = 32;
    pfd.iLayerType = PFD_MAIN_PLANE;
    const int format = ChoosePixelFormat(dc, &pfd);
    if (format == 0 || !SetPixelFormat(dc, format, &pfd)) {
        fail("no OpenGL pixel format for the hidden window");
        return nullptr;
    }
    c->context = wglCreateContext(dc);
    if (!c->context) {
        fail("wglCreateContext failed");
        return nullptr;
    }
    if (!c->makeCurrent())
        return nullptr;
    if (!loadGlFunctions() || !fbo.loadAll()) {
        fail("the OpenGL driver has no framebuffer objects or vertex buffers");
        return nullptr;
    }
    fbo.genFramebuffers(1, &c->framebuffer);
    fbo.bindFramebuffer(GL_FRAMEBUFFER, c->framebuffer);
    fbo.genRenderbuffers(1, &c->colourBuffer);
    fbo.bindRenderbuffer(GL_RENDERBUFFER, c->colourBuffer);
    fbo.renderbufferStorage(GL_RENDERBUFFER, GL_RGBA8, width, height);
    fbo.framebufferRenderbuffer(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_RENDERBUFFER,
                                c->colourBuffer);
    fbo.genRenderbuffers(1, &c->depthBuffer);
    fbo.bindRenderbuffer(GL_RENDERBUFFER, c->depthBuffer);
    fbo.renderbufferStorage(GL_RENDERBUFFER,
                            depthBits <= 16 ? GL_DEPTH_COMPONENT16 : GL_DEPTH_COMPONENT24, width,
                            height);
    fbo.framebufferRenderbuffer(GL_FRAMEBUFFER, GL_DEPTH_ATTACHMENT, GL_RENDERBUFFER,
                                c->depthBuffer);
    if (fbo.checkFramebufferStatus(GL_FRAMEBUFFER) != GL_FRAMEBUFFER_COMPLETE) {
        fail("the framebuffer object is not complete");
        return nullptr;
    }
    glViewport(0, 0, width, height);
    return c;
}

OffscreenContext::~OffscreenContext() {
    if (context && wglGetCurrentContext() == HGLRC(context)) {
        if (framebuffer) {
            fbo.bindFramebuffer(GL_FRAMEBUFFER, 0);
            fbo.deleteFramebuffers(1, &framebuffer);
            fbo.deleteRenderbuffers(1, &colourBuffer);
            fbo.deleteRenderbuffers(1, &depthBuffer);
        }
        wglMakeCurrent(nullptr, nullptr);
    }
    if (context)
        wglDeleteContext(HGLRC(context));
    if (surface)
        ReleaseDC(HWND(display), HDC(surface));
    if (display)
        DestroyWindow(HWND(display));
}

bool OffscreenContext::makeCurrent() {
    if (!wglMakeCurrent(HDC(surface), HGLRC(context)))
        return fail("wglMakeCurrent failed");
    if (framebuffer)
        fbo.bindFramebuffer(GL_FRAMEBUFFER, framebuffer);
    return true;
}

} // namespace orbiton
