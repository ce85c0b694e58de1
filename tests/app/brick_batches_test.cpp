// SPDX-FileCopyrightText: 2026 The Orbiton 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include <gtest/gtest.h>

#include "app/autopilot.h"
#include "support/app_harness.h"

namespace orbiton {
namespace {

using test::AppHarness;
using test::LevelDirectory;

struct Recording {
    std::vector<std::vector<std::uint8_t>> frames;
    std::vector<float> fades;
    int translucentFrames = 0;
    int score = 0;
};

// Plays the level with the attract mode and keeps every 10th frame.
Recording play(const std::string& levels, bool batched) {
    HeadlessPlatform::Options o;
    o.windowWidth = 240;
    o.windowHeight = 180;
    o.captureLastFrame = true; // with no frame limit: every frame
    AppHarness h(o, levels);
    h.app.drawOptions.batchBricks = batched;
    h.app.drawOptions.bufferArena = batched;
    h.app.inputSource = std::make_unique<Autopilot>(5);
    EXPECT_TRUE(h.start());
    Recording r;
    for (int f = 0; f < 300; ++f) {
        h.frames(1);
        bool translucent = false;
        for (const auto& b : h.app.world->bricks)
            translucent = translucent || b->alpha < 0.999f;
        r.translucentFrames += translucent;
        if (f % 10 == 9)
            r.frames.push_back(h.platform.lastFrame());
    }
    for (const auto& b : h.app.world->bricks)
        r.fades.push_back(b->fade);
    r.score = h.app.score;
    return r;
}

TEST(BrickBatches, DrawTheSamePixelsAsEveryBrickOnItsOwn) {
    LevelDirectory levels("batches");
    // Two materials in one shell's neighbourhood and a shell in front of the
    // ball's usual path, so that runs split and bricks fade.
    levels.write(1, "OuterShell 3 ff\nShell 3 0.3 0.33 ff f Red\nShell 2 0.36 0.38 3c 7 Blue\n"
                    "Shell 2 0.15 0.18 ff e ShinyGreen\n");
    const Recording single = play(levels.path(), false);
    const Recording batched = play(levels.path(), true);
    ASSERT_EQ(single.frames.size(), batched.frames.size());
    for (std::size_t i = 0; i < single.frames.size(); ++i)
        ASSERT_TRUE(single.frames[i] == batched.frames[i]) << "frame " << (i + 1) * 10;
    EXPECT_EQ(single.fades, batched.fades);
    EXPECT_EQ(single.score, batched.score);
    EXPECT_GT(single.score, 0);              // bricks went, so batches were recompiled
    EXPECT_GT(single.translucentFrames, 10); // and some were drawn faded
}

} // namespace
} // namespace orbiton
