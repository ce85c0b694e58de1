// SPDX-FileCopyrightText: 2026 The Orbiton 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "world/world.h"

#include <algorithm>
#include <cstdio>

#include "paddle_arena/outer_shell.h"
#include "world/level_file.h"

namespace orbiton {

namespace {
constexpr float kPaddleDistance = 0.47f;
constexpr float kRestFactor = 0.47f - 0.005f; // just inside the paddle
constexpr float kBallMass = 0.1f;
constexpr int kBrickPoints = 100;
} // namespace

std::string World::levelFileName(int level, const std::string& levelDirectory) {
    const std::string name = std::to_string(level) + ".lvl";
    if (levelDirectory.empty())
        return name;
    return levelDirectory.back() == '/' ? levelDirectory + name : levelDirectory + "/" + name;
}

World::World(int level, GameCounters* counters_, const std::string& levelDirectory, Lists lists,
             Problems problems)
    : counters(counters_) {
    const std::string name = levelFileName(level, levelDirectory);
    std::ifstream file;
    std::string why;
    bool missing = false;
    const bool readable = openLevelFile(name, file, why, missing);
    const bool say = problems == Problems::Say;
    // No file is the normal end of the levels; anything else unreadable is said.
    if (!readable && !missing && say)
        std::fprintf(stderr, "%s: cannot read the level: %s\n", name.c_str(), why.c_str());
    build(readable ? &file : nullptr, name, lists, say);
}

World::World(std::istream& in, const std::string& name, GameCounters* counters_, Lists lists)
    : counters(counters_) {
    build(&in, name, lists, true);
}

void World::build(std::istream* in, const std::string& name, Lists lists, bool sayProblems) {
    fileName = name;
    fileRead = in != nullptr;
    if (in) {
        LevelLoader loader(bricks, others, report);
        loader.loadLevel(*in);
        std::size_t shown = 0;
        if (sayProblems)
            for (const auto& p : report.problems)
                if (shown++ < kMaxProblemLinesShown) {
                    if (p.line > 0)
                        std::fprintf(stderr, "%s:%d: %s\n", name.c_str(), p.line,
                                     p.message.c_str());
                    else // the file as a whole
                        std::fprintf(stderr, "%s: %s\n", name.c_str(), p.message.c_str());
                }
        if (shown > kMaxProblemLinesShown)
            std::fprintf(stderr, "%s: %zu more problems not shown\n", name.c_str(),
                         shown - kMaxProblemLinesShown);
    }
    ball = std::make_unique<Ball>(this, kBallMass, Vec3(0, 0, 0), Vec3(0, 0, 0));
    paddle = std::make_unique<Paddle>(kPaddleDistance, Vec3(1, 0, 0), Vec3(0, 1, 0), false);
    for (auto& o : others)
        o->computeCollisionMask();
    for (auto& b : bricks)
        b->computeCollisionMask();
    indexObjects();
    enclosingShells.find(report, bricks); // the bricks are still as the lines made them
    resetBall();
    if (lists == Lists::Build)
        buildLists();
}

World::~World() {
    // Arena shells, then bricks, then paddle, then ball.
    for (auto& o : others)
        o.reset();
    for (auto& b : bricks)
        b.reset();
    paddle.reset();
    ball.reset();
}

void World::indexObjects() {
    for (auto& o : others)
        o->shape->buildIndex();
    brickIndex.build(bricks);
    brickBatches.assign(bricks);
    // Changed lists no longer match the level's lines: nothing counts as hidden.
    enclosingShells = EnclosingShells();
}

void World::resetBall() {
    ball->position = paddle->position * kRestFactor;
    ball->velocity = Vec3(0, 0, 0);
    counters->ballLaunched = false;
}

void World::hitBrick(Brick* brick) {
    brick->onHit();
    auto it = std::find_if(bricks.begin(), bricks.end(),
                           [&](const std::unique_ptr<Brick>& b) { return b.get() == brick; });
    if (it != bricks.end()) {
        brickIndex.remove(brick);
        brickBatches.forget(brick);
        enclosingShells.removed(brick);
        bricks.erase(it); // the others keep their order
        ++bricksRemoved;
    }
    counters->score += kBrickPoints;
    counters->brickHit();
}

void World::candidateBricks(const Vec3& position, double reach, std::vector<Brick*>& out) {
    if (broadPhase && reach >= 0.0) {
        brickIndex.near(position, float(reach), out);
        return;
    }
    out.reserve(bricks.size());
    for (auto& b : bricks)
        out.push_back(b.get());
}

void World::stepBrickFades() {
    for (auto& b : bricks)
        b->updateFade();
}

void World::markHidden(const Vec3& eye, bool hide) {
    if (hide)
        enclosingShells.markHidden(bricks, eye);
    else
        for (auto& b : bricks)
            b->hidden = b->innerEdgesHidden = false;
    for (auto& o : others) {
        auto* arena = dynamic_cast<OuterShell*>(o.get());
        if (!arena)
            continue;
        arena->farWall.clear();
        arena->farWallCut = false;
        if (!hide || !enclosingShells.hidesAnything())
            continue;
        const Mesh& m = *arena->getShape();
        for (std::size_t k = 0; k < m.triangles.size(); ++k) {
            const Triangle& t = m.triangles[k];
            const Vec3 corners[3] = {m.vertices[t[0]], m.vertices[t[1]], m.vertices[t[2]]};
            if (enclosingShells.hides(corners, 3)) {
                arena->farWallCut = true;
                continue;
            }
            for (std::uint32_t i = 0; i < 3; ++i)
                arena->farWall.push_back(std::uint32_t(3 * k) + i);
        }
    }
}

void World::setArenaBuffered(bool buffered) {
    for (auto& o : others)
        if (auto* arena = dynamic_cast<OuterShell*>(o.get()))
            arena->buffered = buffered;
}

void World::buildLists() {
    for (auto& o : others)
        o->buildLists();
    for (auto& b : bricks)
        b->buildLists();
    brickBatches.buildLists();
    paddle->buildLists();
    ball->buildLists();
}

void World::releaseLists() {
    for (auto& o : others)
        o->releaseLists();
    for (auto& b : bricks)
        b->releaseLists();
    brickBatches.releaseLists();
    paddle->releaseLists();
    ball->releaseLists();
}

} // namespace orbiton
