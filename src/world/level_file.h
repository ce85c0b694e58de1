// SPDX-FileCopyrightText: 2026 The Orbiton 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <cstdint>
#include <fstream>
#include <string>

namespace orbiton {

// Level files are small text; anything larger is not a level.
constexpr std::uintmax_t kMaxLevelFileBytes = 16u << 20;

// Opens a level file for reading. Only a regular file of at most
// kMaxLevelFileBytes is opened: a directory, device, FIFO or socket would
// throw, never end or block on the first read. On failure file stays closed,
// why says what is wrong ("No such file or directory", "is a directory", ...)
// and missing is set when there is simply no file by that name.
bool openLevelFile(const std::string& path, std::ifstream& file, std::string& why, bool& missing);

} // namespace orbiton
