// SPDX-FileCopyrightText: 2026 The Orbiton 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <string>

namespace orbiton {

// The full path of the running program, or empty where it cannot be found.
std::string executablePath();

} // namespace orbiton
