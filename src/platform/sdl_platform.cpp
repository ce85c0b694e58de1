// SPDX-FileCopyrightText: 2026 The Orbiton 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "platform/sdl_platform.h"
#include "platform/stop_signals.h"

#include <SDL.h>

#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <cerrno>
#include <cstddef>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "platform/font_rasteriser.h"
#include "platform/window_icon.h"

namespace orbiton {

namespace {

// SDL key codes to the game's virtual-key numbers; 0 for keys it ignores.
int virtualKey(SDL_Keycode k) {
    if (k >= SDLK_a && k <= SDLK_z)
        return 'A' + (k - SDLK_a);
    if (k >= SDLK_0 && k <= SDLK_9)
        return '0' + (k - SDLK_0);
    switch (k) {
    case SDLK_ESCAPE:
        return key::Escape;
    case SDLK_SPACE:
        return key::Space;
    case SDLK_KP_PLUS:
        return key::KeypadPlus;
    case SDLK_KP_MINUS:
        return key::KeypadMinus;
    default:
        return 0;
    }
}

} // namespace

SdlPlatform::~SdlPlatform() {
    closeWindow();
    shutdown();
}

namespace {

// When DISPLAY names an X server on this machine (":N", "unix:N"), whether it
// answers on its socket; the display and the system's reason when not. Asked
// before SDL, which would try other drivers first and say less.
std::string localDisplayProblem() {
    const char* display = std::getenv("DISPLAY");
    const char* wayland = std::getenv("WAYLAND_DISPLAY");
    const char* driver = std::getenv("SDL_VIDEODRIVER");
    if (!display || !*display || (wayland && *wayland) || (driver && std::strcmp(driver, "x11")))
        return "";
    const std::string name = display;
    const std::size_t colon = name.rfind(':');
    const std::string host = colon == std::string::npos ? "" : name.substr(0, colon);
    if (colon == std::string::npos || !(host.empty() || host == "unix"))
        return ""; // over the network: SDL says what it finds
    const std::string number = name.substr(colon + 1, name.find('.', colon) - colon - 1);
    if (number.empty() || number.find_first_not_of("0123456789") != std::string::npos)
        return "cannot open the display DISPLAY=" + name + ": not a display name";
    const std::string path = "/tmp/.X11-unix/X" + number;
    int error = 0;
    for (bool abstract : {true, false}) {
        const int fd = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
        if (fd < 0)
            return ""; // nothing to learn here; SDL tries for itself
        sockaddr_un addr{};
        addr.sun_family = AF_UNIX;
        // The abstract name (a leading zero byte) first, as X clients do.
        std::memcpy(addr.sun_path + (abstract ? 1 : 0), path.c_str(), path.size());
        const socklen_t len =
            socklen_t(offsetof(sockaddr_un, sun_path) + path.size() + (abstract ? 1 : 0));
        const bool connected = connect(fd, reinterpret_cast<sockaddr*>(&addr), len) == 0;
        error = errno;
        close(fd);
        if (connected)
            return "";
    }
    return "cannot open the display DISPLAY=" + name + ": " + std::strerror(error) + " (at " +
           path + ")";
}

} // namespace

bool SdlPlatform::initialise() {
    if (initialised)
        return true;
    const std::string displayProblem = localDisplayProblem();
    if (!displayProblem.empty()) {
        std::fprintf(stderr, "orbiton3d: %s\n", displayProblem.c_str());
        return false;
    }
    if (SDL_Init(SDL_INIT_VIDEO) != 0) {
        std::fprintf(stderr, "orbiton3d: %s\n", SDL_GetError());
        return false;
    }
    // With no display SDL falls back to drivers that show nothing (off-screen,
    // dummy): the game would run unseen. Only a user who names one gets it.
    const char* driver = SDL_GetCurrentVideoDriver();
    const char* asked = SDL_getenv("SDL_VIDEODRIVER");
    if (driver && (std::strcmp(driver, "offscreen") == 0 || std::strcmp(driver, "dummy") == 0) &&
        !(asked && std::strstr(asked, driver))) {
        std::fprintf(stderr,
                     "orbiton3d: no display to show the game on (SDL found only the "
                     "\"%s\" video driver; is DISPLAY or WAYLAND_DISPLAY set?)\n",
                     driver);
        SDL_Quit();
        return false;
    }
    initialised = true;
    return true;
}

void SdlPlatform::shutdown() {
    retireOldWindow();
    if (initialised)
        SDL_Quit();
    initialised = false;
}

bool SdlPlatform::desktopSize(int& width, int& height) {
    SDL_DisplayMode mode;
    if (SDL_GetDesktopDisplayMode(0, &mode) != 0)
        return false;
    width = mode.w;
    height = mode.h;
    return true;
}

bool SdlPlatform::openWindow(const std::string& title, int width, int height, bool fullscreen) {
    SDL_GL_ResetAttributes();
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_PROFILE_MASK, SDL_GL_CONTEXT_PROFILE_COMPATIBILITY);
    SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
    SDL_GL_SetAttribute(SDL_GL_RED_SIZE, 8);
    SDL_GL_SetAttribute(SDL_GL_GREEN_SIZE, 8);
    SDL_GL_SetAttribute(SDL_GL_BLUE_SIZE, 8);
    SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, 16);
    const Uint32 flags =
        SDL_WINDOW_OPENGL | (fullscreen ? SDL_WINDOW_FULLSCREEN_DESKTOP : SDL_WINDOW_RESIZABLE);
    window = SDL_CreateWindow(title.c_str(), 0, 0, width, height, flags);
    if (!window) {
        std::fprintf(stderr, "orbiton3d: %s\n", SDL_GetError());
        retireOldWindow();
        return false;
    }
    context = SDL_GL_CreateContext(window);
    if (!context || SDL_GL_MakeCurrent(window, context) != 0) {
        std::fprintf(stderr, "orbiton3d: %s\n", SDL_GetError());
        return false;
    }
    SDL_GL_SetSwapInterval(0); // no frame cap; may fail where there is no vsync
    setIcon();
    SDL_ShowWindow(window);
    if (oldWindow) {
        // The new window takes the keyboard from the old one, which kept it
        // (and so every key pressed) while this one was being made.
        SDL_RaiseWindow(window);
        SDL_SetWindowInputFocus(window);
    }
    retireOldWindow();
    // What came in while the window was being made is queued, stamped, first.
    SDL_PumpEvents();
    return true;
}

