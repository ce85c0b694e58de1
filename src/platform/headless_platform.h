// SPDX-FileCopyrightText: 2026 The Orbiton 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <deque>
#include <istream>
#include <map>
#include <memory>
#include <string>

#include "platform/offscreen_context.h"
#include "platform/platform.h"

namespace orbiton {

// A platform without a display: input comes from a script keyed by frame
// number, time advances by a fixed step per frame, and drawing goes to an
// off-screen Mesa context. The real App and frame loop run on it unchanged.
class HeadlessPlatform : public Platform {
  public:
    struct Options {
        int desktopWidth = 1920;
        int desktopHeight = 1080;
        int windowWidth = 0; // a window this size whatever the game asks; 0: as asked
        int windowHeight = 0;
        double frameSeconds = 1.0 / 60; // advance of the clock per drawn frame
        long frames = 0;                // quit after this many frames; 0: never
        std::uint32_t startTicks = 0;
        bool failInitialise = false; // to exercise the game's failure paths
        bool failWindow = false;
        bool failFullscreen = false;
        bool captureLastFrame = false;
        // Bits of the depth buffer: 24, as the windowed game gets under X;
        // 16, the least the game asks for, as some drivers give it.
        int depthBits = 24;
    };

    explicit HeadlessPlatform(const Options& options);
    ~HeadlessPlatform() override;

    // Input for frame number `frame` (1 is the first drawn frame), delivered
    // before that frame runs.
    void scriptKey(long frame, int virtualKey, bool down);
    void scriptMouse(long frame, int dx, int dy);
    void scriptClick(long frame);
    void scriptClose(long frame);
    void scriptResize(long frame, int width, int height);
    // Reads "FRAME key NAME down|up", "FRAME mouse DX DY", "FRAME click",
    // "FRAME close" lines ('#' comments and blank lines allowed). On an error,
    // false with the line number and reason in error.
    bool loadScript(std::istream& in, std::string& error);
    // The virtual-key number of a script key name (escape, r, f, s, o, p, m,
    // space, kp_plus, kp_minus), or 0.
    static int keyByName(const std::string& name);

    long framesDrawn() const { return swaps; }
    // The last frame the script gives input for (0 with no script).
    long lastScriptedFrame() const { return script.empty() ? 0 : script.rbegin()->first; }
    int cursorCount() const { return cursorCounter; }
    bool windowOpen() const { return context != nullptr; }
    int windowWidth() const { return width; }
    int windowHeight() const { return height; }
    const std::vector<std::string>& messages() const { return shownMessages; }
    // Colour of the last frame drawn when captureLastFrame is set (RGBA, top row first).
    const std::vector<std::uint8_t>& lastFrame() const { return lastPixels; }
    int windowsOpened() const { return opened; }

    bool initialise() override;
    void shutdown() override {}
    bool desktopSize(int& w, int& h) override;
    bool openWindow(const std::string& title, int w, int h, bool fullscreen) override;
    void drawableSize(int& w, int& h) override;
    void closeWindow() override;
    bool enterFullscreenMode(int w, int h) override;
    bool pollEvent(PlatformEvent& event) override;
    void postQuit() override;
    void swapBuffers() override;
    std::uint32_t ticks() override { return clock; }
    int showCursor(bool show) override;
    void captureMouse(bool) override {}
    void cursorPosition(int& x, int& y) override;
    void warpCursor(int x, int y) override;
    void messageBox(const std::string& text, const std::string& caption) override;
    std::vector<Glyph> overlayGlyphs() override;

  private:
    struct Scripted {
        enum class Kind { Event, Mouse } kind;
        PlatformEvent event;
        int dx = 0, dy = 0;
    };

    Options options;
    std::multimap<long, Scripted> script;
    std::deque<PlatformEvent> queue;
    std::unique_ptr<OffscreenContext> context;
    int width = 0, height = 0;
    long swaps = 0;
    std::uint32_t clock;
    double carry = 0; // milliseconds owed to or by the clock
    int cursorCounter = 0;
    int cursorX = 0, cursorY = 0;
    bool quitPosted = false;
    int opened = 0;
    std::vector<std::string> shownMessages;
    std::vector<std::uint8_t> lastPixels;
};

} // namespace orbiton
