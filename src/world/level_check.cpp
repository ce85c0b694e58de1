// SPDX-FileCopyrightText: 2026 The Orbiton 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "world/level_check.h"

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <exception>
#include <fstream>

#include "world/level_file.h"
#include "world/level_loader.h"

namespace orbiton {

namespace {

// "1 brick", "2 bricks".
std::string counted(std::size_t n, const std::string& thing) {
    return std::to_string(n) + " " + thing + (n == 1 ? "" : "s");
}

// A file's summary line.
std::string summary(std::size_t bricks, std::size_t shells, std::size_t triangles,
                    std::size_t problems) {
    return counted(bricks, "brick") + ", " + counted(shells, "arena shell") + " (" +
           counted(triangles, "triangle") + "), " + counted(problems, "problem");
}

std::string appliedText(const LevelReport::AppliedLine& a) {
    char buf[256];
    if (a.arena)
        std::snprintf(buf, sizeof buf, "OuterShell depth %d faces 0x%02X: %s", a.depth, a.faceMask,
                      counted(a.triangles, "triangle").c_str());
    else
        std::snprintf(buf, sizeof buf, "Shell depth %d faces 0x%02X parts 0x%X \"%s\": %s", a.depth,
                      a.faceMask, a.subMask, a.material.c_str(),
                      counted(a.bricks, "brick").c_str());
    return buf;
}

std::string radius(float r) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "%g", double(r));
    return buf;
}

} // namespace

std::vector<LevelReport::Problem> unplayable(const LevelReport& report, std::size_t bricks) {
    std::vector<LevelReport::Problem> found;
    for (const auto& a : report.applied) {
        if (a.arena || a.bricks == 0)
            continue;
        const float r1 = a.firstRadius, r2 = a.secondRadius;
        if (r1 <= 0.0f || r2 <= 0.0f)
            found.push_back({a.line, "Shell radius " + radius(r1 <= 0.0f ? r1 : r2) +
                                         " is not above 0: its bricks pass through the centre"});
        else if (r1 == r2)
            found.push_back({a.line, "Shell radii are equal (" + radius(r1) +
                                         "): its bricks have no thickness"});
        // A prism's farthest points are its corners, on the two spheres.
        const float outer = std::max(std::fabs(r1), std::fabs(r2));
        if (outer > kArenaRadius)
            found.push_back(
                {a.line, "Shell bricks reach radius " + radius(outer) +
                             ", beyond the arena's 0.5: the ball is put back on the paddle "
                             "there and can never clear them"});
    }
    if (bricks == 0)
        found.push_back({0, "the level has no bricks: the game skips it at once"});
    return found;
}

namespace {

// Loads one file and prints its lines; the number of problems found.
std::size_t checkOne(const std::string& name, bool verbose, std::ostream& out) {
    std::ifstream file;
    std::string why;
    bool missing = false;
    if (!openLevelFile(name, file, why, missing)) {
        out << name << ": cannot open the file: " << why << "\n";
        out << name << ": " << summary(0, 0, 0, 1) << "\n";
        return 1;
    }
    BrickList bricks;
    ObjectList others;
    LevelReport report;
    LevelLoader(bricks, others, report).loadLevel(file);
    for (const auto& p : unplayable(report, bricks.size()))
        report.problems.push_back(p);

    struct Entry {
        int line;
        int order;
        std::string text;
    };
    std::vector<Entry> entries;
    for (const auto& p : report.problems)
        entries.push_back({p.line, 0, p.message});
    if (verbose)
        for (const auto& a : report.applied)
            entries.push_back({a.line, 1, appliedText(a)});
    std::stable_sort(entries.begin(), entries.end(), [](const Entry& a, const Entry& b) {
        return a.line != b.line ? a.line < b.line : a.order < b.order;
    });
    std::size_t problemsShown = 0;
    for (const Entry& e : entries) {
        if (e.order == 0 && problemsShown++ >= kMaxProblemLinesShown)
            continue;
        if (e.line == 0) // the file as a whole
            out << name << ": " << e.text << "\n";
        else
            out << name << ":" << e.line << ": " << e.text << "\n";
    }
    if (problemsShown > kMaxProblemLinesShown)
        out << name << ": " << counted(problemsShown - kMaxProblemLinesShown, "more problem")
            << " not shown\n";

    std::size_t triangles = 0;
    for (const auto& o : others)
        triangles += o->getShape()->triangles.size();
    out << name << ": " << summary(bricks.size(), others.size(), triangles, report.problems.size())
        << "\n";
    return report.problems.size();
}

} // namespace

int checkLevels(const std::vector<std::string>& files, bool verbose, std::ostream& out,
                int* writeError) {
    if (writeError)
        *writeError = 0;
    std::size_t problems = 0;
    for (const std::string& f : files) {
        try {
            problems += checkOne(f, verbose, out);
        } catch (const std::exception& e) {
            // A read that fails midway (an I/O error): this file's result, not the run.
            out << f << ": cannot read the file: " << e.what() << "\n";
            out << f << ": " << summary(0, 0, 0, 1) << "\n";
            ++problems;
        }
        // A stream that failed writes nothing more, so errno is still the write's.
        if (!out.flush()) {
            if (writeError)
                *writeError = errno != 0 ? errno : EIO;
            return 1;
        }
    }
    return problems == 0 ? 0 : 1;
}

} // namespace orbiton
