// SPDX-FileCopyrightText: 2026 The Orbiton 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// The platform the real game runs on: Win32 and WGL on Windows, SDL2 elsewhere.
#ifdef _WIN32
#include "platform/win32_platform.h"
namespace orbiton {
using GamePlatform = Win32Platform;
}
#else
#include "platform/sdl_platform.h"
namespace orbiton {
using GamePlatform = SdlPlatform;
}
#endif
