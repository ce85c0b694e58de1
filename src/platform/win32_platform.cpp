// SPDX-FileCopyrightText: 2026 The Orbiton 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "platform/win32_platform.h"

#include "platform/gl.h"
#include "platform/windows_api.h"

#include <cstdio>
#include <string>

#include "platform/font_rasteriser.h"

namespace orbiton {

namespace {

const wchar_t* const kClassName = L"orbn";

std::wstring wide(const std::string& utf8) {
    if (utf8.empty())
        return L"";
    const int n = MultiByteToWideChar(CP_UTF8, 0, utf8.c_str(), int(utf8.size()), nullptr, 0);
    std::wstring w(std::size_t(n), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8.c_str(), int(utf8.size()), w.data(), n);
    return w;
}

} // namespace

// The window procedure's way in to the platform's message handler.
struct WindowMessages {
    static bool handle(Win32Platform& p, UINT message, WPARAM wParam, LPARAM lParam) {
        return p.handleMessage(message, wParam, lParam);
    }
};

namespace {

Win32Platform* owner(HWND hwnd) {
    return reinterpret_cast<Win32Platform*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
}

LRESULT CALLBACK windowProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, LONG_PTR(create->lpCreateParams));
    }
    Win32Platform* p = owner(hwnd);
    if (p && WindowMessages::handle(*p, message, wParam, lParam))
        return 0;
    return DefWindowProcW(hwnd, message, wParam, lParam);
}

// The program's icon at a size the system asks for: the resource holds each
// size drawn, so none is scaled from another here.
HICON programIcon(HINSTANCE instance, int sizeMetric) {
    const int size = GetSystemMetrics(sizeMetric);
    return HICON(
        LoadImageW(instance, MAKEINTRESOURCEW(1), IMAGE_ICON, size, size, LR_DEFAULTCOLOR));
}

} // namespace

Win32Platform::~Win32Platform() {
    closeWindow();
    shutdown();
}

bool Win32Platform::initialise() {
    if (classRegistered)
        return true;
    instance = GetModuleHandleW(nullptr);
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.style = CS_HREDRAW | CS_VREDRAW | CS_OWNDC;
    wc.lpfnWndProc = windowProcedure;
    wc.hInstance = HINSTANCE(instance);
    wc.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512)); // the arrow
    wc.hIcon = programIcon(HINSTANCE(instance), SM_CXICON);
    wc.hIconSm = programIcon(HINSTANCE(instance), SM_CXSMICON);
    wc.lpszClassName = kClassName;
    if (!RegisterClassExW(&wc)) {
        std::fprintf(stderr, "orbiton3d: cannot register the window class (error %lu)\n",
                     GetLastError());
        return false;
    }
    classRegistered = true;
    return true;
}

void Win32Platform::shutdown() {
    retireOldWindow();
    if (classRegistered)
        UnregisterClassW(kClassName, HINSTANCE(instance));
    classRegistered = false;
}

bool Win32Platform::desktopSize(int& width, int& height) {
    width = GetSystemMetrics(SM_CXSCREEN);
    height = GetSystemMetrics(SM_CYSCREEN);
    return width > 0 && height > 0;
}

