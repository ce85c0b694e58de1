// SPDX-FileCopyrightText: 2026 The Orbiton 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <deque>

#include "platform/platform.h"

namespace orbiton {

// The game's platform on Windows: a window class and a window, a WGL context
// with a 16-bit depth buffer and double buffering, full screen at the
// desktop's size, the message loop, keys by their virtual-key codes, the
// mouse's motion through Raw Input while captured, the tick counter and
// message boxes.
class Win32Platform : public Platform {
  public:
    Win32Platform() = default;
    ~Win32Platform() override;

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
    // The window procedure's work: true when the message was the game's.
    // Only the window procedure (win32_platform.cpp) hands messages in.
    friend struct WindowMessages;
    bool handleMessage(unsigned message, std::uintptr_t wParam, std::intptr_t lParam);

    void retireOldWindow();

    void* instance = nullptr;
    void* window = nullptr;    // HWND
    void* oldWindow = nullptr; // closed, still holding the keyboard
    void* deviceContext = nullptr;
    void* context = nullptr; // HGLRC
    bool classRegistered = false;
    bool fullscreenMode = false;
    bool quitPosted = false;
    bool captured = false;
    int cursorCounter = 0;
    // While captured the pointer stays put; Raw Input's motion since the
    // last warp stands in for the cursor's offset from the warp point.
    int warpX = 0, warpY = 0;
    int motionX = 0, motionY = 0;
    std::deque<PlatformEvent> pending;
};

} // namespace orbiton
