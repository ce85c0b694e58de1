// SPDX-FileCopyrightText: 2026 The Orbiton 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "platform/executable_path.h"

#include "platform/gl.h" // windows.h, as the game includes it

#include <filesystem>
#include <vector>

namespace orbiton {

std::string executablePath() {
    // Wide characters, drive letters and spaces as they are; long paths too.
    std::vector<wchar_t> buffer(MAX_PATH);
    for (;;) {
        const DWORD n = GetModuleFileNameW(nullptr, buffer.data(), DWORD(buffer.size()));
        if (n == 0)
            return "";
        if (n < buffer.size())
            return std::filesystem::path(std::wstring(buffer.data(), n)).string();
        buffer.resize(buffer.size() * 2);
    }
}

} // namespace orbiton
