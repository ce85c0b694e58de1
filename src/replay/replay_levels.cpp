// SPDX-FileCopyrightText: 2026 The Orbiton 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "replay/replay_levels.h"

#include <cstdio>
#include <filesystem>
#include <fstream>

#include "app/level_directory.h"
#include "world/world.h"

namespace orbiton {

namespace {

// 64-bit FNV-1a: small and fixed, the same on every system. It guards
// against a level that changed, not against a forger.
ReplayLevel levelFile(int number, const std::string& directory) {
    ReplayLevel level;
    level.number = number;
    std::ifstream in(std::filesystem::u8path(World::levelFileName(number, directory)),
                     std::ios::binary);
    std::uint64_t hash = 0xcbf29ce484222325ULL;
    char buffer[65536];
    while (in) {
        in.read(buffer, sizeof buffer);
        const std::streamsize n = in.gcount();
        for (std::streamsize i = 0; i < n; ++i) {
            hash ^= static_cast<unsigned char>(buffer[i]);
            hash *= 0x100000001b3ULL;
        }
        level.size += std::uint64_t(n);
    }
    level.readable = in.eof() && !in.bad();
    level.hash = level.readable ? hash : 0;
    if (!level.readable)
        level.size = 0;
    return level;
}

std::string describe(const ReplayLevel& l) {
    if (!l.readable)
        return "unreadable";
    char hash[17];
    std::snprintf(hash, sizeof hash, "%016llx", static_cast<unsigned long long>(l.hash));
    return std::to_string(l.size) + " bytes, hash " + hash;
}

} // namespace

std::vector<ReplayLevel> replayLevelsIn(const std::string& directory) {
    std::vector<ReplayLevel> levels;
    for (int number : levelsIn(directory))
        levels.push_back(levelFile(number, directory));
    return levels;
}

std::string replayLevelsDiffer(const std::vector<ReplayLevel>& recorded,
                               const std::vector<ReplayLevel>& now, const std::string& directory) {
    const std::string where = directory.empty() ? "the working directory" : directory;
    std::size_t i = 0, j = 0;
    while (i < recorded.size() || j < now.size()) {
        if (j == now.size() || (i < recorded.size() && recorded[i].number < now[j].number))
            return "it was recorded with a " + std::to_string(recorded[i].number) + ".lvl, and " +
                   where + " has none";
        if (i == recorded.size() || now[j].number < recorded[i].number)
            return where + " has a " + std::to_string(now[j].number) +
                   ".lvl, and it was recorded without one";
        if (!(recorded[i] == now[j]))
            return std::to_string(now[j].number) + ".lvl in " + where +
                   " is not the level it was recorded with (" + describe(now[j]) +
                   "; recorded: " + describe(recorded[i]) + ")";
        ++i, ++j;
    }
    return "";
}

} // namespace orbiton
