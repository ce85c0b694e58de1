#include "support/app_harness.h"

#include <filesystem>
#include <fstream>

#include "world/world.h"

namespace orbiton::test {

LevelDirectory::LevelDirectory(const std::string& name)
    : dir(::testing::TempDir() + "orbiton-" + name) {
    std::filesystem::remove_all(dir);
    std::filesystem::create_directories(dir);
}

LevelDirectory::~LevelDirectory() {
    std::filesystem::remove_all(dir);
}

void LevelDirectory::write(int level, const std::string& text) const {
    std::ofstream(World::levelFileName(level, dir), std::ios::binary) << text;
}

AppHarness::AppHarness(const HeadlessPlatform::Options& options, const std::string& levels)
    : platform(options) {
    app.levelDirectory = levels;
    app.eventLog = &events;
}

AppHarness::~AppHarness() {
    if (app.windowOpen)
        finish();
}

bool AppHarness::start() {
    app.platform = &platform;
    if (!app.registerWindowClass() || !app.createWindow(app.fullscreen))
        return false;
    app.startLevel(0, 1, 3);
    if (app.mouseCaptured)
        platform.warpCursor(app.width / 2, app.height / 2);
    return true;
}

bool AppHarness::pump() {
    PlatformEvent e;
    while (!quit && platform.pollEvent(e)) {
        if (e.type == PlatformEvent::Type::Quit)
            quit = true;
        else
            app.handleMessage(e);
    }
    return !quit;
}

void AppHarness::idle() {
    if (pump())
        (app.*app.idleHandler)();
}

void AppHarness::frames(int n) {
    const long target = platform.framesDrawn() + n;
    while (!quit && platform.framesDrawn() < target)
        idle();
}

void AppHarness::finish() {
    if (app.world && app.windowOpen)
        app.world->releaseLists();
    app.destroyWindow();
    app.unregisterWindowClass();
}

} // namespace orbiton::test
