// SPDX-FileCopyrightText: 2026 The Orbiton 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <set>

#include "platform/platform.h"

struct SDL_Window;

namespace orbiton {

// The real game's platform: an SDL2 window with a legacy (compatibility) GL
// context, 16-bit depth buffer and double buffering.
class SdlPlatform : public Platform {
  public:
    SdlPlatform() = default;
    ~SdlPlatform() override;

    bool initialise() override;
    void shutdown() override;
    bool desktopSize(int& width, int& height) override;
    bool openWindow(const std::string& title, int width, int height, bool fullscreen) override;
    void drawableSize(int& width, int& height) override;
    void closeWindow() override;
    bool enterFullscreenMode(int width, int height) override;
    bool pollEvent(PlatformEvent& event) override;
    void postQuit() override;
    void swapBuffers() override;
    std::uint32_t ticks() override;
    int showCursor(bool show) override;
    void captureMouse(bool captured) override;
    void cursorPosition(int& x, int& y) override;
    void warpCursor(int x, int y) override;
    void messageBox(const std::string& text, const std::string& caption) override;
    std::vector<Glyph> overlayGlyphs() override;

  private:
    // The window's own icon (the menu icon's picture).
    void setIcon();
    // Destroys the window closeWindow left standing, its pending input kept.
    void retireOldWindow();
    SDL_Window* window = nullptr;
    SDL_Window* oldWindow = nullptr; // closed, still holding the keyboard
    void* context = nullptr;
    bool initialised = false;
    bool quitPosted = false;
    int cursorCounter = 0;
    // In relative mode the pointer stays put; its motion since the last
    // warp stands in for the cursor's offset from the warp point.
    bool relative = false;
    int warpX = 0, warpY = 0;
    int motionX = 0, motionY = 0;
    std::set<int> pressedThisFrame; // keys whose press counted since the last frame
    int waitingKey = 0;             // a second press of one key in a frame, for the next
};

} // namespace orbiton