bool Win32Platform::openWindow(const std::string& title, int width, int height, bool fullscreen) {
    // Full screen is a borderless window over the whole desktop at its own
    // mode; a window has the client size asked for.
    DWORD style = fullscreen ? WS_POPUP : WS_OVERLAPPEDWINDOW;
    RECT r{0, 0, width, height};
    AdjustWindowRectEx(&r, style, FALSE, 0);
    // At the screen's origin, as on the other systems.
    HWND hwnd = CreateWindowExW(0, kClassName, wide(title).c_str(),
                                style | WS_CLIPSIBLINGS | WS_CLIPCHILDREN, 0, 0, r.right - r.left,
                                r.bottom - r.top, nullptr, nullptr, HINSTANCE(instance), this);
    if (!hwnd) {
        std::fprintf(stderr, "orbiton3d: cannot create the window (error %lu)\n", GetLastError());
        retireOldWindow();
        return false;
    }
    window = hwnd;
    HDC dc = GetDC(hwnd);
    deviceContext = dc;
    PIXELFORMATDESCRIPTOR pfd{};
    pfd.nSize = sizeof pfd;
    pfd.nVersion = 1;
    pfd.dwFlags = PFD_DRAW_TO_WINDOW | PFD_SUPPORT_OPENGL | PFD_DOUBLEBUFFER;
    pfd.iPixelType = PFD_TYPE_RGBA;
    pfd.cColorBits = 32;
    pfd.cDepthBits = 16;
    pfd.iLayerType = PFD_MAIN_PLANE;
    const int format = ChoosePixelFormat(dc, &pfd);
    if (format == 0 || !SetPixelFormat(dc, format, &pfd)) {
        std::fprintf(stderr, "orbiton3d: no pixel format for OpenGL (error %lu)\n", GetLastError());
        return false;
    }
    HGLRC rc = wglCreateContext(dc);
    if (!rc || !wglMakeCurrent(dc, rc)) {
        std::fprintf(stderr, "orbiton3d: cannot make the OpenGL context (error %lu)\n",
                     GetLastError());
        if (rc)
            wglDeleteContext(rc);
        return false;
    }
    context = rc;
    if (!loadGlFunctions())
        std::fprintf(stderr, "orbiton3d: the OpenGL driver lacks vertex buffers\n");
    fullscreenMode = fullscreen;
    ShowWindow(hwnd, SW_SHOW);
    SetForegroundWindow(hwnd);
    SetFocus(hwnd);
    retireOldWindow();
    return true;
}

void Win32Platform::drawableSize(int& width, int& height) {
    RECT r{};
    if (window && GetClientRect(HWND(window), &r)) {
        width = r.right - r.left;
        height = r.bottom - r.top;
    }
}

void Win32Platform::closeWindow() {
    if (context) {
        wglMakeCurrent(nullptr, nullptr);
        wglDeleteContext(HGLRC(context));
        context = nullptr;
    }
    if (deviceContext && window)
        ReleaseDC(HWND(window), HDC(deviceContext));
    deviceContext = nullptr;
    // The window stays until the next one is up or the platform ends, so
    // that it keeps the keyboard through a full-screen switch.
    if (window) {
        retireOldWindow();
        oldWindow = window;
        window = nullptr;
    }
}

