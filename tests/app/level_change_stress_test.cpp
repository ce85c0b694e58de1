// SPDX-FileCopyrightText: 2026 The Orbiton 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <string>
#include <vector>

#include "platform/process_memory.h"
#include "render/display_list.h"
#include "support/app_harness.h"

namespace orbiton {
namespace {

using test::AppHarness;
using test::LevelDirectory;

// Four small levels, laid out again and again as levels 1..100.
const char* const kPack[4] = {
    "OuterShell 2 ff\nShell 1 0.3 0.35 ff f Red\n",
    "OuterShell 2 ff\nShell 2 0.3 0.35 0f f Blue\n",
    "OuterShell 3 ff\nShell 2 0.25 0.3 ff f Green\nShell 1 0.36 0.4 f0 f ShinyRed\n",
    "OuterShell 2 ff\nShell 3 0.3 0.34 01 f Yellow\nShell 1 0.2 0.24 ff 3 Blue\n",
};

struct Visit {
    int lists = 0;
    long kib = 0; // heap in use
};

// 100 level changes through the frame loop in one process: each level is
// played a little, then its bricks are hit away so the next frame starts the
// next one. A level change must give back every display list and all memory
// the old level held, so each visit of the same level finds the same count.
TEST(LevelChangeStress, EveryLevelChangeGivesBackItsListsAndMemory) {
    constexpr int kLevels = 100;
    LevelDirectory dir("level-change-stress");
    for (int level = 1; level <= kLevels; ++level)
        dir.write(level, kPack[(level - 1) % 4]);
    HeadlessPlatform::Options o;
    o.windowWidth = 64;
    o.windowHeight = 48;
    AppHarness h(o, dir.path());
    h.app.listeners = {&h.counts}; // the event text would grow with every hit
    ASSERT_TRUE(h.start());
    std::map<int, std::vector<Visit>> visits; // by pack entry
    for (int level = 1; level <= kLevels; ++level) {
        ASSERT_EQ(h.app.level, level);
        h.app.launchBall();
        h.frames(3); // batches compiled, the ball in flight
        // A hit recompiles a batch's list; then the level is cleared.
        World& w = *h.app.world;
        if (!w.bricks.empty())
            w.hitBrick(w.bricks[w.bricks.size() / 2].get());
        h.frames(1);
        visits[(level - 1) % 4].push_back({countLiveDisplayLists(), heapInUseKiB()});
        while (!h.app.world->bricks.empty())
            h.app.world->hitBrick(h.app.world->bricks.back().get());
        h.frames(1); // the next frame starts the next level
    }
    EXPECT_EQ(h.counts.levels, kLevels + 1);
    for (const auto& [entry, v] : visits) {
        ASSERT_EQ(v.size(), 25u);
        for (std::size_t i = 1; i < v.size(); ++i)
            ASSERT_EQ(v[i].lists, v[0].lists) << "pack level " << entry << ", visit " << i + 1;
        // The heap in use, not the resident size: the allocator's trimming moves
        // the latter by megabytes from one visit to the next. The smallest of
        // five visits leaves out the driver's passing buffers; the first visit
        // may still be warming caches. A leak of a few KiB a level change adds
        // up to far more than the margin over the 80 changes between the two.
        // Under a sanitizer's allocator there is no heap count; LeakSanitizer checks instead.
        if (v[0].kib >= 0) {
            const auto floor = [&](std::size_t from) {
                long m = v[from].kib;
                for (std::size_t i = from; i < from + 5; ++i)
                    m = std::min(m, v[i].kib);
                return m;
            };
            EXPECT_LE(floor(v.size() - 5) - floor(1), 64)
                << "pack level " << entry << ": " << floor(1) << " KiB in use early, "
                << floor(v.size() - 5) << " KiB at the end";
        }
    }
}

} // namespace
} // namespace orbiton
