// SPDX-FileCopyrightText: 2026 The Orbiton 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "platform/program_start.h"

#include "platform/windows_api.h"

#include <shellapi.h>

namespace orbiton {

namespace {

// UTF-16 as Windows gives it to UTF-8; a lone surrogate becomes U+FFFD
// rather than ending the program.
std::string utf8(const wchar_t* text, int length) {
    if (length == 0)
        return "";
    const int n = WideCharToMultiByte(CP_UTF8, 0, text, length, nullptr, 0, nullptr, nullptr);
    std::string out(std::size_t(n > 0 ? n : 0), '\0');
    if (n > 0)
        WideCharToMultiByte(CP_UTF8, 0, text, length, out.data(), n, nullptr, nullptr);
    return out;
}

} // namespace

std::string executablePath() {
    // Wide characters, drive letters and spaces as they are; long paths too.
    std::vector<wchar_t> buffer(MAX_PATH);
    for (;;) {
        const DWORD n = GetModuleFileNameW(nullptr, buffer.data(), DWORD(buffer.size()));
        if (n == 0)
            return "";
        if (n < buffer.size())
            return utf8(buffer.data(), int(n));
        buffer.resize(buffer.size() * 2);
    }
}

std::vector<std::string> commandArguments(int argc, char** argv) {
    // argv holds the arguments in the system's code page, which cannot spell
    // every file name: the wide command line can.
    int n = 0;
    wchar_t** wide = CommandLineToArgvW(GetCommandLineW(), &n);
    if (!wide)
        return std::vector<std::string>(argv + 1, argv + argc);
    std::vector<std::string> arguments;
    for (int i = 1; i < n; ++i)
        arguments.push_back(utf8(wide[i], int(wcslen(wide[i]))));
    LocalFree(wide);
    return arguments;
}

} // namespace orbiton
