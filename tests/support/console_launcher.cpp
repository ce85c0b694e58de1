// SPDX-FileCopyrightText: 2026 The Orbiton 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later

// A command prompt's part in the Windows tests. It starts a program as a
// prompt starts a window program: no console of the program's own and no
// standard handles, the prompt's console there to attach to. Then it prints
// what the console shows, and passes when that holds the expected text and
// the program ended with the expected status.
//   console_launcher STATUS TEXT PROGRAM [ARGUMENT...]
#include <windows.h>

#include <cstdio>
#include <string>

namespace {

std::string utf8(const std::wstring& text) {
    const int n = WideCharToMultiByte(CP_UTF8, 0, text.data(), int(text.size()), nullptr, 0,
                                      nullptr, nullptr);
    std::string out(std::size_t(n > 0 ? n : 0), '\0');
    if (n > 0)
        WideCharToMultiByte(CP_UTF8, 0, text.data(), int(text.size()), out.data(), n, nullptr,
                            nullptr);
    return out;
}

// The console's text up to the cursor, trailing blanks cut. A row filled to
// its last column goes on in the next one (the console wrapped a long line),
// so the two are joined: what is looked for must not depend on the width.
std::wstring consoleText() {
    const HANDLE screen =
        CreateFileW(L"CONOUT$", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                    nullptr, OPEN_EXISTING, 0, nullptr);
    CONSOLE_SCREEN_BUFFER_INFO info{};
    if (screen == INVALID_HANDLE_VALUE || !GetConsoleScreenBufferInfo(screen, &info))
        return L"";
    std::wstring text;
    std::wstring row(std::size_t(info.dwSize.X), L' ');
    for (SHORT y = 0; y <= info.dwCursorPosition.Y; ++y) {
        DWORD n = 0;
        ReadConsoleOutputCharacterW(screen, row.data(), DWORD(row.size()), COORD{0, y}, &n);
        const bool wrapped = n == row.size() && row[n - 1] != L' ';
        while (n > 0 && row[n - 1] == L' ')
            --n;
        text.append(row, 0, n);
        if (!wrapped)
            text += L'\n';
    }
    CloseHandle(screen);
    return text;
}

} // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc < 4) {
        std::fprintf(stderr, "usage: console_launcher STATUS TEXT PROGRAM [ARGUMENT...]\n");
        return 2;
    }
    const HANDLE output = GetStdHandle(STD_OUTPUT_HANDLE);
    // A console of our own, as a prompt has one.
    FreeConsole();
    if (!AllocConsole()) {
        std::fprintf(stderr, "console_launcher: no console (error %lu)\n", GetLastError());
        return 2;
    }
    std::wstring command = L"\"" + std::wstring(argv[3]) + L"\"";
    for (int i = 4; i < argc; ++i)
        command += L" \"" + std::wstring(argv[i]) + L"\"";
    STARTUPINFOW start{};
    start.cb = sizeof start;
    PROCESS_INFORMATION process{};
    // DETACHED_PROCESS: no console and no handles, as a window program gets.
    if (!CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, DETACHED_PROCESS, nullptr,
                        nullptr, &start, &process)) {
        std::fprintf(stderr, "console_launcher: cannot start it (error %lu)\n", GetLastError());
        return 2;
    }
    WaitForSingleObject(process.hProcess, 60000);
    DWORD status = 0;
    GetExitCodeProcess(process.hProcess, &status);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    const std::wstring text = consoleText();
    const std::string shown = utf8(text) + "exit " + std::to_string(status) + "\n";
    DWORD written = 0;
    WriteFile(output, shown.data(), DWORD(shown.size()), &written, nullptr);
    const bool passed = text.find(argv[2]) != std::wstring::npos && status == DWORD(_wtoi(argv[1]));
    return passed ? 0 : 1;
}
