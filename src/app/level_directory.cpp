// SPDX-FileCopyrightText: 2026 The Orbiton 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/level_directory.h"

#include <filesystem>
#include <fstream>
#include <system_error>

#include "platform/program_start.h"

namespace orbiton {

namespace fs = std::filesystem;

std::string resolveLevelDirectory(const std::string& given) {
    if (!given.empty())
        return given;
    std::error_code ec;
    if (fs::exists("1.lvl", ec))
        return "";
    const fs::path exe = fs::u8path(executablePath());
    if (exe.empty())
        return "";
    const fs::path installed = exe.parent_path().parent_path() / "share/orbiton3d/levels";
    if (fs::exists(installed / "1.lvl", ec))
        return installed.u8string();
    // A game unpacked from an archive keeps its levels in a folder beside it.
    const fs::path beside = exe.parent_path() / "levels";
    if (fs::exists(beside / "1.lvl", ec))
        return beside.u8string();
    // A build tree says where its source tree's levels are, in a file beside the game.
    std::ifstream note(exe.parent_path() / "orbiton3d-levels.txt");
    std::string source;
    if (std::getline(note, source) && fs::exists(fs::u8path(source) / "1.lvl", ec))
        return source;
    return "";
}

std::set<int> levelsIn(const std::string& directory) {
    std::set<int> levels;
    std::error_code ec;
    for (fs::directory_iterator it(fs::u8path(directory.empty() ? "." : directory), ec), end;
         !ec && it != end; it.increment(ec)) {
        const std::string name = it->path().filename().u8string();
        const std::size_t dot = name.size() > 4 ? name.size() - 4 : 0;
        if (dot == 0 || name.compare(dot, 4, ".lvl") != 0 || name.size() > 13 ||
            name.find_first_not_of("0123456789") != dot || name[0] == '0')
            continue;
        levels.insert(std::stoi(name.substr(0, dot)));
    }
    return levels;
}

} // namespace orbiton
