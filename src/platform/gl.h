// SPDX-FileCopyrightText: 2026 The Orbiton 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// OpenGL and GLU as every drawing file sees them, on every system: GL 1.1 and
// GLU from the system's headers, and the four GL 1.5 buffer functions the
// game uses. Windows' opengl32 exports GL 1.1 alone: there the buffer
// functions are loaded from the driver once a context is current
// (loadGlFunctions), under their usual names.

#ifdef _WIN32
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
// windows.h defines these two words away; the game uses them as names.
#undef near
#undef far
#include <GL/gl.h>
#include <GL/glext.h>
#include <GL/glu.h>

namespace orbiton::gl {
extern PFNGLGENBUFFERSPROC genBuffers;
extern PFNGLDELETEBUFFERSPROC deleteBuffers;
extern PFNGLBINDBUFFERPROC bindBuffer;
extern PFNGLBUFFERDATAPROC bufferData;
} // namespace orbiton::gl
#define glGenBuffers orbiton::gl::genBuffers
#define glDeleteBuffers orbiton::gl::deleteBuffers
#define glBindBuffer orbiton::gl::bindBuffer
#define glBufferData orbiton::gl::bufferData

#else
#define GL_GLEXT_PROTOTYPES 1
#include <GL/gl.h>
#include <GL/glext.h>
#include <GL/glu.h>
#endif

namespace orbiton {
// With a context current: makes the functions above callable. False when the
// driver lacks one of them (then vertex buffers cannot be used). Nothing to
// do where the system's GL library exports them.
bool loadGlFunctions();
} // namespace orbiton
