// SPDX-FileCopyrightText: 2026 The Orbiton 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "platform/headless_platform.h"
#include "platform/stop_signals.h"

#include "platform/gl.h"

#include <cmath>
#include <cstdio>
#include <sstream>

#include "platform/font_rasteriser.h"

namespace orbiton {

HeadlessPlatform::HeadlessPlatform(const Options& options_)
    : options(options_), clock(options_.startTicks) {}

HeadlessPlatform::~HeadlessPlatform() = default;

int HeadlessPlatform::keyByName(const std::string& name) {
    static const std::map<std::string, int> keys = {{"escape", key::Escape},
                                                    {"r", key::R},
                                                    {"f", key::F},
                                                    {"s", key::S},
                                                    {"o", key::O},
                                                    {"p", key::P},
                                                    {"m", key::M},
                                                    {"space", key::Space},
                                                    {"kp_plus", key::KeypadPlus},
                                                    {"kp_minus", key::KeypadMinus}};
    auto it = keys.find(name);
    return it == keys.end() ? 0 : it->second;
}

void HeadlessPlatform::scriptKey(long frame, int virtualKey, bool down) {
    Scripted s{Scripted::Kind::Event, {}, 0, 0};
    s.event.type = down ? PlatformEvent::Type::KeyDown : PlatformEvent::Type::KeyUp;
    s.event.key = virtualKey;
    script.emplace(frame, s);
}

void HeadlessPlatform::scriptMouse(long frame, int dx, int dy) {
    script.emplace(frame, Scripted{Scripted::Kind::Mouse, {}, dx, dy});
}

void HeadlessPlatform::scriptClick(long frame) {
    Scripted s{Scripted::Kind::Event, {}, 0, 0};
    s.event.type = PlatformEvent::Type::LeftButtonDown;
    script.emplace(frame, s);
}

void HeadlessPlatform::scriptClose(long frame) {
    Scripted s{Scripted::Kind::Event, {}, 0, 0};
    s.event.type = PlatformEvent::Type::Close;
    script.emplace(frame, s);
}

void HeadlessPlatform::scriptResize(long frame, int w, int h) {
    Scripted s{Scripted::Kind::Event, {}, 0, 0};
    s.event.type = PlatformEvent::Type::Size;
    s.event.width = w;
    s.event.height = h;
    script.emplace(frame, s);
}

bool HeadlessPlatform::loadScript(std::istream& in, std::string& error) {
    std::string line;
    for (int number = 1; std::getline(in, line); ++number) {
        std::istringstream words(line);
        std::string first;
        if (!(words >> first) || first[0] == '#')
            continue;
        auto fail = [&](const std::string& why) {
            error = "line " + std::to_string(number) + ": " + why;
            return false;
        };
        long frame;
        try {
            std::size_t used = 0;
            frame = std::stol(first, &used);
            if (used != first.size() || frame < 1)
                return fail("a line starts with a frame number of 1 or more");
        } catch (const std::exception&) {
            return fail("a line starts with a frame number of 1 or more");
        }
        std::string what, name, state, extra;
        words >> what;
        if (what == "key") {
            words >> name >> state;
            const int k = keyByName(name);
            if (k == 0)
                return fail("unknown key \"" + name + "\"");
            if (state != "down" && state != "up")
                return fail("a key is \"down\" or \"up\"");
            scriptKey(frame, k, state == "down");
        } else if (what == "mouse") {
            int dx, dy;
            if (!(words >> dx >> dy))
                return fail("mouse needs DX and DY");
            scriptMouse(frame, dx, dy);
        } else if (what == "click") {
            scriptClick(frame);
        } else if (what == "close") {
            scriptClose(frame);
        } else {
            return fail("expected key, mouse, click or close");
        }
        if (words >> extra)
            return fail("unexpected \"" + extra + "\"");
    }
    return true;
}

bool HeadlessPlatform::initialise() {
    return !options.failInitialise;
}

bool HeadlessPlatform::desktopSize(int& w, int& h) {
    w = options.desktopWidth;
    h = options.desktopHeight;
    return true;
}

bool HeadlessPlatform::openWindow(const std::string&, int w, int h, bool fs) {
    if (options.failWindow)
        return false;
    if (!fs && options.windowWidth > 0 && options.windowHeight > 0) {
        // Like a window manager that sizes the window itself: the game hears
        // of it through the size message.
        w = options.windowWidth;
        h = options.windowHeight;
    }
    context = OffscreenContext::create(w, h, options.depthBits);
    if (!context)
        return false;
    width = w;
    height = h;
    ++opened;
    if (!fs) {
        PlatformEvent size;
        size.type = PlatformEvent::Type::Size;
        size.width = w;
        size.height = h;
        queue.push_front(size);
    }
    return true;
}

void HeadlessPlatform::drawableSize(int& w, int& h) {
    w = width;
    h = height;
}

void HeadlessPlatform::closeWindow() {
    context.reset();
}

bool HeadlessPlatform::enterFullscreenMode(int, int) {
    return !options.failFullscreen;
}

bool HeadlessPlatform::pollEvent(PlatformEvent& event) {
    if (stopSignal == 0 && (stopSignal = takeStopSignal()) != 0) {
        event.type = PlatformEvent::Type::Quit;
        return true;
    }
    // Script lines for the coming frame join the queue before it runs.
    const long coming = swaps + 1;
    for (auto it = script.begin(); it != script.end() && it->first <= coming;) {
        if (it->second.kind == Scripted::Kind::Mouse) {
            cursorX += it->second.dx;
            cursorY += it->second.dy;
        } else {
            queue.push_back(it->second.event);
        }
        it = script.erase(it);
    }
    if (queue.empty())
        return false;
    event = queue.front();
    queue.pop_front();
    return true;
}

void HeadlessPlatform::postQuit() {
    if (quitPosted)
        return;
    quitPosted = true;
    PlatformEvent quit;
    quit.type = PlatformEvent::Type::Quit;
    queue.push_back(quit);
}

void HeadlessPlatform::swapBuffers() {
    if (context) {
        glFinish();
        if (options.captureLastFrame && (options.frames == 0 || swaps + 1 >= options.frames))
            lastPixels = context->readPixels();
    }
    ++swaps;
    // Whole milliseconds, the remainder carried: 1/60 s gives 17, 17, 16, ...
    const double exact = options.frameSeconds * 1000.0 + carry;
    const double step = std::ceil(exact - 1e-6);
    carry = exact - step;
    clock += std::uint32_t(std::int64_t(step));
    if (options.frames > 0 && swaps >= options.frames)
        postQuit();
}

int HeadlessPlatform::showCursor(bool show) {
    cursorCounter += show ? 1 : -1;
    return cursorCounter;
}

void HeadlessPlatform::cursorPosition(int& x, int& y) {
    x = cursorX;
    y = cursorY;
}

void HeadlessPlatform::warpCursor(int x, int y) {
    cursorX = x;
    cursorY = y;
}

void HeadlessPlatform::messageBox(const std::string& text, const std::string& caption) {
    std::fprintf(stderr, "%s: %s\n", caption.c_str(), text.c_str());
    shownMessages.push_back(caption + ": " + text);
}

std::vector<Glyph> HeadlessPlatform::overlayGlyphs() {
    return overlayFont();
}

} // namespace orbiton
