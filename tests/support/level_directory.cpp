// SPDX-FileCopyrightText: 2026 The Orbiton 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "support/level_directory.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <stdexcept>

#include "world/world.h"

namespace orbiton::test {

LevelDirectory::LevelDirectory(const std::string& name) {
    namespace fs = std::filesystem;
    std::random_device random;
    for (int attempt = 0; attempt < 100; ++attempt) {
        const std::string candidate =
            ::testing::TempDir() + "orbiton-" + name + "-" + std::to_string(random());
        std::error_code ec;
        // Made here or not at all: a folder that is there already is someone else's.
        if (fs::create_directory(candidate, ec) && !ec) {
            dir = candidate;
            return;
        }
    }
    throw std::runtime_error("no scratch folder for " + name + " in " + ::testing::TempDir());
}

LevelDirectory::~LevelDirectory() {
    std::error_code ec;
    std::filesystem::remove_all(dir, ec);
}

std::string LevelDirectory::write(int level, const std::string& text) const {
    const std::string path = World::levelFileName(level, dir);
    std::ofstream(path, std::ios::binary) << text;
    return path;
}

std::string LevelDirectory::file(const std::string& name, const std::string& text) const {
    const std::string path = dir + "/" + name;
    std::ofstream(path, std::ios::binary) << text;
    return path;
}

std::string fileText(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

} // namespace orbiton::test
