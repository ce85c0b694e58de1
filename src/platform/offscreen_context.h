// SPDX-FileCopyrightText: 2026 The Orbiton 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace orbiton {

// An OpenGL compatibility context drawing into an off-screen buffer: on Mesa
// with no display at all (EGL surfaceless), on Windows through a hidden
// window and a framebuffer object. Tests, tools and the headless
// game draw through it exactly as the windowed game does.
class OffscreenContext {
  public:
    // Null when no context could be made; why is in error().
    static std::unique_ptr<OffscreenContext> create(int width, int height, int depthBits = 24);
    static const std::string& error();

    ~OffscreenContext();
    OffscreenContext(const OffscreenContext&) = delete;
    OffscreenContext& operator=(const OffscreenContext&) = delete;

    bool makeCurrent();

    // Colour buffer as RGBA rows, top row first.
    std::vector<std::uint8_t> readPixels() const;

  private:
    OffscreenContext() = default;

    void* display = nullptr; // EGL: the display; Windows: the hidden window
    void* surface = nullptr; // EGL: the pbuffer; Windows: the window's device context
    void* context = nullptr;
#ifdef _WIN32
    unsigned framebuffer = 0, colourBuffer = 0, depthBuffer = 0; // what it draws into
#endif
    int width_ = 0;
    int height_ = 0;
};

} // namespace orbiton
