// SPDX-FileCopyrightText: 2026 The Orbiton 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include <gtest/gtest.h>

#include <cmath>

#include "support/app_harness.h"

namespace orbiton {
namespace {

using test::AppHarness;
using test::LevelDirectory;

struct Rgb {
    int r, g, b;
};

Rgb pixel(const std::vector<std::uint8_t>& rows, int width, int height, int x, int yFromBottom) {
    const std::size_t i = (std::size_t(height - 1 - yFromBottom) * width + x) * 4;
    return {rows[i], rows[i + 1], rows[i + 2]};
}

// Black pixels in a box given in window coordinates (origin bottom-left).
int blackIn(const std::vector<std::uint8_t>& rows, int width, int height, int x0, int y0, int x1,
            int y1) {
    int n = 0;
    for (int y = y0; y < y1; ++y)
        for (int x = x0; x < x1; ++x) {
            const Rgb p = pixel(rows, width, height, x, y);
            n += p.r == 0 && p.g == 0 && p.b == 0;
        }
    return n;
}

class FramePixels : public ::testing::Test {
  protected:
    std::vector<std::uint8_t> drawOneFrame(const std::string& level) {
        levels.write(1, level);
        HeadlessPlatform::Options o;
        o.captureLastFrame = true;
        harness = std::make_unique<AppHarness>(o, levels.path());
        EXPECT_TRUE(harness->start());
        harness->frames(2);
        return harness->platform.lastFrame();
    }
    LevelDirectory levels{"pixels"};
    std::unique_ptr<AppHarness> harness;
};

TEST_F(FramePixels, BackgroundIsLightGreyAndTheOverlayIsBlackWhereItBelongs) {
    // Only a far-away brick: the corners show the clear colour.
    const auto px = drawOneFrame("Shell 1 0.05 0.06 01 8 Red\n");
    ASSERT_EQ(px.size(), 800u * 600u * 4u);
    const Rgb corner = pixel(px, 800, 600, 790, 590);
    EXPECT_NEAR(corner.r, 230, 1);
    EXPECT_NEAR(corner.g, 230, 1);
    EXPECT_NEAR(corner.b, 230, 1);

    // "Level: 1" sits on y = 570, the fps line on 10, score 40, lives 70.
    EXPECT_GT(blackIn(px, 800, 600, 10, 570, 160, 600), 100);
    EXPECT_GT(blackIn(px, 800, 600, 10, 10, 160, 40), 100);  // "fps: ---"
    EXPECT_GT(blackIn(px, 800, 600, 10, 40, 110, 70), 100);  // "Score:"
    EXPECT_GT(blackIn(px, 800, 600, 125, 40, 150, 70), 20);  // "0"
    EXPECT_GT(blackIn(px, 800, 600, 10, 70, 110, 100), 100); // "Lives:"
    // Nothing black between the rows' text and the level line.
    EXPECT_EQ(blackIn(px, 800, 600, 10, 130, 160, 560), 0);
    EXPECT_EQ(blackIn(px, 800, 600, 300, 570, 800, 600), 0);
}

TEST_F(FramePixels, ThePaddleOutlineCrossesTheMiddleOfTheView) {
    const auto px = drawOneFrame("Shell 1 0.05 0.06 01 8 Red\n");
    // The square's half side, 0.05, at 0.68 from the camera with a 45-degree
    // view: about 53 pixels. The cross's vertical arm runs down the middle.
    const Rgb onArm = pixel(px, 800, 600, 400, 300 + 40);
    const Rgb offArm = pixel(px, 800, 600, 400 + 40, 300 + 40);
    EXPECT_LT(onArm.g, 215);
    EXPECT_NEAR(offArm.g, 230, 1);
    // The outer square's edge crosses the horizontal through the middle near x = 347.
    int darkest = 255, at = 0;
    for (int x = 330; x < 370; ++x) {
        const Rgb p = pixel(px, 800, 600, x, 300 + 20);
        if (p.g < darkest)
            darkest = p.g, at = x;
    }
    EXPECT_LT(darkest, 215);
    EXPECT_NEAR(at, 400 - 53, 3);
}

TEST(FrameTunnelling, AClosedArenaNeverLosesTheBallAtAnyFrameRate) {
    LevelDirectory levels("tunnel");
    for (int level = 1; level <= 3; ++level)
        levels.write(level, "OuterShell 3 ff\nShell 1 0.03 0.04 80 8 Red\n");
    for (double dt : {1.0 / 10, 1.0 / 30, 1.0 / 60, 1.0 / 1000}) {
        HeadlessPlatform::Options o;
        o.frameSeconds = dt;
        o.windowWidth = 32;
        o.windowHeight = 24;
        AppHarness h(o, levels.path());
        ASSERT_TRUE(h.start());
        h.app.launchSpeed = 1.2f; // three clicks of keypad plus over the start
        h.frames(2);
        h.app.launchBall();
        // A minute of play (72 units of flight) for the slow rates, 5 s at 1 ms frames.
        const int frames = int(std::min(60.0, 5000 * dt) / dt);
        for (int i = 0; i < frames; i += 7)
            h.platform.scriptMouse(h.platform.framesDrawn() + i + 1, (i / 7) % 5 - 2,
                                   (i / 11) % 3 - 1);
        h.frames(frames);
        EXPECT_EQ(h.events.str().find("lost"), std::string::npos) << "dt " << dt << "\n"
                                                                  << h.events.str();
        // Still in flight, unless the brick went and the next level began.
        EXPECT_TRUE(h.app.ballLaunched || h.app.level > 1) << dt;
    }
}

} // namespace
} // namespace orbiton