void Win32Platform::retireOldWindow() {
    if (!oldWindow)
        return;
    // Keys the old window still holds go to the game's queue first.
    MSG msg;
    while (PeekMessageW(&msg, HWND(oldWindow), 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    SetWindowLongPtrW(HWND(oldWindow), GWLP_USERDATA, 0);
    DestroyWindow(HWND(oldWindow));
    oldWindow = nullptr;
}

bool Win32Platform::enterFullscreenMode(int width, int height) {
    // Full screen runs at the desktop's own mode; ask the display whether it
    // can show that mode, as changing to it would.
    DEVMODEW mode{};
    mode.dmSize = sizeof mode;
    mode.dmPelsWidth = DWORD(width);
    mode.dmPelsHeight = DWORD(height);
    mode.dmBitsPerPel = 32;
    mode.dmFields = DM_PELSWIDTH | DM_PELSHEIGHT | DM_BITSPERPEL;
    return ChangeDisplaySettingsW(&mode, CDS_TEST) == DISP_CHANGE_SUCCESSFUL;
}

bool Win32Platform::handleMessage(unsigned message, std::uintptr_t wParam, std::intptr_t lParam) {
    PlatformEvent e;
    switch (message) {
    case WM_CLOSE:
        e.type = PlatformEvent::Type::Close;
        pending.push_back(e);
        return true;
    case WM_SIZE:
        e.type = PlatformEvent::Type::Size;
        e.width = LOWORD(lParam);
        e.height = HIWORD(lParam);
        pending.push_back(e);
        return false;
    case WM_KEYDOWN:
    case WM_KEYUP:
        // Auto-repeat arrives as further key-downs, as the game expects.
        e.type = message == WM_KEYDOWN ? PlatformEvent::Type::KeyDown : PlatformEvent::Type::KeyUp;
        e.key = int(wParam);
        pending.push_back(e);
        return true;
    case WM_LBUTTONDOWN:
        e.type = PlatformEvent::Type::LeftButtonDown;
        pending.push_back(e);
        return true;
    case WM_INPUT: {
        RAWINPUT raw;
        UINT size = sizeof raw;
        if (GetRawInputData(HRAWINPUT(lParam), RID_INPUT, &raw, &size, sizeof(RAWINPUTHEADER)) !=
                UINT(-1) &&
            raw.header.dwType == RIM_TYPEMOUSE && !(raw.data.mouse.usFlags & MOUSE_MOVE_ABSOLUTE)) {
            motionX += raw.data.mouse.lLastX;
            motionY += raw.data.mouse.lLastY;
        }
        return false; // DefWindowProc cleans up after WM_INPUT
    }
    default:
        return false;
    }
}

bool Win32Platform::pollEvent(PlatformEvent& event) {
    if (quitPosted) {
        quitPosted = false;
        event.type = PlatformEvent::Type::Quit;
        return true;
    }
    MSG msg;
    while (pending.empty() && PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            event.type = PlatformEvent::Type::Quit;
            return true;
        }
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    if (pending.empty())
        return false;
    event = pending.front();
    pending.pop_front();
    return true;
}

void Win32Platform::postQuit() {
    quitPosted = true;
}

void Win32Platform::swapBuffers() {
    if (deviceContext)
        SwapBuffers(HDC(deviceContext));
}

std::uint32_t Win32Platform::ticks() {
    return GetTickCount();
}

int Win32Platform::showCursor(bool show) {
    cursorCounter = ShowCursor(show ? TRUE : FALSE);
    return cursorCounter;
}

void Win32Platform::captureMouse(bool capture) {
    // Raw Input reports the mouse's own motion, which re-centring the cursor
    // does not: under some systems warping counts as motion again.
    RAWINPUTDEVICE device{};
    device.usUsagePage = 0x01; // generic desktop
    device.usUsage = 0x02;     // mouse
    device.dwFlags = capture ? 0 : RIDEV_REMOVE;
    device.hwndTarget = capture ? HWND(window) : nullptr;
    RegisterRawInputDevices(&device, 1, sizeof device);
    if (capture && window)
        SetCapture(HWND(window));
    else
        ReleaseCapture();
    captured = capture;
    motionX = motionY = 0;
}

void Win32Platform::cursorPosition(int& x, int& y) {
    if (captured) {
        x = warpX + motionX;
        y = warpY + motionY;
        return;
    }
    POINT p{};
    GetCursorPos(&p);
    if (window)
        ScreenToClient(HWND(window), &p);
    x = p.x;
    y = p.y;
}

void Win32Platform::warpCursor(int x, int y) {
    warpX = x;
    warpY = y;
    motionX = motionY = 0;
    if (window) {
        POINT p{x, y};
        ClientToScreen(HWND(window), &p);
        SetCursorPos(p.x, p.y);
    }
}

void Win32Platform::messageBox(const std::string& text, const std::string& caption) {
    std::fprintf(stderr, "%s: %s\n", caption.c_str(), text.c_str());
    MessageBoxW(HWND(window), wide(text).c_str(), wide(caption).c_str(), MB_OK | MB_ICONERROR);
}

std::vector<Glyph> Win32Platform::overlayGlyphs() {
    return overlayFont();
}

} // namespace orbiton
