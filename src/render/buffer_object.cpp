// SPDX-FileCopyrightText: 2026 The Orbiton 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "render/buffer_object.h"

#include "platform/gl.h"

#include "render/display_list.h"

namespace orbiton {

BufferObject::BufferObject(BufferObject&& other) noexcept
    : buffer(other.buffer), context(other.context) {
    other.forget();
}

BufferObject& BufferObject::operator=(BufferObject&& other) noexcept {
    if (this != &other) {
        reset();
        buffer = other.buffer;
        context = other.context;
        other.forget();
    }
    return *this;
}

bool BufferObject::upload(GLenum target, const void* data, std::size_t bytes, GLenum usage) {
    if (!buffer || context != currentContextGeneration()) {
        reset();
        glGenBuffers(1, &buffer);
        context = currentContextGeneration();
    }
    if (!buffer)
        return false;
    glBindBuffer(target, buffer);
    glBufferData(target, GLsizeiptr(bytes), data, usage);
    return true;
}

void BufferObject::bind(GLenum target) const {
    glBindBuffer(target, buffer);
}

void BufferObject::reset() {
    if (buffer != 0 && currentContextAlive() && context == currentContextGeneration())
        glDeleteBuffers(1, &buffer);
    forget();
}

} // namespace orbiton
