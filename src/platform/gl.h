// SPDX-FileCopyrightText: 2026 The Orbiton 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// OpenGL and GLU as every drawing file sees them, on every system: GL 1.1 and
// GLU from the system's headers, and the four GL 1.5 buffer functions the
// game uses. Windows' opengl32 exports GL 1.1 alone: there the buffer
// functions are loaded from the driver once a context is current
// (loadGlFunctions), under their usual names.

#ifdef _WIN32
// The Windows GL headers want three of windows.h's words, and nothing else of
// it: given here (as GL loaders do), they keep windows.h and its thousands
// of macros out of every drawing file. Where windows.h came first its own
// words stand; ours are taken back after, so that a windows.h after this
// defines them as its own.
#if !defined(APIENTRY)
#define APIENTRY __stdcall
#define ORBITON_GL_APIENTRY
#endif
#if !defined(WINGDIAPI)
#define WINGDIAPI __declspec(dllimport)
#define ORBITON_GL_WINGDIAPI
#endif
#if !defined(CALLBACK)
#define CALLBACK __stdcall
#define ORBITON_GL_CALLBACK
#endif
#include <GL/gl.h>
#include <GL/glext.h>
#include <GL/glu.h>
#ifdef ORBITON_GL_APIENTRY
#undef APIENTRY
#undef ORBITON_GL_APIENTRY
#endif
#ifdef ORBITON_GL_WINGDIAPI
#undef WINGDIAPI
#undef ORBITON_GL_WINGDIAPI
#endif
#ifdef ORBITON_GL_CALLBACK
#undef CALLBACK
#undef ORBITON_GL_CALLBACK
#endif

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
