// SPDX-FileCopyrightText: 2026 The Orbiton 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace orbiton {

// Writes RGBA rows (top row first) as a PNG. False when any of it could not
// be written, with the system's reason in why when asked for.
bool writePng(const std::string& path, int width, int height, const std::vector<std::uint8_t>& rgba,
              std::string* why = nullptr);

} // namespace orbiton
