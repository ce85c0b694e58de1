// SPDX-FileCopyrightText: 2026 The Orbiton 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <cstdint>
#include <istream>
#include <memory>
#include <string>
#include <vector>

#include "world/brick_shell.h"

namespace orbiton {

using ObjectList = std::vector<std::unique_ptr<SceneObject>>;

// Limits that keep a level file from exhausting memory or time. Eight full
// depth-5 shells (8,192 bricks each) fit in a level; a full depth-6 shell
// (32,768) is the most one line may make.
constexpr std::uint64_t kMaxBricksPerLine = 32768;
constexpr std::uint64_t kMaxBricksPerLevel = 65536;
// Arena triangles a level may hold: two of the largest single meshes (one
// face at depth 8), or four full depth-6 spheres.
constexpr std::uint64_t kMaxArenaTrianglesPerLevel = 131072;
// Deeper splits than this are refused: with one part kept, the brick count
// stays small at any depth, but the split recurses once per level, and by
// then its triangles are far smaller than anything the screen can show.
constexpr int kMaxShellDepth = 16;
constexpr std::size_t kMaxLineLength = 255;
constexpr std::size_t kMaxMaterialNameLength = 99;
// Problems printed for one file; a badly broken file says how many more it has.
constexpr std::size_t kMaxProblemLinesShown = 100;
// The arena wall's radius; the ball is put back on the paddle beyond it, so
// nothing there can be hit.
constexpr float kArenaRadius = 0.5f;

// The limits a loader enforces; the defaults above unless a tool (the
// fuzzer, which wants many small runs) asks for less.
struct LevelLimits {
    std::uint64_t bricksPerLine = kMaxBricksPerLine;
    std::uint64_t bricksPerLevel = kMaxBricksPerLevel;
    std::uint64_t arenaTrianglesPerLevel = kMaxArenaTrianglesPerLevel;
};

// What loading a level file said and did, line by line.
struct LevelReport {
    struct Problem {
        int line;
        std::string message;
    };
    struct AppliedLine {
        int line;
        bool arena; // an OuterShell line, otherwise a Shell line
        int depth;
        unsigned faceMask;
        unsigned subMask;
        std::string material;
        std::size_t bricks = 0;
        float firstRadius = 0.0f; // of a Shell line
        float secondRadius = 0.0f;
        std::size_t triangles = 0;
        unsigned collisionMask = 0;
    };
    std::vector<Problem> problems;
    std::vector<AppliedLine> applied;
};

// Reads a level file line by line into the two lists. Lines are 255 bytes at
// most (the rest, up to 9999 more, is skipped); leading white space is
// skipped; "#" starts a comment; "Shell " and "OuterShell " lines are scanned
// as "Shell %d %f %f %x %x %s" and "OuterShell %d %x", missing fields keeping
// 0. Anything else is ignored. Lines that would never finish, exhaust memory
// or look mistaken are refused or reported in the report. UTF-16 text with a
// byte-order mark is read as its text; without the mark it is reported.
class LevelLoader {
  public:
    LevelLoader(BrickList& bricks, ObjectList& others, LevelReport& report,
                const LevelLimits& limits = LevelLimits());

    void loadLevel(std::istream& in);
    // Applies one line; lineNumber is only used in the report.
    void parseLine(const std::string& line, int lineNumber = 0);

  private:
    // The lines of a text in UTF-8 (or plain bytes).
    void loadText(std::streambuf& text);
    void parseShell(const char* fields, int lineNumber);
    void parseOuterShell(const char* fields, int lineNumber);
    void checkUnrecognised(const std::string& line, int lineNumber);
    void problem(int lineNumber, const std::string& message);

    BrickList& bricks;
    ObjectList& others;
    LevelReport& report;
    LevelLimits limits;
    std::uint64_t bricksSoFar = 0;
    std::uint64_t arenaTrianglesSoFar = 0;
};

} // namespace orbiton
