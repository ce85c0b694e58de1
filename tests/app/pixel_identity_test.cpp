// SPDX-FileCopyrightText: 2026 The Orbiton 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include <gtest/gtest.h>

#include "app/autopilot.h"
#include "paddle_arena/outer_shell.h"
#include "support/app_harness.h"

namespace orbiton {
namespace {

using test::AppHarness;

struct Recording {
    std::vector<std::uint64_t> frames; // a hash of every frame's pixels
    int score = 0;
    int translucentFrames = 0; // frames with at least one brick blended
    long hiddenBricks = 0;     // summed over the frames (batched drawing only)
    long hiddenInnerCaps = 0;  // outlines round inner caps left out, summed likewise
    int hiddenWall = 0;        // frames with far-wall triangles left out
};

std::uint64_t hashPixels(const std::vector<std::uint8_t>& pixels) {
    std::uint64_t h = 14695981039346656037ull; // FNV-1a
    for (std::uint8_t byte : pixels)
        h = (h ^ byte) * 1099511628211ull;
    return h;
}

struct Case {
    int level;
    int width, height;
    int depthBits = 24;
};

void PrintTo(const Case& c, std::ostream* out) {
    *out << "level " << c.level << " at " << c.width << "x" << c.height << ", " << c.depthBits
         << "-bit depth";
}

// The material records keep the last alpha written into them from one App to
// the next; both runs of a case start from the same records.
class MaterialRecords {
  public:
    MaterialRecords() {
        for (const char* name : kNames)
            saved.push_back(*findMaterial(name));
    }
    void restore() const {
        for (std::size_t i = 0; i < saved.size(); ++i)
            *findMaterial(kNames[i]) = saved[i];
    }

  private:
    static constexpr const char* kNames[] = {
        "Red",         "Green",     "Blue",     "Yellow", "ShinyRed", "ShinyGreen", "ShinyBlue",
        "ShinyYellow", "LightGrey", "DarkGrey", "Shell",  "Ball",     "Paddle"};
    std::vector<Material> saved;
};

// One bundled level played by the attract mode for a fixed script of frames,
// the drawing chosen by batched; every frame is kept as a hash.
Recording play(const Case& c, bool batched, int frames) {
    static const MaterialRecords records;
    records.restore();
    HeadlessPlatform::Options o;
    o.windowWidth = c.width;
    o.windowHeight = c.height;
    o.frameSeconds = 1.0 / 30; // quicker play: hits and fades within the script
    o.captureLastFrame = true;
    o.depthBits = c.depthBits;
    AppHarness h(o, ORBITON_SOURCE_LEVELS);
    h.app.firstLevel = c.level;
    h.app.drawOptions.batchBricks = batched;
    h.app.drawOptions.bufferArena = batched;
    h.app.inputSource = std::make_unique<Autopilot>(7);
    EXPECT_TRUE(h.start());
    GLint depthBits = 0;
    glGetIntegerv(GL_DEPTH_BITS, &depthBits);
    EXPECT_EQ(depthBits, c.depthBits);
    Recording r;
    for (int f = 0; f < frames && h.app.level == c.level; ++f) {
        h.frames(1);
        r.frames.push_back(hashPixels(h.platform.lastFrame()));
        bool translucent = false;
        for (const auto& b : h.app.world->bricks) {
            translucent = translucent || b->alpha < 0.999f;
            r.hiddenBricks += b->hidden;
            r.hiddenInnerCaps += b->innerEdgesHidden;
        }
        r.translucentFrames += translucent;
        for (const auto& o : h.app.world->others)
            r.hiddenWall += static_cast<const OuterShell&>(*o).farWallCut;
    }
    r.score = h.app.score;
    return r;
}

class PixelIdentity : public ::testing::TestWithParam<Case> {};

// The batched bricks and the buffered arena, with what the closed shells hide
// (whole bricks, or the outline round a brick's inner cap) left out, draw every frame exactly as
// the reference drawing (every brick's own passes, the arena's lists) does, through launches, hits,
// fading and holes knocked into the shells.
TEST_P(PixelIdentity, TheBatchedFrameIsTheReferenceFrame) {
    const Case c = GetParam();
    const int frames = 100;
    const Recording reference = play(c, false, frames);
    const Recording batched = play(c, true, frames);
    ASSERT_EQ(reference.frames.size(), batched.frames.size());
    for (std::size_t i = 0; i < reference.frames.size(); ++i)
        ASSERT_EQ(reference.frames[i], batched.frames[i]) << "frame " << i + 1;
    EXPECT_EQ(reference.score, batched.score);
    // The script covers what could tell the two apart.
    EXPECT_GE(reference.score, 100);
    EXPECT_GT(reference.translucentFrames, 5);
    EXPECT_GT(batched.hiddenBricks, 0);
    EXPECT_GT(batched.hiddenWall, 0);
    EXPECT_EQ(reference.hiddenBricks, 0);
    EXPECT_EQ(reference.hiddenInnerCaps, 0);
    // Their thick closed shells hide their own inner caps' outlines.
    if (c.level == 11 || c.level == 12) {
        EXPECT_GT(batched.hiddenInnerCaps, 0);
    }
    EXPECT_EQ(reference.hiddenWall, 0);
}

INSTANTIATE_TEST_SUITE_P(
    BundledLevels, PixelIdentity,
    ::testing::Values(Case{1, 800, 600}, Case{1, 1920, 1080}, Case{8, 800, 600},
                      Case{8, 1920, 1080}, Case{11, 800, 600}, Case{11, 1920, 1080},
                      Case{12, 800, 600}, Case{12, 1920, 1080},
                      // a closed shell wound inwards hides too
                      Case{5, 800, 600},
                      // the least depth the game asks for
                      Case{11, 800, 600, 16}, Case{12, 1920, 1080, 16}),
    [](const ::testing::TestParamInfo<Case>& info) {
        return "level" + std::to_string(info.param.level) + "_" + std::to_string(info.param.width) +
               "x" + std::to_string(info.param.height) +
               (info.param.depthBits != 24 ? "_depth" + std::to_string(info.param.depthBits) : "");
    });

} // namespace
} // namespace orbiton
