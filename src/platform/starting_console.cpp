// SPDX-FileCopyrightText: 2026 The Orbiton 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "platform/starting_console.h"

#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <unistd.h>

namespace orbiton {

// A program started from a terminal has the terminal's streams already. One
// started with a standard descriptor closed (2>&-) would hand that number to
// the first file it opens, and its messages would land in that file: each
// closed one is opened on /dev/null first, in order, so it gets its own number.
StartingConsole::StartingConsole() {
    // A write past the file size limit (ulimit -f) then fails with EFBIG like
    // any other failed write, said and cleaned up, instead of killing the
    // program without a word.
    std::signal(SIGXFSZ, SIG_IGN);
    for (int fd = 0; fd <= 2; ++fd) {
        if (fcntl(fd, F_GETFD) != -1 || errno != EBADF)
            continue;
        const int opened = open("/dev/null", fd == 0 ? O_RDONLY : O_WRONLY);
        if (opened > fd) { // only when a lower one could not be opened
            dup2(opened, fd);
            close(opened);
        }
    }
}

StartingConsole::~StartingConsole() = default;

} // namespace orbiton
