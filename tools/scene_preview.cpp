// Draws a closed arena, one shell of red bricks and the paddle off-screen, in
// the game's pass order, and writes a PNG: a quick look at the drawing code
// without a window.
#include <GL/gl.h>

#include <cstdio>
#include <memory>
#include <vector>

#include "app/render_setup.h"
#include "render/state_lists.h"
#include "objects/brick.h"
#include "paddle_arena/outer_shell.h"
#include "paddle_arena/paddle.h"
#include "platform/offscreen_context.h"
#include "world/brick_shell.h"

using namespace orbiton;

int main(int argc, char** argv) {
    const char* out = argc > 1 ? argv[1] : "scene.png";
    const int width = 800, height = 600;
    auto context = OffscreenContext::create(width, height);
    if (!context) {
        std::fprintf(stderr, "scene_preview: %s\n", OffscreenContext::error().c_str());
        return 1;
    }
    applyFixedRenderState();
    buildStateLists(true);
    setupLights();
    setProjection(width, height);

    OuterShell arena(3, 0.5f, 0xFF);
    std::vector<std::unique_ptr<Brick>> bricks;
    addShell(bricks, 2, 0.3f, 0.35f, 0xFF, 0xF, "Red");
    Paddle paddle(0.47f, Vec3(1, 0, 0), Vec3(0, 1, 0), false);
    arena.buildLists();
    for (auto& b : bricks)
        b->buildLists();
    paddle.buildLists();

    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    const Vec3 ball(0.465f, 0, 0);
    placeCameraAndLights(Vec3(1, 0, 0), Vec3(0, 1, 0), 1.15f, ball);
    setSightLine(Vec3(1, 0, 0), ball);
    frameTime = 0;
    arena.draw();
    for (auto& b : bricks)
        b->draw();
    for (auto& b : bricks)
        b->drawBlended();
    paddle.drawBlended();
    arena.drawBlended();
    glFinish();
    if (!writePng(out, width, height, context->readPixels())) {
        std::fprintf(stderr, "scene_preview: cannot write %s\n", out);
        return 1;
    }
    return 0;
}
