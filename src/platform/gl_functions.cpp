// SPDX-FileCopyrightText: 2026 The Orbiton 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later

#ifdef _WIN32
#include "platform/windows_api.h" // wglGetProcAddress
#endif
#include "platform/gl.h"

namespace orbiton {

#ifdef _WIN32

namespace gl {
PFNGLGENBUFFERSPROC genBuffers = nullptr;
PFNGLDELETEBUFFERSPROC deleteBuffers = nullptr;
PFNGLBINDBUFFERPROC bindBuffer = nullptr;
PFNGLBUFFERDATAPROC bufferData = nullptr;
} // namespace gl

namespace {
template <typename F> bool load(F& f, const char* name) {
    f = reinterpret_cast<F>(reinterpret_cast<void*>(wglGetProcAddress(name)));
    return f != nullptr;
}
} // namespace

bool loadGlFunctions() {
    bool all = load(gl::genBuffers, "glGenBuffers");
    all = load(gl::deleteBuffers, "glDeleteBuffers") && all;
    all = load(gl::bindBuffer, "glBindBuffer") && all;
    all = load(gl::bufferData, "glBufferData") && all;
    return all;
}

#else

bool loadGlFunctions() {
    return true; // libGL exports them
}

#endif

} // namespace orbiton
