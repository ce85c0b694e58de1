// SPDX-FileCopyrightText: 2026 The Orbiton 3D developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <string>
#include <vector>

namespace orbiton {

// Everything the command line can ask for, with the defaults of a plain start.
struct CommandLine {
    enum class Mode { Play, Headless, Preview, Check, Help, Version };
    Mode mode = Mode::Play;
    std::string levels;
    bool fullscreen = false;
    bool demo = false;
    bool draw = true;
    bool soak = false;
    int level = 1;
    int previewLevel = 0;
    long frames = 0;
    double dt = 1.0 / 60;
    int width = 800;
    int height = 600;
    std::string script;
    std::string screenshot;
    std::string events;
    std::string trace;
    std::string record; // a replay file to write
    std::string replay; // a replay file to play
    bool sizeGiven = false;
    bool verbose = false;
    std::vector<std::string> files; // --check's level files
};

// The text of --help.
extern const char* const kUsage;

// Reads the arguments (without the program name). False with a one-line
// reason when they are not a command line the game can run; nothing is
// started or opened here.
bool parseCommandLine(const std::vector<std::string>& args, CommandLine& out, std::string& error);

// Every option the parser knows ("--levels", ...), in the order it declares them.
std::vector<std::string> optionNames();

} // namespace orbiton
