// SPDX-FileCopyrightText: 2026 The Orbiton 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/level_directory.h"

#include <filesystem>
#include <fstream>
#include <system_error>

#include "platform/executable_path.h"

namespace orbiton {

namespace fs = std::filesystem;

std::string resolveLevelDirectory(const std::string& given) {
    if (!given.empty())
        return given;
    std::error_code ec;
    if (fs::exists("1.lvl", ec))
        return "";
    const fs::path exe = executablePath();
    if (exe.empty())
        return "";
    const fs::path installed = exe.parent_path().parent_path() / "share/orbiton3d/levels";
    if (fs::exists(installed / "1.lvl", ec))
        return installed.string();
    // A build tree says where its source tree's levels are, in a file beside the game.
    std::ifstream note(exe.parent_path() / "orbiton3d-levels.txt");
    std::string source;
    if (std::getline(note, source) && fs::exists(fs::path(source) / "1.lvl", ec))
        return source;
    return "";
}

} // namespace orbiton