void SdlPlatform::setIcon() {
    const WindowIcon icon = windowIcon();
    if (icon.rgba.empty())
        return; // a window without its own icon still plays
    SDL_Surface* surface = SDL_CreateRGBSurfaceWithFormatFrom(
        const_cast<std::uint8_t*>(icon.rgba.data()), icon.width, icon.height, 32, icon.width * 4,
        SDL_PIXELFORMAT_RGBA32); // bytes R, G, B, A in memory
    if (!surface)
        return;
    SDL_SetWindowIcon(window, surface); // copies the pixels
    SDL_FreeSurface(surface);
}

void SdlPlatform::drawableSize(int& width, int& height) {
    if (window)
        SDL_GL_GetDrawableSize(window, &width, &height);
}

void SdlPlatform::closeWindow() {
    if (context) {
        SDL_GL_MakeCurrent(window, nullptr);
        SDL_GL_DeleteContext(context);
        context = nullptr;
    }
    // The window itself stays until the next one is up or the platform ends:
    // while a new one is made (a full-screen switch) it keeps the keyboard, so
    // no key pressed meanwhile goes to nobody.
    if (window) {
        retireOldWindow();
        oldWindow = window;
        window = nullptr;
    }
}

void SdlPlatform::retireOldWindow() {
    if (!oldWindow)
        return;
    // What the window system still holds for the old window is dropped with
    // it: take it into SDL's queue first, where it waits for the game.
    SDL_PumpEvents();
    SDL_DestroyWindow(oldWindow);
    oldWindow = nullptr;
}

bool SdlPlatform::enterFullscreenMode(int width, int height) {
    // Full screen runs at the desktop's own mode: nothing to change, only to check.
    int w, h;
    return desktopSize(w, h) && w == width && h == height;
}

