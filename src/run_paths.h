// SPDX-FileCopyrightText: 2026 The Orbiton 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <string>

#include "command_line.h"

namespace orbiton {

// What a run reads and writes, checked before anything starts: the level
// folder there and readable (a missing first level is warned about), the
// level to preview there, every output's folder there, the script a regular
// file, and no output landing on an input or on another output. The first
// problem's message, or an empty string.
std::string checkRunPaths(const CommandLine& o);

} // namespace orbiton
