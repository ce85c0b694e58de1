// SPDX-FileCopyrightText: 2026 The Orbiton 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <cstdint>
#include <vector>

namespace orbiton {

// The game's own icon, the menu icon's 48-pixel picture, built into the
// program so that a window shows it wherever the game was started from.
struct WindowIcon {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> rgba; // top row first; empty if it could not be read
};

WindowIcon windowIcon();

} // namespace orbiton
