// SPDX-FileCopyrightText: 2026 The Orbiton 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "render/display_list.h"

namespace orbiton {

namespace {
// Which context is current, as a generation count, and whether it still
// lives. Part of the render state: it decides whether a list may be deleted.
unsigned long currentContext = 1;
bool contextAlive = true;
} // namespace

DisplayList::DisplayList(DisplayList&& other) noexcept
    : first(other.first), count(other.count), context(other.context) {
    other.forget();
}

DisplayList& DisplayList::operator=(DisplayList&& other) noexcept {
    if (this != &other) {
        reset();
        first = other.first;
        count = other.count;
        context = other.context;
        other.forget();
    }
    return *this;
}

GLuint DisplayList::generate(GLsizei n) {
    reset();
    first = n > 0 ? glGenLists(n) : 0;
    count = first != 0 ? n : 0;
    context = currentContext;
    return first;
}

void DisplayList::reset() {
    if (first != 0 && contextAlive && context == currentContext)
        glDeleteLists(first, count);
    forget();
}

void DisplayList::forget() {
    first = 0;
    count = 0;
}

int countLiveDisplayLists() {
    int n = 0;
    for (GLuint name = 1; name < (1u << 18); ++name)
        n += glIsList(name) == GL_TRUE;
    return n;
}

unsigned long currentContextGeneration() {
    return currentContext;
}

bool currentContextAlive() {
    return contextAlive;
}

void DisplayList::contextMadeCurrent() {
    ++currentContext;
    contextAlive = true;
}

void DisplayList::contextLost() {
    ++currentContext;
    contextAlive = false;
}

} // namespace orbiton
