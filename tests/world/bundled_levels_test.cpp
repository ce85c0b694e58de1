// SPDX-FileCopyrightText: 2026 The Orbiton 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>

#include "world/level_check.h"
#include "world/world.h"

namespace orbiton {
namespace {

std::vector<std::string> bundledLevels() {
    std::vector<std::string> files;
    for (int level = 1;; ++level) {
        const std::string path = World::levelFileName(level, ORBITON_SOURCE_LEVELS);
        if (!std::filesystem::exists(path))
            break;
        files.push_back(path);
    }
    return files;
}

TEST(BundledLevels, TwelveOrMoreNumberedWithoutGapsAndAllPassTheChecker) {
    const std::vector<std::string> files = bundledLevels();
    ASSERT_GE(files.size(), 12u);
    std::ostringstream out;
    EXPECT_EQ(checkLevels(files, false, out), 0) << out.str();
    std::size_t lvlFiles = 0;
    for (const auto& e : std::filesystem::directory_iterator(ORBITON_SOURCE_LEVELS))
        lvlFiles += e.path().extension() == ".lvl";
    EXPECT_EQ(lvlFiles, files.size()) << "a level number is missing";
}

// Reads the shell lines by hand: bricks = faces x parts^depth, every brick
// inside the arena with room for the ball, and the materials used.
TEST(BundledLevels, BrickCountsAreWhatTheLinesImply) {
    std::set<std::string> materials;
    for (const std::string& path : bundledLevels()) {
        std::ifstream in(path);
        std::string line;
        std::size_t expected = 0;
        while (std::getline(in, line)) {
            std::istringstream words(line);
            std::string keyword, material;
            int depth;
            float r1, r2;
            unsigned faces, parts;
            if (!(words >> keyword) || keyword != "Shell")
                continue;
            ASSERT_TRUE(words >> depth >> r1 >> r2 >> std::hex >> faces >> parts >> material)
                << path << ": " << line;
            std::size_t perFace = 1;
            for (int i = 0; i < depth; ++i)
                perFace *= std::size_t(__builtin_popcount(parts & 0xF));
            expected += std::size_t(__builtin_popcount(faces & 0xFF)) * perFace;
            EXPECT_LE(std::max(r1, r2), 0.42f) << path << ": bricks must leave room for the ball";
            EXPECT_GE(std::min(r1, r2), 0.05f) << path;
            materials.insert(material);
        }
        GameCounters c;
        World w(std::stoi(std::filesystem::path(path).stem()), &c, ORBITON_SOURCE_LEVELS,
                World::Lists::Defer);
        EXPECT_EQ(w.bricks.size(), expected) << path;
        EXPECT_FALSE(w.others.empty()) << path << " has no arena";
    }
    // Every material appears somewhere in the pack.
    for (const char* m : {"Red", "Green", "Blue", "Yellow", "ShinyRed", "ShinyGreen", "ShinyBlue",
                          "ShinyYellow", "LightGrey", "DarkGrey", "Shell", "Ball", "Paddle"})
        EXPECT_EQ(materials.count(m), 1u) << m << " is not used by any level";
}

} // namespace
} // namespace orbiton
