// SPDX-FileCopyrightText: 2026 The Orbiton 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

namespace orbiton {

// For the program's lifetime, standard output and error that lead nowhere go
// to the console of the command prompt that started it, where it has one: a
// window program on Windows starts without them, and --help or --check would
// print nothing. The console shows our UTF-8 while we run, and gets its own
// code page back after. Elsewhere a closed standard descriptor leads to
// /dev/null, so that no file the program opens takes its number; open ones
// and redirected streams stay as they are.
class StartingConsole {
  public:
    StartingConsole();
    ~StartingConsole();
    StartingConsole(const StartingConsole&) = delete;
    StartingConsole& operator=(const StartingConsole&) = delete;

#ifdef _WIN32
  private:
    unsigned codePage = 0; // the console's own, to give back; 0 when untouched
#endif
};

} // namespace orbiton
