// SPDX-FileCopyrightText: 2026 The Orbiton 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <memory>
#include <string>

#include "objects/ball.h"
#include "objects/brick_batches.h"
#include "paddle_arena/paddle.h"
#include "world/brick_index.h"
#include "world/enclosing_shells.h"
#include "world/level_loader.h"

namespace orbiton {

// What a World changes in its owner: the score and whether the ball flies,
// and the owner hears of every brick hit.
struct GameCounters {
    virtual ~GameCounters() = default;
    virtual void brickHit() {}
    int score = 0;
    bool ballLaunched = false;
};

// Everything of one level: arena shells, bricks, ball and paddle. It answers
// whether the level is cleared, puts the ball back on the paddle and removes
// bricks the ball hits.
class World : public BallWorld {
  public:
    // Builds display lists at once (the game, with a current context) or
    // leaves that to a later buildLists (tools and simulations without one).
    enum class Lists { Build, Defer };

    // Reads "<level>.lvl" from levelDirectory (the working directory when
    // empty). A missing file gives an empty level; problems in the file are
    // kept in report and, unless told to keep quiet (a level played again),
    // printed to stderr as "FILE:LINE: message".
    enum class Problems { Say, Quiet };
    World(int level, GameCounters* counters, const std::string& levelDirectory = "",
          Lists lists = Lists::Build, Problems problems = Problems::Say);
    // The same from an open stream; name is used in messages.
    World(std::istream& in, const std::string& name, GameCounters* counters, Lists lists);
    ~World() override;
    World(const World&) = delete;
    World& operator=(const World&) = delete;

    static std::string levelFileName(int level, const std::string& levelDirectory);

    bool levelCleared() const { return bricks.empty(); }
    void resetBall() override;
    // Removes and destroys the brick and scores 100; a brick not in the list
    // is only scored.
    void hitBrick(Brick* brick) override;

    // The Ball's view: the paddle, the bricks near it (through the brick
    // index while broadPhase is on), the arena shells.
    SceneObject& paddleObject() override { return *paddle; }
    void candidateBricks(const Vec3& position, double reach, std::vector<Brick*>& out) override;
    const std::vector<std::unique_ptr<SceneObject>>& walls() const override { return others; }
    bool narrowsSearch() const override { return broadPhase; }
    void buildLists();
    void releaseLists();
    // The batched drawing's first steps, before anything is drawn: every
    // brick's fade for this frame (the batches leave the alphas in the
    // material records when the bricks' turn comes); then which bricks and far-wall triangles of
    // the arena the closed shells hide from eye (none with hide off).
    void stepBrickFades();
    void markHidden(const Vec3& eye, bool hide);
    // The arena shells drawn from their vertex buffers, or from their lists.
    void setArenaBuffered(bool buffered);
    // Rebuilds the ball's spatial indexes after the lists were changed by
    // other means than hitBrick (a level editor, a test). The closed shells
    // are forgotten then: nothing is left out of the drawing as hidden.
    void indexObjects();

    GameCounters* counters; // the score and the ball's flight, kept by the owner
    std::string fileName;   // where the level was read from
    bool fileRead = false;  // false: no such file, or it could not be read
    ObjectList others;
    BrickList bricks;
    std::unique_ptr<Ball> ball;
    std::unique_ptr<Paddle> paddle;
    LevelReport report;
    int bricksRemoved = 0;
    // The ball looks only at bricks and wall triangles near it; off, it walks
    // them all. Both find the same contacts.
    bool broadPhase = true;
    BrickIndex brickIndex;
    // The bricks' drawing in few draw calls, with the pixels of their own passes.
    BrickBatches brickBatches;
    // The closed shells of the level, for leaving out what they hide.
    EnclosingShells enclosingShells;

  private:
    void build(std::istream* in, const std::string& name, Lists lists, bool sayProblems);
};

} // namespace orbiton
