// SPDX-FileCopyrightText: 2026 The Orbiton 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "platform/starting_console.h"

namespace orbiton {

// A program started from a terminal has the terminal's streams already.
StartingConsole::StartingConsole() = default;
StartingConsole::~StartingConsole() = default;

} // namespace orbiton
