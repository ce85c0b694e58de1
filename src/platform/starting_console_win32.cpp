// SPDX-FileCopyrightText: 2026 The Orbiton 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "platform/starting_console.h"

#include "platform/windows_api.h"

#include <cstdio>
#include <fcntl.h>
#include <io.h>

namespace orbiton {

namespace {

bool leadsNowhere(DWORD which) {
    const HANDLE h = GetStdHandle(which);
    return h == nullptr || h == INVALID_HANDLE_VALUE || GetFileType(h) == FILE_TYPE_UNKNOWN;
}

// The C runtime's freopen refuses a stream whose descriptor was never valid,
// which a window program's standard streams are: the stream is given the
// console's descriptor itself.
void toConsole(std::FILE* stream, int descriptor) {
    const int console = _open("CONOUT$", _O_WRONLY | _O_TEXT);
    if (console < 0)
        return;
    if (_dup2(console, descriptor) == 0)
        stream->_file = descriptor;
    _close(console);
}

} // namespace

StartingConsole::StartingConsole() {
    const bool out = leadsNowhere(STD_OUTPUT_HANDLE);
    const bool err = leadsNowhere(STD_ERROR_HANDLE);
    if ((!out && !err) || !AttachConsole(ATTACH_PARENT_PROCESS))
        return;
    if (out)
        toConsole(stdout, 1);
    if (err)
        toConsole(stderr, 2);
    const UINT own = GetConsoleOutputCP();
    if (own != CP_UTF8 && SetConsoleOutputCP(CP_UTF8))
        codePage = own;
}

StartingConsole::~StartingConsole() {
    if (codePage == 0)
        return;
    std::fflush(stdout);
    std::fflush(stderr);
    SetConsoleOutputCP(codePage);
}

} // namespace orbiton
