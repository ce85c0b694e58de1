// SPDX-FileCopyrightText: 2026 The Orbiton 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "platform/sdl_platform.h"

#include <SDL.h>

#include <cstdio>
#include <cstring>

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

bool SdlPlatform::initialise() {
    if (initialised)
        return true;
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
    if (window) {
        SDL_DestroyWindow(window);
        window = nullptr;
    }
}

bool SdlPlatform::enterFullscreenMode(int width, int height) {
    // Full screen runs at the desktop's own mode: nothing to change, only to check.
    int w, h;
    return desktopSize(w, h) && w == width && h == height;
}

bool SdlPlatform::pollEvent(PlatformEvent& event) {
    if (quitPosted) {
        quitPosted = false;
        event.type = PlatformEvent::Type::Quit;
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
            // Auto-repeat arrives as further key-downs, as the game expects.
            event.type =
                e.type == SDL_KEYDOWN ? PlatformEvent::Type::KeyDown : PlatformEvent::Type::KeyUp;
            event.key = virtualKey(e.key.keysym.sym);
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
