// SPDX-FileCopyrightText: 2026 The Orbiton 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "platform/gl.h"

namespace orbiton {

// Owns a run of display lists of one GL context and deletes them when it is
// reset or destroyed, so that no owner, early return or exception can leave a
// list behind. Lists outlive nothing: once their context is announced gone
// (contextLost) or replaced (contextMadeCurrent), the handle only forgets
// their names, since a GL call would hit a dead or a different context.
class DisplayList {
  public:
    DisplayList() = default;
    ~DisplayList() { reset(); }
    DisplayList(const DisplayList&) = delete;
    DisplayList& operator=(const DisplayList&) = delete;
    DisplayList(DisplayList&& other) noexcept;
    DisplayList& operator=(DisplayList&& other) noexcept;

    // Replaces what it held with count new, empty lists of the current context.
    // Returns the first name, or 0 when GL gave none.
    GLuint generate(GLsizei count = 1);
    // Deletes the lists if their context is still the current one; forgets them otherwise.
    void reset();
    // Drops the names without a GL call.
    void forget();

    GLuint name() const { return first; }
    GLsizei size() const { return count; }
    explicit operator bool() const { return first != 0; }

    // The context the lists belong to came into being or was made current in
    // place of another: lists made before it are no longer this context's.
    static void contextMadeCurrent();
    // The current context is about to be destroyed: its lists die with it.
    static void contextLost();

  private:
    GLuint first = 0;
    GLsizei count = 0;
    unsigned long context = 0; // the generation of the context the lists live in
};

// The generation of the current context and whether it still lives: other
// GL object handles (buffers) decide by them whether a delete may be sent.
unsigned long currentContextGeneration();
bool currentContextAlive();

// How many display lists the current context holds, by asking for every name
// up to a bound far above what a level uses: a diagnostic for leak checks.
int countLiveDisplayLists();

} // namespace orbiton
