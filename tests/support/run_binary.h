// SPDX-FileCopyrightText: 2026 The Orbiton 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <string>

namespace orbiton::test {

// What a run of the game's executable did.
struct BinaryRun {
    int status = -1; // the exit status; -1 when it did not exit by itself
    std::string err; // what it wrote on stderr
};

// Runs orbiton3d with the arguments (shell words) under a 60-second limit,
// with envPrefix (such as "env -u DISPLAY") in front; stdout goes to stdoutTo.
BinaryRun runBinary(const std::string& args, const std::string& envPrefix = "",
                    const std::string& stdoutTo = "/dev/null");

} // namespace orbiton::test
