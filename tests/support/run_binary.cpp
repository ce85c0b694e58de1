// SPDX-FileCopyrightText: 2026 The Orbiton 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "support/run_binary.h"

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <sys/wait.h>
#include <unistd.h>

namespace orbiton::test {

BinaryRun runBinary(const std::string& args, const std::string& envPrefix,
                    const std::string& stdoutTo) {
    const std::string errFile =
        "/tmp/orbiton-run-" + std::to_string(getpid()) + "-" + std::to_string(std::rand()) + ".err";
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
