// SPDX-FileCopyrightText: 2026 The Orbiton 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Draws a closed arena, one shell of red bricks and the paddle off-screen, in
// the game's pass order, and writes a PNG: a quick look at the drawing code
// without a window. With --icon it draws the game's menu icon instead: a
// square picture of the arena and its bricks, seen from outside, no text.
//   orbiton_scene_preview [OUT.png]
//   orbiton_scene_preview --icon SIZE OUT.png
#include "platform/gl.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <vector>

#include "objects/brick.h"
#include "paddle_arena/outer_shell.h"
#include "paddle_arena/paddle.h"
#include "platform/offscreen_context.h"
#include "platform/png_writer.h"
#include "render/render_setup.h"
#include "render/state_lists.h"
#include "world/brick_shell.h"

using namespace orbiton;

namespace {

struct Scene {
    int arenaDepth;
    float viewDistance;
    Vec3 view;
    Vec3 up;
    bool paddle;
};

int draw(const Scene& s, int width, int height, const char* out,
         void (*addBricks)(std::vector<std::unique_ptr<Brick>>&)) {
    auto context = OffscreenContext::create(width, height);
    if (!context) {
        std::fprintf(stderr, "scene_preview: %s\n", OffscreenContext::error().c_str());
        return 1;
    }
    applyFixedRenderState();
    buildStateLists(true);
    setupLights();
    setProjection(width, height);

    OuterShell arena(s.arenaDepth, 0.5f, 0xFF);
    std::vector<std::unique_ptr<Brick>> bricks;
    addBricks(bricks);
    Paddle paddle(0.47f, Vec3(1, 0, 0), Vec3(0, 1, 0), false);
    arena.buildLists();
    for (auto& b : bricks)
        b->buildLists();
    paddle.buildLists();

    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    const Vec3 ball(0.465f, 0, 0);
    placeCameraAndLights(s.view, s.up, s.viewDistance, ball);
    setSightLine(s.view, ball);
    frameTime = 0;
    arena.draw();
    for (auto& b : bricks)
        b->draw();
    for (auto& b : bricks)
        b->drawBlended();
    if (s.paddle)
        paddle.drawBlended();
    arena.drawBlended();
    glFinish();
    if (!writePng(out, width, height, context->readPixels())) {
        std::fprintf(stderr, "scene_preview: cannot write %s\n", out);
        return 1;
    }
    return 0;
}

void redShell(std::vector<std::unique_ptr<Brick>>& bricks) {
    addShell(bricks, 2, 0.3f, 0.35f, 0xFF, 0xF, "Red");
}

// Few, large tiles in two colours: they still read at 32 pixels.
void iconShells(std::vector<std::unique_ptr<Brick>>& bricks) {
    addShell(bricks, 1, 0.3f, 0.36f, 0xAA, 0xF, "Red");
    addShell(bricks, 1, 0.3f, 0.36f, 0x55, 0xF, "Yellow");
}

} // namespace

int main(int argc, char** argv) {
    if (argc == 4 && std::strcmp(argv[1], "--icon") == 0) {
        const int size = std::atoi(argv[2]);
        if (size < 16 || size > 4096) {
            std::fprintf(stderr, "scene_preview: --icon needs a size from 16 to 4096\n");
            return 2;
        }
        // Zoomed out and turned off the axes so the sphere shows its depth.
        Vec3 view(0.8f, 0.45f, 0.4f);
        normalise(view);
        Vec3 up = cross(cross(view, Vec3(0, 1, 0)), view);
        normalise(up);
        return draw({2, 1.5f, view, up, false}, size, size, argv[3], iconShells);
    }
    const char* out = argc > 1 ? argv[1] : "scene.png";
    return draw({3, 1.15f, Vec3(1, 0, 0), Vec3(0, 1, 0), true}, 800, 600, out, redShell);
}
