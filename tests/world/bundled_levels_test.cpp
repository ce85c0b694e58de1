#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>

#include "world/level_check.h"

namespace orbiton {
namespace {

TEST(BundledLevels, EveryLevelPassesTheCheckerAndTheyAreNumberedWithoutGaps) {
    std::vector<std::string> files;
    for (int level = 1;; ++level) {
        const std::string path =
            std::string(ORBITON_SOURCE_LEVELS) + "/" + std::to_string(level) + ".lvl";
        if (!std::filesystem::exists(path))
            break;
        files.push_back(path);
    }
    ASSERT_GE(files.size(), 2u);
    std::ostringstream out;
    EXPECT_EQ(checkLevels(files, false, out), 0) << out.str();
    std::size_t lvlFiles = 0;
    for (const auto& e : std::filesystem::directory_iterator(ORBITON_SOURCE_LEVELS))
        lvlFiles += e.path().extension() == ".lvl";
    EXPECT_EQ(lvlFiles, files.size()) << "a level number is missing";
}

} // namespace
} // namespace orbiton
