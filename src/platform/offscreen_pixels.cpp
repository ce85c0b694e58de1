// SPDX-FileCopyrightText: 2026 The Orbiton 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Reading the picture back is plain GL, the same whatever made the context.
#include "platform/offscreen_context.h"

#include "platform/gl.h"

#include <cstring>

namespace orbiton {

std::vector<std::uint8_t> OffscreenContext::readPixels() const {
    std::vector<std::uint8_t> bottomUp(std::size_t(width_) * height_ * 4);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, width_, height_, GL_RGBA, GL_UNSIGNED_BYTE, bottomUp.data());
    std::vector<std::uint8_t> rows(bottomUp.size());
    const std::size_t stride = std::size_t(width_) * 4;
    for (int y = 0; y < height_; ++y)
        std::memcpy(&rows[y * stride], &bottomUp[(height_ - 1 - y) * stride], stride);
    return rows;
}

} // namespace orbiton
