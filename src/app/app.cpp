// SPDX-FileCopyrightText: 2026 The Orbiton 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/app.h"

#include "platform/gl.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <limits>

#include "app/level_directory.h"
#include "objects/brick.h"
#include "platform/process_memory.h"
#include "render/render_setup.h"
#include "render/state_lists.h"
#include "world/level_check.h"

namespace orbiton {

App app;

namespace {
constexpr float kNearDistance = 1.15f;
constexpr float kFarDistance = 1.6f;
constexpr float kHalfPi = 1.5707964f;
// A sub-step may move the ball half its radius at most; a frame may take
// this many at most, so a stalled frame costs bounded work.
constexpr int kMaxSubSteps = 256;
} // namespace

App::App() = default;
App::~App() = default;

void App::notify(void (GameListener::*event)(App&)) {
    for (GameListener* l : listeners)
        (l->*event)(*this);
}

void App::brickHit() {
    notify(&GameListener::brickHit);
}

bool App::run(Platform& p) {
    if (!start(p))
        return false;
    while (turn() != Turn::Quit) {
    }
    stop();
    return true;
}

bool App::start(Platform& p) {
    platform = &p;
    keepFreedHeap();
    if (!registerWindowClass()) {
        platform->messageBox("Window initialization failed", "Error");
        return false;
    }
    fullscreen = startFullscreen;
    if (!createWindow(fullscreen)) {
        platform->messageBox("GL initialization failed", "Error");
        destroyWindow();
        unregisterWindowClass();
        return false;
    }
    levelsAtStart = levelsIn(levelDirectory);
    if (showLevelNotices && !levelsAtStart.count(firstLevel))
        platform->messageBox(noLevelsText(), "Orbiton 3D");
    sayMissingLevels();
    startLevel(0, firstLevel, 3);
    if (mouseCaptured)
        platform->warpCursor(width / 2, height / 2);
    return true;
}

App::Turn App::turn() {
    PlatformEvent event;
    if (platform->pollEvent(event)) {
        if (event.type == PlatformEvent::Type::Quit)
            return Turn::Quit;
        if (!replay || watcherTakes(event))
            takeEvent(event);
        return Turn::Event;
    }
    if (replay && !replayHeld && replay->nextEvent(event)) {
        // Quitting a watched replay is left to its watcher.
        const bool quits = event.type == PlatformEvent::Type::Close ||
                           (event.type == PlatformEvent::Type::KeyDown && event.key == key::Escape);
        if (!(replayWatched && quits))
            takeEvent(event);
        return Turn::Event;
    }
    (this->*idleHandler)();
    return Turn::Idle;
}

void App::stop() {
    if (world && windowOpen)
        world->releaseLists();
    destroyWindow();
    unregisterWindowClass();
}

void App::firstIdle() {
    idleHandler = &App::runFrame;
}

void App::runFrame() {
    if (replay) {
        // A watched replay shows the same picture again while it is held
        // or until its next frame's time comes: no time passes in the game,
        // so nothing in it moves or fades.
        if (replayWatched && replayHeld) {
            render(0.0f);
            return;
        }
        if (!replay->frameNext()) {
            replayEnded();
            if (replay)
                return;
        } else if (replayWatched && !replay->frameDue(platform->ticks())) {
            render(0.0f);
            return;
        }
    }
    notify(&GameListener::frameStarted);
    frameMouseDx = frameMouseDy = 0;
    const float dt = tick();
    if (world->levelCleared()) {
        // The largest level number is the last: past it the count would wrap.
        if (roundAfterLevel > 0 && level >= roundAfterLevel)
            level = 1;
        else if (level < std::numeric_limits<int>::max())
            level = level + 1;
        startLevel(score, level, lives);
    }
    if (inputSource && !paused) {
        const InputSource::Move m = inputSource->next(*world, ballLaunched, dt);
        mouseDx += m.dx;
        mouseDy += m.dy;
        if (m.reset)
            onKeyDown(key::R);
        if (m.launch)
            launchBall();
    }
    if (!paused) {
        world->paddle->steer(mouseDx, mouseDy);
        if (ballLaunched)
            stepBall(dt);
        else
            world->resetBall();
    }
    mouseDx = 0;
    mouseDy = 0; // movement gathered while paused is dropped here
    if (mouseCaptured)
        recentreMouse();
    updateCamera(dt);
    countFrame(dt);
    speedShownFor = std::max(0.0f, speedShownFor - dt);
    levelNoticeShownFor = std::max(0.0f, levelNoticeShownFor - dt);
    gapNoticeShownFor = std::max(0.0f, gapNoticeShownFor - dt);
    replayOverShownFor = std::max(0.0f, replayOverShownFor - dt);
    render(dt);
    if (recorder)
        recorder->frameTaken(dt, frameMouseDx, frameMouseDy);
    notify(&GameListener::frameEnded);
}

void App::stepBall(float dt) {
    Ball& ball = *world->ball;
    const double travel = length(ball.velocity) * dt;
    const double maxTravel = ball.radius * 0.5;
    int steps = 1;
    float subDt = dt;
    if (travel > maxTravel) {
        const double wanted = std::ceil(travel / maxTravel);
        if (wanted <= kMaxSubSteps) {
            steps = int(wanted);
            subDt = dt / float(steps);
        } else {
            // A stall: the frame covers less time rather than tunnel or spin.
            steps = kMaxSubSteps;
            subDt = float(maxTravel / length(ball.velocity));
        }
    }
    for (int i = 0; i < steps && ballLaunched; ++i) {
        ball.step(subDt);
        if (!ballLaunched)
            notify(&GameListener::ballLost);
    }
}

void App::startLevel(int newScore, int newLevel, int newLives) {
    world.reset();
    const bool firstVisit = levelsVisited.insert(newLevel).second;
    world = std::make_unique<World>(newLevel, this, levelDirectory,
                                    windowOpen ? World::Lists::Build : World::Lists::Defer,
                                    firstVisit ? World::Problems::Say : World::Problems::Quiet);
    if (firstVisit)
        reportLevel(newLevel);
    level = newLevel;
    lives = newLives;
    score = newScore;
    ballLaunched = false;
    notify(&GameListener::levelStarted);
}

std::string App::noticeFor(int number) const {
    char text[64];
    if (!world->fileRead) {
        std::snprintf(text, sizeof text, "LEVEL %d CANNOT BE READ", number);
    } else {
        const std::size_t found =
            world->report.problems.size() + unplayable(world->report, world->bricks.size()).size();
        if (found == 0)
            return "";
        std::snprintf(text, sizeof text, "LEVEL %d: %zu PROBLEM%s", number, found,
                      found == 1 ? "" : "S");
    }
    return text;
}

std::vector<int> App::missingLevels() const {
    std::vector<int> missing;
    if (levelsAtStart.empty())
        return missing;
    for (int n = firstLevel + 1; n < *levelsAtStart.rbegin(); ++n)
        if (!levelsAtStart.count(n))
            missing.push_back(n);
    return missing;
}

bool App::allCleared() const {
    return !levelsAtStart.empty() && firstLevel <= *levelsAtStart.rbegin() &&
           level > *levelsAtStart.rbegin();
}

void App::sayMissingLevels() {
    const std::vector<int> missing = missingLevels();
    if (missing.empty())
        return;
    // A few numbers say it; a folder with hundreds missing is named by its first ones.
    constexpr std::size_t kNamed = 3;
    std::string files, numbers;
    for (std::size_t i = 0; i < missing.size() && i < kNamed; ++i) {
        files += (i ? ", " : "") + std::to_string(missing[i]) + ".lvl";
        numbers += (i ? ", " : "") + std::to_string(missing[i]);
    }
    const std::string more =
        missing.size() > kNamed ? " and " + std::to_string(missing.size() - kNamed) + " more" : "";
    const std::string where = levelDirectory.empty() ? "the working directory" : levelDirectory;
    std::fprintf(stderr,
                 "orbiton3d: warning: %s has no %s%s, though later levels follow: %s as an empty "
                 "level, skipped at once\n",
                 where.c_str(), files.c_str(), more.c_str(),
                 missing.size() == 1 ? "that level plays" : "each plays");
    if (showLevelNotices) {
        gapNotice = (missing.size() == 1 ? "NO LEVEL " : "NO LEVELS ") + numbers +
                    (more.empty() ? "" : " ...") + ": SKIPPED";
        gapNoticeShownFor = kNoticeShownSeconds;
    }
}

std::string App::noLevelsText() const {
    const std::string where = levelDirectory.empty() ? "the working directory" : levelDirectory;
    if (!levelsAtStart.empty())
        return "No " + std::to_string(firstLevel) + ".lvl in " + where +
               ": the game starts on an empty level.";
    if (levelDirectory.empty())
        return "No levels found: there are no level files (1.lvl, 2.lvl, ...) in a folder named "
               "\"levels\" beside the game, nor in the working directory.\n\nWithout them "
               "every level is empty.";
    return "No levels found: " + levelDirectory +
           " has no level files (1.lvl, 2.lvl, ...).\n\nWithout them every level is empty.";
}

void App::reportLevel(int number) {
    if (showLevelNotices && (world->fileRead || levelsAtStart.count(number))) {
        levelNotice = noticeFor(number);
        levelNoticeShownFor = levelNotice.empty() ? 0.0f : kNoticeShownSeconds;
    }
    if (world->fileRead) {
        // What the level checker would say of it, said as the level starts.
        for (const auto& p : unplayable(world->report, world->bricks.size())) {
            if (p.line > 0)
                std::fprintf(stderr, "%s:%d: warning: %s\n", world->fileName.c_str(), p.line,
                             p.message.c_str());
            else
                std::fprintf(stderr, "%s: warning: %s\n", world->fileName.c_str(),
                             p.message.c_str());
        }
    } else if (levelsAtStart.count(number)) {
        std::fprintf(stderr,
                     "orbiton3d: warning: %s was there when the game started and cannot be read "
                     "now; level %d plays as an empty level\n",
                     world->fileName.c_str(), number);
    }
}

void App::replayEnded() {
    if (!replayWatched || !replay->error().empty()) {
        // The run ends with the replay; one that did not fit says why.
        if (replayWatched)
            platform->messageBox(replay->error(), "Orbiton 3D");
        platform->postQuit();
        return;
    }
    // Watched to its end: the game goes on from here as the player's.
    replay = nullptr;
    replayHeld = false;
    previousTickSet = false;
    discardMouse = true; // the watcher's pointer moved under the replay
    replayOverShownFor = kReplayOverShownSeconds;
}

float App::tick() {
    if (replay)
        return replay->takeFrame();
    if (!previousTickSet) {
        previousTick = platform->ticks();
        previousTickSet = true;
    }
    const std::uint32_t now = platform->ticks();
    const std::uint32_t delta = now - previousTick; // wraps correctly
    previousTick = now;
    return float(delta) * 0.001f;
}

Vec3 App::rotateVector(const Quaternion& q, const Vec3& v) {
    return rotate(q, v);
}

void App::updateCamera(float dt) {
    const float rate = dt * 10.0f;
    viewDirection = rotateVector(world->paddle->orientation, Vec3(1, 0, 0));
    viewUp = rotateVector(world->paddle->orientation, Vec3(0, 1, 0));
    zoomBlend = zoomBlend + rate * (zoomKeyUp ? -1.0f : 1.0f);
    if (zoomBlend < 0.0f)
        zoomBlend = 0.0f;
    else if (zoomBlend > 1.0f)
        zoomBlend = 1.0f;
    const float span = kFarDistance - kNearDistance;
    if (zoomKeyUp) // coming back in: the square of the blend
        viewDistance = kNearDistance + span * zoomBlend * zoomBlend;
    else // going out: eased in with a sine
        viewDistance = kNearDistance + span * std::sin(zoomBlend * kHalfPi);
}

void App::render(float dt) {
    if (!drawOptions.drawing) {
        platform->swapBuffers();
        return;
    }
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    placeCameraAndLights(viewDirection, viewUp, viewDistance, world->ball->position);

    char number[32];
    drawText("Lives:", 10, 70);
    std::snprintf(number, sizeof number, "%d", lives);
    drawText(number, 125, 70);
    drawText("Score:", 10, 40);
    std::snprintf(number, sizeof number, "%d", score);
    drawText(number, 125, 40);
    std::snprintf(number, sizeof number, "Level: %d", level);
    drawText(number, 10, height - 30);
    if (levelNoticeShownFor > 0.0f)
        drawText(levelNotice.c_str(), 10, height - 70);
    if (gapNoticeShownFor > 0.0f)
        drawText(gapNotice.c_str(), 10, height - 110);
    drawText(fpsText, 10, 10);
    const std::string status = statusWord();
    if (!status.empty())
        drawText(status.c_str(), width - 10 - int(textWidth(status.c_str()) + 0.5f), height - 30);

    setSightLine(viewDirection, world->ball->position);
    frameTime = dt;

    // The batched drawing knows this frame's fades before anything is drawn,
    // so the arena's far wall too can leave out what the shells hide.
    const bool batched = drawOptions.drawBricks && drawOptions.batchBricks;
    world->setArenaBuffered(drawOptions.bufferArena);
    if (batched) {
        world->stepBrickFades();
        world->markHidden(viewDirection * viewDistance,
                          drawOptions.hideEnclosed && drawOptions.bufferArena);
    }
    if (drawOptions.drawArena)
        for (auto& o : world->others)
            o->draw();
    world->ball->draw();
    if (!drawOptions.drawBricks) {
        world->stepBrickFades();
    } else if (batched) {
        world->brickBatches.draw(world->bricks);
    } else {
        for (auto& b : world->bricks)
            b->draw();
        for (auto& b : world->bricks)
            b->drawBlended();
    }
    world->ball->draw();
    if (paddleVisible)
        world->paddle->drawBlended();
    if (drawOptions.drawArena)
        for (auto& o : world->others)
            o->drawBlended();
    platform->swapBuffers();
}

} // namespace orbiton
