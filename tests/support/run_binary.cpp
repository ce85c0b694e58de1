// SPDX-FileCopyrightText: 2026 The Orbiton 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "support/run_binary.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <sys/wait.h>
#include <unistd.h>

namespace orbiton::test {

BinaryRun runBinary(const std::string& args, const std::string& envPrefix,
                    const std::string& stdoutTo) {
    // The process number and a random one make the name this run's alone.
    const std::string errFile =
        (std::filesystem::temp_directory_path() / ("orbiton-run-" + std::to_string(getpid()) + "-" +
                                                   std::to_string(std::random_device{}()) + ".err"))
            .string();
    const std::string cmd = envPrefix + " timeout 60 " + ORBITON_BINARY + " " + args + " >" +
                            stdoutTo + " 2>" + errFile;
    const int status = std::system(cmd.c_str());
    BinaryRun r;
    r.status = WIFEXITED(status) && WEXITSTATUS(status) != 124 ? WEXITSTATUS(status) : -1;
    std::ifstream in(errFile);
    std::ostringstream text;
    text << in.rdbuf();
    r.err = text.str();
    std::remove(errFile.c_str());
    return r;
}

} // namespace orbiton::test
