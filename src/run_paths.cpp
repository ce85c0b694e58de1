// SPDX-FileCopyrightText: 2026 The Orbiton 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "run_paths.h"

#include <cctype>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <utility>
#include <vector>

#include "app/level_directory.h"
#include "world/level_file.h"
#include "world/world.h"

namespace orbiton {

namespace {

// The level folder and the level to preview must be there before anything
// starts; an empty string when they are.
std::string checkLevelPaths(const CommandLine& o) {
    namespace fs = std::filesystem;
    std::error_code ec;
    if (!o.levels.empty()) {
        const fs::file_status st = fs::status(fs::u8path(o.levels), ec);
        if (ec)
            return "--levels " + o.levels + ": " + ec.message();
        if (!fs::is_directory(st))
            return "--levels " + o.levels + ": not a directory";
    }
    const std::string dir = resolveLevelDirectory(o.levels);
    // A folder that is there but closed to us would only ever show empty levels.
    (void)fs::status(fs::u8path(World::levelFileName(o.level, dir)), ec);
    if (ec && ec != std::errc::no_such_file_or_directory)
        return "cannot read the level folder " + (dir.empty() ? std::string(".") : dir) + ": " +
               ec.message();
    if (o.previewLevel > 0) {
        const std::string name = World::levelFileName(o.previewLevel, dir);
        std::ifstream file;
        std::string why;
        bool missing = false;
        if (!openLevelFile(name, file, why, missing))
            return "no level " + std::to_string(o.previewLevel) + " to preview: " + name + ": " +
                   why;
    } else if (o.replay.empty() && // a replay's levels are checked against it
               !fs::exists(fs::u8path(World::levelFileName(o.level, dir)), ec)) {
        const std::string where = dir.empty() ? "the working directory" : dir;
        std::fprintf(stderr,
                     "orbiton3d: warning: %s has no %d.lvl; a level missing from the folder "
                     "plays as an empty level\n",
                     where.c_str(), o.level);
    }
    return "";
}

// A file a run will write must be possible to write before the run starts:
// its folder there, and the path not a folder. An empty string when so.
std::string checkOutputPath(const std::string& what, const std::string& path) {
    namespace fs = std::filesystem;
    if (path.empty())
        return "";
    std::error_code ec;
    if (fs::is_directory(fs::u8path(path), ec))
        return "cannot write the " + what + " " + path + ": it is a directory";
    fs::path folder = fs::u8path(path).parent_path();
    if (folder.empty())
        folder = ".";
    const fs::file_status st = fs::status(folder, ec);
    if (!fs::exists(st))
        return "cannot write the " + what + " " + path + ": no folder " + folder.u8string();
    if (!fs::is_directory(st))
        return "cannot write the " + what + " " + path + ": " + folder.u8string() +
               " is not a directory";
    return "";
}

// Every file a run will write, with what it is: the event log, the trace,
// the replay and the picture.
std::vector<std::pair<std::string, std::string>> outputsOf(const CommandLine& o) {
    std::vector<std::pair<std::string, std::string>> outputs;
    for (const auto& [what, path] : {std::pair<std::string, std::string>{"events file", o.events},
                                     {"trace file", o.trace},
                                     {"replay file", o.record},
                                     {"picture", o.screenshot}})
        if (!path.empty())
            outputs.emplace_back(what, path);
    return outputs;
}

std::string checkOutputPaths(const CommandLine& o) {
    for (const auto& [what, path] : outputsOf(o)) {
        const std::string error = checkOutputPath(what, path);
        if (!error.empty())
            return error;
    }
    return "";
}

// Where a path leads: links followed, even to a file not made yet (where
// writing it would create it), and the path made canonical.
std::filesystem::path resolved(std::filesystem::path p) {
    namespace fs = std::filesystem;
    std::error_code ec;
    // A link to a file not made yet leads where writing it would create it.
    for (int hops = 0; hops < 40 && fs::is_symlink(fs::symlink_status(p, ec)); ++hops) {
        const fs::path target = fs::read_symlink(p, ec);
        if (ec)
            break;
        p = target.is_absolute() ? target : p.parent_path() / target;
    }
    const fs::path real = fs::weakly_canonical(p, ec);
    return ec ? p.lexically_normal() : real;
}

// Whether two paths name one file: the same file when both are there (hard
// links and aliases included), else the same path once resolved.
bool sameFile(const std::filesystem::path& a, const std::filesystem::path& b) {
    namespace fs = std::filesystem;
    std::error_code ec;
    if (fs::exists(a, ec) && fs::exists(b, ec))
        return fs::equivalent(a, b, ec);
    return resolved(a) == resolved(b);
}

bool endsWithLevelSuffix(const std::string& name) {
    if (name.size() < 4)
        return false;
    std::string tail = name.substr(name.size() - 4);
    for (char& c : tail)
        c = char(std::tolower(static_cast<unsigned char>(c)));
    return tail == ".lvl";
}

// No output may land on what the run reads, nor two outputs on one file:
// a slip on the command line must not overwrite a level or a script. An
// empty string when none does.
std::string checkOutputsAgainstInputs(const CommandLine& o) {
    namespace fs = std::filesystem;
    const std::vector<std::pair<std::string, std::string>> outputs = outputsOf(o);
    const std::string dir = resolveLevelDirectory(o.levels);
    const fs::path levels = fs::u8path(dir.empty() ? "." : dir);
    std::vector<fs::path> levelFiles;
    std::error_code ec;
    for (fs::directory_iterator it(levels, ec), end; !ec && it != end; it.increment(ec))
        if (endsWithLevelSuffix(it->path().filename().u8string()))
            levelFiles.push_back(it->path());
    for (std::size_t i = 0; i < outputs.size(); ++i) {
        const auto& [what, path] = outputs[i];
        const fs::path out = fs::u8path(path);
        for (std::size_t j = 0; j < i; ++j)
            if (sameFile(fs::u8path(outputs[j].second), out))
                return "the " + outputs[j].first + " " + outputs[j].second + " and the " + what +
                       " " + path + " are one file: each would overwrite the other";
        for (const auto& [input, name] :
             {std::pair<std::string, std::string>{"script", o.script}, {"replay", o.replay}})
            if (!name.empty() && sameFile(fs::u8path(name), out))
                return "the " + what + " " + path + " is the " + input + " " + name +
                       ": writing it would destroy the " + input;
        for (const fs::path& level : levelFiles)
            if (sameFile(level, out))
                return "the " + what + " " + path + " is the level file " + level.u8string() +
                       ": writing it would destroy the level";
        // A new level file in the folder would be played as a level.
        if (endsWithLevelSuffix(out.filename().u8string()) &&
            sameFile(out.parent_path().empty() ? fs::path(".") : out.parent_path(), levels))
            return "the " + what + " " + path + " would be a level file in the level folder " +
                   levels.u8string();
    }
    return "";
}

// A run's input script or replay: a readable regular file.
std::string checkInputPath(const std::string& what, const std::string& path) {
    namespace fs = std::filesystem;
    if (path.empty())
        return "";
    std::error_code ec;
    const fs::file_status st = fs::status(fs::u8path(path), ec);
    if (ec)
        return "cannot read the " + what + " " + path + ": " + ec.message();
    if (!fs::is_regular_file(st))
        return "the " + what + " " + path + " is not a regular file";
    return "";
}

} // namespace

std::string checkRunPaths(const CommandLine& o) {
    std::string error = checkLevelPaths(o);
    if (error.empty())
        error = checkOutputPaths(o);
    if (error.empty())
        error = checkInputPath("script", o.script);
    if (error.empty())
        error = checkInputPath("replay", o.replay);
    if (error.empty())
        error = checkOutputsAgainstInputs(o);
    return error;
}

} // namespace orbiton
