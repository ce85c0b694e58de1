// orbiton3d: the game, and the tools that need no display.
#include <cstdio>
#include <cstring>
#include <iostream>
#include <string>
#include <vector>

#include "world/level_check.h"

namespace {

const char* kUsage =
    "Usage: orbiton3d [--levels DIR]\n"
    "       orbiton3d --check [--verbose] FILE...\n"
    "       orbiton3d --help | --version\n"
    "\n"
    "Orbiton 3D, a ball-and-paddle brick game played inside a sphere.\n"
    "\n"
    "  --levels DIR   read the levels 1.lvl, 2.lvl, ... from DIR\n"
    "  --check FILE   check level files without playing: print every problem as\n"
    "                 FILE:LINE: message, then FILE: B bricks, S arena shells\n"
    "                 (T triangles), P problems. Exit status 0 when no file has a\n"
    "                 problem, 1 otherwise, 2 for a usage error.\n"
    "  --verbose      with --check, also print what every Shell and OuterShell\n"
    "                 line made\n"
    "  --help         show this text\n"
    "  --version      show the version\n";

int usageError(const std::string& message) {
    std::fprintf(stderr, "orbiton3d: %s\n%s", message.c_str(), kUsage);
    return 2;
}

} // namespace

int main(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    if (!args.empty() && args[0] == "--help") {
        std::fputs(kUsage, stdout);
        return 0;
    }
    if (!args.empty() && args[0] == "--version") {
        std::printf("orbiton3d %s\n", ORBITON_VERSION);
        return 0;
    }
    if (!args.empty() && args[0] == "--check") {
        bool verbose = false;
        std::vector<std::string> files;
        for (std::size_t i = 1; i < args.size(); ++i) {
            if (args[i] == "--verbose")
                verbose = true;
            else if (args[i].rfind("--", 0) == 0)
                return usageError("unknown option " + args[i]);
            else
                files.push_back(args[i]);
        }
        if (files.empty())
            return usageError("--check needs at least one level file");
        return orbiton::checkLevels(files, verbose, std::cout);
    }
    return usageError("the game itself is not playable yet");
}
