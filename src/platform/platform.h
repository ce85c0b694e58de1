// SPDX-FileCopyrightText: 2026 The Orbiton 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// What the game asks of the window system, the context and the fonts. The
// App talks only to this; the real game drives SDL2 (Linux) or Win32 and
// WGL (Windows), and a headless one scripts input and time and draws
// off-screen.

#include <cstdint>
#include <string>
#include <vector>

namespace orbiton {

// Virtual-key numbers the game's keys arrive as.
namespace key {
constexpr int Escape = 0x1B;
constexpr int Space = 0x20;
constexpr int F = 0x46;
constexpr int M = 0x4D;
constexpr int O = 0x4F;
constexpr int P = 0x50;
constexpr int R = 0x52;
constexpr int S = 0x53;
constexpr int KeypadPlus = 0x6B;
constexpr int KeypadMinus = 0x6D;
} // namespace key

struct PlatformEvent {
    enum class Type { Size, Close, KeyDown, KeyUp, LeftButtonDown, Quit };
    Type type = Type::Quit;
    int width = 0;  // Size
    int height = 0; // Size
    int key = 0;    // KeyDown, KeyUp: a virtual-key number
};

// One glyph as glBitmap takes it: 1-bit rows, bottom row first, each row
// padded to whole bytes.
struct Glyph {
    int width = 0;
    int height = 0;
    float xorig = 0;
    float yorig = 0;
    float advance = 0;
    std::vector<std::uint8_t> bits;
};

class Platform {
  public:
    virtual ~Platform() = default;

    // Start and stop the window system: whatever a platform must set up once
    // before it can open a window, and take down after the last one.
    virtual bool initialise() = 0;
    virtual void shutdown() = 0;

    // The desktop's size; false when it cannot be read.
    virtual bool desktopSize(int& width, int& height) = 0;
    // Opens the window (full screen at width x height, or a window with that
    // client size at the screen's origin) with a double-buffered RGBA
    // compatibility GL context, made current. False on any failure.
    virtual bool openWindow(const std::string& title, int width, int height, bool fullscreen) = 0;
    // The size the open window's drawable really has (a window manager may
    // have had its say).
    virtual void drawableSize(int& width, int& height) = 0;
    // Releases the context and the window; harmless when none is open.
    virtual void closeWindow() = 0;
    // Whether the display can show full screen at that size (full screen runs
    // at the desktop's own mode, so closing the window is all that leaving takes).
    virtual bool enterFullscreenMode(int width, int height) = 0;

    // The next pending event without waiting; false when there is none. A
    // stop signal arrives as Quit, and stays in stopSignal.
    virtual bool pollEvent(PlatformEvent& event) = 0;
    // Queues a Quit event.
    virtual void postQuit() = 0;
    virtual void swapBuffers() = 0;
    // Milliseconds from an arbitrary start, wrapping at 2^32.
    virtual std::uint32_t ticks() = 0;

    // A display counter: the cursor is visible while it is at least 0, so
    // that nested hide and show calls pair up. Returns the new count.
    virtual int showCursor(bool show) = 0;
    // While captured the pointer's motion is gathered even where the system
    // will not let a program move the pointer.
    virtual void captureMouse(bool captured) = 0;
    // Cursor position in the window's own pixels (x right, y down from its
    // top left corner), and a move of it.
    virtual void cursorPosition(int& x, int& y) = 0;
    virtual void warpCursor(int x, int y) = 0;

    // Shows text in a box with a caption (and on stderr).
    virtual void messageBox(const std::string& text, const std::string& caption) = 0;

    // Glyphs for the codes 32..127 of a bold sans-serif at a 40-pixel cell;
    // empty when no font could be loaded.
    virtual std::vector<Glyph> overlayGlyphs() = 0;

    // The stop signal (SIGTERM and the like) that ended the run; 0 when none did.
    int stopSignal = 0;
};

} // namespace orbiton
