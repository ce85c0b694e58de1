#include "world/level_check.h"

#include <algorithm>
#include <cstdio>
#include <fstream>

#include "world/level_loader.h"

namespace orbiton {

namespace {

std::string appliedText(const LevelReport::AppliedLine& a) {
    char buf[256];
    if (a.arena)
        std::snprintf(buf, sizeof buf,
                      "OuterShell depth %d faces 0x%02X: %zu triangles, collision mask %u", a.depth,
                      a.faceMask, a.triangles, a.collisionMask);
    else
        std::snprintf(buf, sizeof buf, "Shell depth %d faces 0x%02X parts 0x%X \"%s\": %zu bricks",
                      a.depth, a.faceMask, a.subMask, a.material.c_str(), a.bricks);
    return buf;
}

// Loads one file and prints its lines; the number of problems found.
std::size_t checkOne(const std::string& name, bool verbose, std::ostream& out) {
    std::ifstream file(name, std::ios::binary);
    if (!file) {
        out << name << ": cannot open the file\n";
        out << name << ": 0 bricks, 0 arena shells (0 triangles), 1 problems\n";
        return 1;
    }
    BrickList bricks;
    ObjectList others;
    LevelReport report;
    LevelLoader(bricks, others, report).loadLevel(file);

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
    for (const Entry& e : entries)
        out << name << ":" << e.line << ": " << e.text << "\n";

    std::size_t triangles = 0;
    for (const auto& o : others)
        triangles += o->getShape()->triangles.size();
    out << name << ": " << bricks.size() << " bricks, " << others.size() << " arena shells ("
        << triangles << " triangles), " << report.problems.size() << " problems\n";
    return report.problems.size();
}

} // namespace

int checkLevels(const std::vector<std::string>& files, bool verbose, std::ostream& out) {
    std::size_t problems = 0;
    for (const std::string& f : files)
        problems += checkOne(f, verbose, out);
    return problems == 0 ? 0 : 1;
}

} // namespace orbiton
