// SPDX-FileCopyrightText: 2026 The Orbiton 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "platform/gl.h"

#include <cstddef>

namespace orbiton {

// Owns one GL buffer object (vertex or index data) of one context, with the
// rules of DisplayList: deleted when reset or destroyed while its context is
// current and alive, only forgotten otherwise.
class BufferObject {
  public:
    BufferObject() = default;
    ~BufferObject() { reset(); }
    BufferObject(const BufferObject&) = delete;
    BufferObject& operator=(const BufferObject&) = delete;
    BufferObject(BufferObject&& other) noexcept;
    BufferObject& operator=(BufferObject&& other) noexcept;

    // Replaces what it held with a new buffer bound to target and filled with
    // bytes of data (usage as glBufferData's). Returns false when GL gave none.
    bool upload(GLenum target, const void* data, std::size_t bytes, GLenum usage);
    // Binds the buffer to target (0 when it holds none: client memory).
    void bind(GLenum target) const;
    void reset();
    void forget() { buffer = 0; }

    GLuint name() const { return buffer; }
    explicit operator bool() const { return buffer != 0; }

  private:
    GLuint buffer = 0;
    unsigned long context = 0;
};

} // namespace orbiton