bool SdlPlatform::pollEvent(PlatformEvent& event) {
    if (stopSignal == 0 && (stopSignal = takeStopSignal()) != 0) {
        event.type = PlatformEvent::Type::Quit;
        return true;
    }
    if (quitPosted) {
        quitPosted = false;
        event.type = PlatformEvent::Type::Quit;
        return true;
    }
    if (waitingKey != 0) {
        if (pressedThisFrame.count(waitingKey))
            return false; // its frame has not begun; what follows it waits too
        event.type = PlatformEvent::Type::KeyDown;
        event.key = waitingKey;
        pressedThisFrame.insert(waitingKey);
        waitingKey = 0;
        return true;
    }
    SDL_Event e;
    while (SDL_PollEvent(&e)) {
        switch (e.type) {
        case SDL_QUIT:
            event.type = PlatformEvent::Type::Close;
            return true;
        case SDL_WINDOWEVENT:
            if (e.window.event == SDL_WINDOWEVENT_SIZE_CHANGED && window) {
                event.type = PlatformEvent::Type::Size;
                SDL_GL_GetDrawableSize(window, &event.width, &event.height);
                return true;
            }
            break;
        case SDL_KEYDOWN:
        case SDL_KEYUP:
            event.type =
                e.type == SDL_KEYDOWN ? PlatformEvent::Type::KeyDown : PlatformEvent::Type::KeyUp;
            event.key = virtualKey(e.key.keysym.sym);
            if (e.type == SDL_KEYDOWN) {
                // Auto-repeat arrives as further key-downs, as the game
                // expects, but only while the key is down and once a frame:
                // repeats queue up behind a slow frame (a full-screen switch
                // takes longer than the repeat interval) and would go on long
                // after the player let go. A real second press in one frame
                // is not lost but waits for the next.
                if (e.key.repeat != 0 && !SDL_GetKeyboardState(nullptr)[e.key.keysym.scancode])
                    break;
                if (event.key != 0 && pressedThisFrame.count(event.key)) {
                    if (e.key.repeat != 0)
                        break;
                    waitingKey = event.key;
                    return false;
                }
                pressedThisFrame.insert(event.key);
            }
            if (event.key != 0)
                return true;
            break;
        case SDL_MOUSEBUTTONDOWN:
            if (e.button.button == SDL_BUTTON_LEFT) {
                event.type = PlatformEvent::Type::LeftButtonDown;
                return true;
            }
            break;
        case SDL_MOUSEMOTION:
            motionX += e.motion.xrel;
            motionY += e.motion.yrel;
            break;
        default:
            break;
        }
    }
    return false;
}

void SdlPlatform::postQuit() {
    quitPosted = true;
}

void SdlPlatform::swapBuffers() {
    if (window)
        SDL_GL_SwapWindow(window);
    pressedThisFrame.clear();
}

std::uint32_t SdlPlatform::ticks() {
    return SDL_GetTicks();
}

int SdlPlatform::showCursor(bool show) {
    cursorCounter += show ? 1 : -1;
    SDL_ShowCursor(cursorCounter >= 0 ? SDL_ENABLE : SDL_DISABLE);
    return cursorCounter;
}

void SdlPlatform::captureMouse(bool captured) {
    relative = captured && SDL_SetRelativeMouseMode(captured ? SDL_TRUE : SDL_FALSE) == 0;
    if (!captured)
        SDL_SetRelativeMouseMode(SDL_FALSE);
    motionX = motionY = 0;
}

void SdlPlatform::cursorPosition(int& x, int& y) {
    if (relative) {
        x = warpX + motionX;
        y = warpY + motionY;
    } else {
        SDL_GetMouseState(&x, &y); // the window sits at the screen's origin
    }
}

void SdlPlatform::warpCursor(int x, int y) {
    warpX = x;
    warpY = y;
    motionX = motionY = 0;
    if (!relative && window)
        SDL_WarpMouseInWindow(window, x, y);
}

void SdlPlatform::messageBox(const std::string& text, const std::string& caption) {
    std::fprintf(stderr, "%s: %s\n", caption.c_str(), text.c_str());
    SDL_ShowSimpleMessageBox(SDL_MESSAGEBOX_ERROR, caption.c_str(), text.c_str(), nullptr);
}

std::vector<Glyph> SdlPlatform::overlayGlyphs() {
    return overlayFont();
}

} // namespace orbiton
