// SPDX-FileCopyrightText: 2026 The Orbiton 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <string>
#include <vector>

// What the program starts with: its own path and its arguments.
namespace orbiton {

// Paths and arguments are UTF-8 text throughout the game; files are opened
// through std::filesystem::u8path, so that names in any script work on every
// system.

// The full path of the running program, or empty where it cannot be found.
std::string executablePath();

// The arguments after the program's name, as UTF-8.
std::vector<std::string> commandArguments(int argc, char** argv);

} // namespace orbiton
