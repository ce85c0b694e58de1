// SPDX-FileCopyrightText: 2026 The Orbiton 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// Windows' own API, for the platform's Windows files alone: the game's other
// files never see it (its macros would take names such as ERROR or IN).
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
// windows.h defines these two words away; the game uses them as names.
#undef near
#undef far
